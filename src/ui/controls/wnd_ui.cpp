#include "ui/controls/wnd_ui.h"

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_api.h"

LPCTSTR CWndUI::GetClass() const { return "Wnd"; }

void* CWndUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Wnd") == 0) return static_cast<CWndUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

bool CWndUI::Attach(HWND hWndNew) {
  if (hWndNew && !IsWindow(hWndNew)) return false;
  m_hWnd = hWndNew;
  ApplyPosition();
  ApplyVisibility();
  return true;
}

HWND CWndUI::Detach() {
  HWND old = m_hWnd;
  m_hWnd = nullptr;
  return old;
}

void CWndUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  CControlUI::SetVisible(bVisible);
  ApplyVisibility();
}

void CWndUI::SetInternVisible(bool bVisible) {
  CControlUI::SetInternVisible(bVisible);
  ApplyVisibility();
}

void CWndUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  ApplyPosition();
}

void CWndUI::ApplyVisibility() {
  if (m_hWnd) ShowWindow(m_hWnd, IsVisible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CWndUI::ApplyPosition() {
  if (!m_hWnd || !m_pManager) return;
  // Toolkit windows are all top-level: the control's client rectangle is placed on screen.
  POINT topLeft{m_rcItem.left, m_rcItem.top};
  if (HWND host = m_pManager->GetPaintWindow()) ClientToScreen(host, &topLeft);
  MoveWindow(m_hWnd, topLeft.x, topLeft.y, RectWidth(m_rcItem), RectHeight(m_rcItem), true);
}
