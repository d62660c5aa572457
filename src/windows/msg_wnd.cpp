#include "windows/msg_wnd.h"

#include <mutex>
#include <utility>

#include "platform/debug_output.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/window_api.h"

namespace {

std::mutex& AnswererMutex() {
  static std::mutex mutex;
  return mutex;
}

PromptAnswerer& InstalledAnswerer() {
  static PromptAnswerer answerer;
  return answerer;
}

PromptAnswerer CurrentAnswerer() {
  std::lock_guard<std::mutex> lock(AnswererMutex());
  return InstalledAnswerer();
}

bool HasText(LPCTSTR text) { return text && *text; }

}  // namespace

void CMsgWnd::InitWindow() {
  m_pCloseBtn = m_pm.FindControl("closebtn");
  m_pTitle = m_pm.FindControl("MessageTitle");
  m_pText = m_pm.FindControl("MessageText");
  m_pConfirmBtn = m_pm.FindControl("confirm_btn");
  m_pCancelBtn = m_pm.FindControl("cancel_btn");
}

void CMsgWnd::SetMessageTitle(LPCTSTR text) {
  if (HasText(text) && m_pTitle) m_pTitle->SetText(text);
}

void CMsgWnd::SetMessageText(LPCTSTR text, bool textIsKey) {
  if (!HasText(text) || !m_pText) return;
  m_pText->SetResourceText(textIsKey);
  m_pText->SetText(text);
}

void CMsgWnd::SetWindowDpi(int dpi) {
  if (dpi == m_nDpi) return;
  if (CDPI::IsValidDPI(dpi)) {
    m_nDpi = dpi;
  } else {
    OutputDebugString("MSG_WND DPI SET ERROR");
    m_nDpi = 96;
  }
  // The prompt is about to be shown over windows that may be at another scale; the program
  // keeps all its windows at one DPI.
  CPaintManagerUI::SetAllDPI(m_nDpi);
}

void CMsgWnd::SetButtonMode(int mode) {
  if (!m_pConfirmBtn || !m_pCancelBtn) return;
  if (mode == kNotice) {
    m_pCancelBtn->SetVisible(false);
    m_pConfirmBtn->SetVisible(true);
  } else if (mode == kQuestion) {
    m_pCancelBtn->SetVisible(true);
    m_pConfirmBtn->SetVisible(true);
  }
}

void CMsgWnd::OnClick(TNotifyUI& msg) {
  if (msg.bHandled || !msg.pSender) return;
  CDuiString name = msg.pSender->GetName();
  name.MakeLower();
  // The base class would close with IDCANCEL (2); a prompt's caller only knows 1 and 0.
  if (msg.pSender == m_pCloseBtn || name == "cancel_btn") {
    msg.bHandled = true;
    Close(kDeclined);
  } else if (name == "confirm_btn") {
    msg.bHandled = true;
    Close(kConfirmed);
  }
}

LRESULT CMsgWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
  if (wParam == VK_ESCAPE) {
    Close(kDeclined);
    return 1;
  }
  if (wParam != VK_RETURN) return 0;
  // Not consumed: the paint manager hands the key to the focused button, which clicks itself.
  if (CControlUI* focus = m_pm.GetFocus(); focus && focus->GetInterface("Button")) return 0;
  if (!m_pConfirmBtn || !m_pConfirmBtn->IsVisible() || !m_pConfirmBtn->IsEnabled()) return 0;
  Close(kConfirmed);
  return 1;
}

LRESULT CMsgWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if (uMsg == WM_DPICHANGED) FollowDpiChange(wParam, lParam);
  bHandled = false;
  return 0;
}

void CMsgWnd::FollowDpiChange(WPARAM wParam, LPARAM lParam) {
  m_pm.SetDPI(LOWORD(wParam));
  m_pm.ResetDPIAssets();
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, RectWidth(*suggested), RectHeight(*suggested),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_pm.NeedUpdate();
}

void CMsgWnd::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  delete this;
}

int ShowMessageBox(HWND parent, LPCTSTR titleKey, LPCTSTR text, int dpi, bool textIsKey, int buttonMode) {
  if (PromptAnswerer answerer = CurrentAnswerer()) {
    PromptRecord record{parent, titleKey ? titleKey : "", text ? text : "", textIsKey, buttonMode, dpi};
    return answerer(record) == int(CMsgWnd::kConfirmed) ? 1 : 0;
  }
  if (!CPaintManagerUI::IsUiThread()) {
    OutputDebugString("ShowMessageBox called outside the user-interface thread");
    return 0;
  }
  auto* window = new CMsgWnd;
  // When the layout cannot be built the half-made window is destroyed inside Create, and the
  // object with it.
  if (!window->Create(parent, "msgwnd", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW)) return 0;
  window->SetMessageTitle(titleKey);
  window->SetMessageText(text, textIsKey);
  window->SetWindowDpi(dpi);
  window->SetButtonMode(buttonMode);
  window->CenterWindow();
  // The object is gone once the modal loop has ended.
  return window->ShowModal() == CMsgWnd::kConfirmed ? 1 : 0;
}

PromptAnswerer SetPromptAnswerer(PromptAnswerer answerer) {
  std::lock_guard<std::mutex> lock(AnswererMutex());
  return std::exchange(InstalledAnswerer(), std::move(answerer));
}

CScopedPromptAnswerer::CScopedPromptAnswerer(std::function<int(const PromptRecord&)> answer) {
  previous_ = SetPromptAnswerer([this, answer = std::move(answer)](const PromptRecord& prompt) {
    prompts_.push_back(prompt);
    return answer ? answer(prompt) : int(CMsgWnd::kDeclined);
  });
}

CScopedPromptAnswerer::~CScopedPromptAnswerer() { SetPromptAnswerer(std::move(previous_)); }
