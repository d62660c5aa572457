#include "test_window.h"

#include <algorithm>

#include "ui/toolkit/window_api.h"

void CRecordingNotifier::Notify(TNotifyUI& msg) {
  seen.push_back({msg.sType.str(), msg.pSender ? msg.pSender->GetName().str() : "", msg.wParam, msg.lParam});
}

bool CRecordingNotifier::Saw(const std::string& type, const std::string& sender) const {
  return Count(type, sender) > 0;
}

int CRecordingNotifier::Count(const std::string& type, const std::string& sender) const {
  return int(std::count_if(seen.begin(), seen.end(),
                           [&](const SeenNotify& s) { return s.type == type && s.sender == sender; }));
}

CTestWindow::CTestWindow(std::string layout) : layout_(std::move(layout)) {}

void CTestWindow::Notify(TNotifyUI& msg) {
  notifications.push_back({msg.sType.str(), msg.pSender ? msg.pSender->GetName().str() : "", msg.wParam, msg.lParam});
  if (onNotify) onNotify(msg);
  WindowImplBase::Notify(msg);
}

void CTestWindow::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  if (finalMessageCounter) ++*finalMessageCounter;
  if (deleteOnFinalMessage) delete this;
}

CControlUI* CTestWindow::CreateControl(LPCTSTR pstrClass) {
  return createControl ? createControl(CDuiString(pstrClass)) : nullptr;
}

LRESULT CTestWindow::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  customMessages.push_back(uMsg);
  if (onMessage) return onMessage(uMsg, wParam, lParam, bHandled);
  bHandled = false;
  return 0;
}

LRESULT CTestWindow::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) == SC_CLOSE && refuseSystemClose) {
    bHandled = true;
    return 0;
  }
  return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

HWND CTestWindow::CreateHidden(HWND owner) { return Create(owner, "test", WS_POPUP, 0, 0, 0, 0, 0); }

bool CTestWindow::Saw(const std::string& type, const std::string& sender) const { return Count(type, sender) > 0; }

int CTestWindow::Count(const std::string& type, const std::string& sender) const {
  return int(std::count_if(notifications.begin(), notifications.end(),
                           [&](const SeenNotify& s) { return s.type == type && s.sender == sender; }));
}

POINT CentreOf(CControlUI* control) {
  const RECT& rc = control->GetPos();
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void ClickAt(HWND window, POINT point, WPARAM keyState) {
  SendMessage(window, WM_MOUSEMOVE, keyState, MAKELPARAM(point.x, point.y));
  SendMessage(window, WM_LBUTTONDOWN, keyState | MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessage(window, WM_LBUTTONUP, keyState, MAKELPARAM(point.x, point.y));
}

void Click(HWND window, CControlUI* control, WPARAM keyState) { ClickAt(window, CentreOf(control), keyState); }

void DoubleClick(HWND window, CControlUI* control) {
  POINT point = CentreOf(control);
  ClickAt(window, point);
  SendMessage(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void MouseMove(HWND window, POINT point, WPARAM keyState) {
  SendMessage(window, WM_MOUSEMOVE, keyState, MAKELPARAM(point.x, point.y));
}

void KeyDown(HWND window, UINT vk) {
  SendMessage(window, WM_KEYDOWN, vk, 0);
  SendMessage(window, WM_KEYUP, vk, 0);
}
