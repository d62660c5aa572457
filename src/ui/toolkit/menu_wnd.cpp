#include "ui/toolkit/menu_wnd.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <algorithm>

#include "ui/toolkit/controls/menu_element_ui.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"

namespace {

CDuiString CutToUtf16Units(const CDuiString& text, int units) {
  QString wide = QString::fromUtf8(text.GetData(), text.GetLength());
  if (wide.size() <= units) return text;
  // Never split a surrogate pair.
  int keep = units;
  if (keep > 0 && wide[keep - 1].isHighSurrogate()) --keep;
  return CDuiString(wide.left(keep).toStdString());
}

}  // namespace

CMenuWnd::CMenuWnd() = default;

CMenuWnd::~CMenuWnd() {
  if (m_ppOwnerSlot && *m_ppOwnerSlot == this) *m_ppOwnerSlot = nullptr;
}

bool CMenuWnd::Init(LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager, DWORD dwAlignment) {
  m_sXml = xml;
  m_ptAnchor = point;
  m_dwAlignment = dwAlignment;
  m_hMainWnd = pMainPaintManager ? pMainPaintManager->GetPaintWindow() : nullptr;
  // Before the window exists, so the layout is built at the main window's scale directly.
  if (pMainPaintManager) m_pm.SetDPI(pMainPaintManager->GetDPI());
  if (!Create(m_hMainWnd, "menu", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_UI_POPUP)) return false;
  Place();
  ShowWindow(true, true);
  return true;
}

void CMenuWnd::Place() {
  QWidget* widget = HostWidgetOf(GetHWND());
  if (!widget) return;
  SIZE size = m_pm.GetInitSize();
  int width = size.cx > 0 ? m_pm.GetDPIObj()->Scale(size.cx) : m_pm.GetDPIObj()->Scale(160);
  int height = m_pm.GetDPIObj()->Scale(size.cy);
  if (size.cy <= 0 && m_pm.GetRoot()) {
    // Without a height in the layout the menu is as tall as its rows.
    CControlUI* root = m_pm.GetRoot();
    height = root->GetBorderSize() * 2;
    if (auto* container = static_cast<IContainerUI*>(root->GetInterface("IContainer"))) {
      RECT inset = static_cast<CContainerUI*>(root->GetInterface("Container"))->GetInset();
      height += inset.top + inset.bottom;
      for (int i = 0; i < container->GetCount(); ++i) {
        CControlUI* item = container->GetItemAt(i);
        if (item->IsVisible())
          height += item->EstimateSize(SIZE{width, 0}).cy + item->GetPadding().top + item->GetPadding().bottom;
      }
    }
  }
  int x = (m_dwAlignment & eMenuAlignment_Right) && !(m_dwAlignment & eMenuAlignment_Left) ? m_ptAnchor.x - width
                                                                                           : m_ptAnchor.x;
  int y = (m_dwAlignment & eMenuAlignment_Bottom) && !(m_dwAlignment & eMenuAlignment_Top) ? m_ptAnchor.y - height
                                                                                           : m_ptAnchor.y;
  if (QScreen* screen = QGuiApplication::screenAt(QPoint(m_ptAnchor.x, m_ptAnchor.y))) {
    QRect work = screen->availableGeometry();
    x = std::clamp(x, work.left(), std::max(work.left(), work.right() + 1 - width));
    y = std::clamp(y, work.top(), std::max(work.top(), work.bottom() + 1 - height));
  }
  widget->setGeometry(x, y, width, std::max(1, height));
}

void CMenuWnd::DestroyMenu() {
  if (GetHWND()) Close(IDCANCEL);
}

void CMenuWnd::Choose(CControlUI* item) {
  auto* element = static_cast<CMenuElementUI*>(item->GetInterface("MenuElement"));
  if (!element || !element->IsEnabled() || m_bChosen) return;
  m_bChosen = true;
  if (element->IsCheckItem()) element->SetChecked(!element->GetChecked());
  auto* command = new MenuCmd;
  command->szName = CutToUtf16Units(element->GetName(), 255);
  command->szUserData = CutToUtf16Units(element->GetUserData(), 1023);
  command->szText = CutToUtf16Units(element->GetText(), 1023);
  command->bChecked = element->GetChecked();
  // MenuCmd has CMessageRecord as its only base, at the same address, so DeletePtr frees it.
  if (!::PostMessage(m_hMainWnd, WM_MENUCLICK, reinterpret_cast<WPARAM>(command), 0)) delete command;
  Close(IDOK);
}

void CMenuWnd::Notify(TNotifyUI& msg) {
  if ((msg.sType == DUI_MSGTYPE_ITEMCLICK || msg.sType == DUI_MSGTYPE_ITEMACTIVATE) && msg.pSender) {
    Choose(msg.pSender);
    msg.bHandled = true;
    return;
  }
  WindowImplBase::Notify(msg);
}

LRESULT CMenuWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
  bHandled = false;
  // Focus leaving the menu (another window activated) ends it, as menus do.
  if (uMsg == WM_ACTIVATE && wParam == WA_INACTIVE && !m_bChosen) {
    bHandled = true;
    DestroyMenu();
  }
  return 0;
}

LRESULT CMenuWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
  if (wParam == VK_ESCAPE) {
    DestroyMenu();
    return 1;
  }
  return 0;
}

void CMenuWnd::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  delete this;
}
