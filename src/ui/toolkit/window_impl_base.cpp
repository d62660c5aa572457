#include "ui/toolkit/window_impl_base.h"

#include "platform/debug_output.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/window_api.h"

void WindowImplBase::OnFinalMessage(HWND) {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
  m_pm.RemoveAllTimers();
}

void WindowImplBase::Notify(TNotifyUI& msg) { NotifyPump(msg); }

bool WindowImplBase::LoopDispatch(TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_CLICK) {
    OnClick(msg);
    return true;
  }
  return false;
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
  if (msg.bHandled || !msg.pSender) return;
  CDuiString name = msg.pSender->GetName();
  if (name == "closebtn") {
    msg.bHandled = true;
    Close(IDCANCEL);
  } else if (name == "minbtn") {
    msg.bHandled = true;
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == "maxbtn") {
    msg.bHandled = true;
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == "restorebtn") {
    msg.bHandled = true;
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

CControlUI* WindowImplBase::CreateControl(LPCTSTR) { return nullptr; }

CDuiString WindowImplBase::QueryControlText(const CDuiString&, const CDuiString&) { return CDuiString(); }

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
  if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    LRESULT consumed = ResponseDefaultKeyEvent(wParam);
    bHandled = consumed != 0;
    return consumed;
  }
  return 0;
}

LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM wParam) { return wParam == VK_ESCAPE ? 1 : 0; }

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = true;
  m_pm.Init(m_hWnd);
  m_pm.AddPreMessageFilter(this);
  CDuiString skin = GetSkinFile();
  CDuiString folder = GetSkinFolder();
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '/') folder += '/';
  CDialogBuilder builder;
  CControlUI* root = builder.Create(folder.IsEmpty() ? skin : folder + skin, nullptr, this, &m_pm);
  if (!root) {
    OutputDebugString(("window layout could not be built: " + skin + " (" + builder.GetLastError() + ")").str());
    return -1;
  }
  m_pm.AttachDialog(root);
  m_pm.AddNotifier(this);
  InitWindow();
  return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  bHandled = true;
  if ((wParam & 0xFFF0) == SC_CLOSE) return SendMessage(WM_CLOSE);
  HWND self = m_hWnd;
  bool wasZoomed = IsZoomed(self);
  LRESULT result = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
  if (IsWindow(self) && IsZoomed(self) != wasZoomed) {
    bool zoomed = IsZoomed(self);
    if (CControlUI* maximise = m_pm.FindControl("maxbtn")) maximise->SetVisible(!zoomed);
    if (CControlUI* restore = m_pm.FindControl("restorebtn")) restore->SetVisible(zoomed);
  }
  return result;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  // Any handler may destroy the window, and OnFinalMessage may delete this object: after each
  // step only the local handle is consulted before touching members again.
  HWND self = m_hWnd;
  LRESULT result = 0;
  bool handled = true;
  switch (uMsg) {
    case WM_CREATE:
      result = OnCreate(uMsg, wParam, lParam, handled);
      break;
    case WM_CLOSE:
      result = OnClose(uMsg, wParam, lParam, handled);
      break;
    case WM_DESTROY:
      result = OnDestroy(uMsg, wParam, lParam, handled);
      break;
    case WM_SIZE:
      result = OnSize(uMsg, wParam, lParam, handled);
      break;
    case WM_SYSCOMMAND:
      result = OnSysCommand(uMsg, wParam, lParam, handled);
      break;
    case WM_KEYDOWN:
      result = OnKeyDown(uMsg, wParam, lParam, handled);
      break;
    case WM_KILLFOCUS:
      result = OnKillFocus(uMsg, wParam, lParam, handled);
      break;
    case WM_SETFOCUS:
      result = OnSetFocus(uMsg, wParam, lParam, handled);
      break;
    case WM_MOUSEMOVE:
      result = OnMouseMove(uMsg, wParam, lParam, handled);
      break;
    case WM_LBUTTONDOWN:
      result = OnLButtonDown(uMsg, wParam, lParam, handled);
      break;
    case WM_LBUTTONUP:
      result = OnLButtonUp(uMsg, wParam, lParam, handled);
      break;
    default:
      handled = false;
      break;
  }
  if (handled) return result;
  bool alive = IsWindow(self) || uMsg == WM_NCDESTROY;
  if (!alive) return result;
  result = HandleCustomMessage(uMsg, wParam, lParam, handled);
  if (handled) return result;
  if (uMsg != WM_NCDESTROY && !IsWindow(self)) return result;
  if (m_pm.MessageHandler(uMsg, wParam, lParam, result)) return result;
  if (uMsg != WM_NCDESTROY && !IsWindow(self)) return result;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}
