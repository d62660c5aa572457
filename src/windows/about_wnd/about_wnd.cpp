#include "windows/about_wnd/about_wnd.h"

#include <utility>

#include "platform/debug_output.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/window_api.h"
#include "windows/about_wnd/about_controls.h"
#include "windows/main_wnd/main_wnd.h"

using namespace about_window;

namespace {

constexpr uintptr_t kScreenshotTimer = 1;
constexpr UINT kScreenshotDelayMs = 300;

}  // namespace

CAboutWnd::CAboutWnd(std::string programVersion) : m_sVersion(std::move(programVersion)) {}

CDuiString CAboutWnd::GetSkinFile() { return kLayoutFile; }

void CAboutWnd::InitWindow() {
  m_pCloseBtn = m_pm.FindControl(kCloseButton);
  m_pMaxBtn = m_pm.FindControl(kMaximiseButton);
  m_pRestoreBtn = m_pm.FindControl(kRestoreButton);
  m_pMinBtn = m_pm.FindControl(kMinimiseButton);
  m_pMenuBtn = m_pm.FindControl(kMenuButton);
  m_pOkBtn = m_pm.FindControl(kOkButton);
}

void CAboutWnd::SetWindowDpi(int dpi) {
  if (dpi == m_nDpi) return;
  if (CDPI::IsValidDPI(dpi)) {
    m_nDpi = dpi;
  } else {
    OutputDebugString("SET_WND DPI SET ERROR");
    m_nDpi = 96;
  }
  CPaintManagerUI::SetAllDPI(m_nDpi);
}

void CAboutWnd::ShowVersionText() {
  CControlUI* translator = m_pm.FindControl(kTranslator);
  CControlUI* label = m_pm.FindControl(kVersionLabel);
  if (!translator || !label) return;
  translator->SetResourceText(true);
  translator->SetText(kVersionTextKey);
  std::string text = translator->GetText().str();
  // The language files are anyone's to edit: the placeholder is replaced, never used as a format.
  if (const size_t at = text.find(kVersionPlaceholder); at != std::string::npos) {
    text.replace(at, std::string(kVersionPlaceholder).size(), m_sVersion);
  }
  label->SetText(text.c_str());
}

std::string CAboutWnd::VersionText() const {
  const CControlUI* label = const_cast<CPaintManagerUI&>(m_pm).FindControl(kVersionLabel);
  return label ? label->GetText().str() : std::string();
}

void CAboutWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_WINDOWINIT && !m_sScreenshotPath.empty()) {
    ::SetTimer(m_hWnd, kScreenshotTimer, kScreenshotDelayMs);
  }
  WindowImplBase::Notify(msg);
}

void CAboutWnd::OnClick(TNotifyUI& msg) {
  if (!msg.pSender) return;
  if (msg.pSender == m_pCloseBtn || msg.pSender == m_pOkBtn) {
    Close(IDCANCEL);
  } else if (msg.pSender == m_pMinBtn) {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (msg.pSender == m_pMaxBtn) {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (msg.pSender == m_pRestoreBtn) {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

// The window manager's close (Alt+F4) closes this window, as its close button does; the program
// goes on.
LRESULT CAboutWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {
    bHandled = true;
    Close(IDCANCEL);
    return 0;
  }
  return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

LRESULT CAboutWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
  if (wParam != VK_ESCAPE) return 0;
  Close(IDCANCEL);
  return 1;
}

LRESULT CAboutWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
  bHandled = false;
  if (uMsg == WM_LANGUAGE_CHANGED) {
    FollowLanguageChange();
    return 0;
  }
  if (uMsg == WM_TIMER && wParam == kScreenshotTimer) {
    bHandled = true;
    ::KillTimer(m_hWnd, kScreenshotTimer);
    m_pm.UpdateLayout();
    m_bScreenshotSaved = m_pm.SaveWindowImage(m_sScreenshotPath);
    Close(IDCANCEL);
  }
  return 0;
}

void CAboutWnd::FollowLanguageChange() {
  ShowVersionText();
  m_pm.Invalidate();
  if (CControlUI* root = m_pm.GetRoot()) root->NeedUpdate();
  m_pm.NeedUpdate();
}
