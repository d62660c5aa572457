#include "ui/toolkit/controls/combo_wnd.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/vertical_layout_ui.h"
#include "ui/toolkit/window_api.h"

CComboWnd::CComboWnd(CComboUI* owner) : m_pOwner(owner) {}

CComboWnd::~CComboWnd() {
  ReturnItems();
  if (GetHWND()) DestroyWindow(GetHWND());
}

bool CComboWnd::Open() {
  CPaintManagerUI* ownerManager = m_pOwner->GetManager();
  if (!ownerManager) return false;
  const CDPI& dpi = *ownerManager->GetDPIObj();
  RECT pos = m_pOwner->GetPos();
  POINT topLeft{pos.left, pos.bottom};
  ClientToScreen(ownerManager->GetPaintWindow(), &topLeft);

  SIZE box = dpi.Scale(m_pOwner->GetDropBoxSize());
  int width = box.cx > 0 ? box.cx : RectWidth(pos);
  int content = 0;
  for (int i = 0; i < m_pOwner->GetCount(); ++i) {
    CControlUI* item = m_pOwner->GetItemAt(i);
    if (item->IsVisible()) content += item->EstimateSize(SIZE{width, 0}).cy;
  }
  int height = std::min(box.cy > 0 ? box.cy : content, content) + 2;
  // Below the combo when it fits on the screen, above it otherwise.
  QScreen* screen = QGuiApplication::screenAt(QPoint(topLeft.x, topLeft.y));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen && topLeft.y + height > screen->availableGeometry().bottom()) {
    POINT top{pos.left, pos.top};
    ClientToScreen(ownerManager->GetPaintWindow(), &top);
    topLeft.y = top.y - height;
  }
  if (!Create(ownerManager->GetPaintWindow(), "combo", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_UI_POPUP, topLeft.x,
              topLeft.y, width, height)) {
    return false;
  }
  ShowWindow(true, true);
  return true;
}

LRESULT CComboWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_CREATE) {
    // The DPI first: set on an attached window it would rescale the already scaled popup.
    m_pm.SetDPI(m_pOwner->GetManager()->GetDPI());
    m_pm.Init(GetHWND());
    m_pLayout = new CVerticalLayoutUI;
    m_pLayout->SetManager(&m_pm, nullptr, true);
    m_pLayout->EnableScrollBar(true);
    m_pLayout->SetBkColor(m_pOwner->GetDropBoxBkColor());
    m_pLayout->SetBorderColor(0xFF808080);
    m_pLayout->SetBorderSize(1);
    m_pLayout->SetInset(RECT{1, 1, 1, 1});
    // Lent, not given: the combo keeps owning its items, the popup must not delete them.
    m_pLayout->SetAutoDestroy(false);
    for (int i = 0; i < m_pOwner->GetCount(); ++i) m_pLayout->Add(m_pOwner->GetItemAt(i));
    m_bItemsLent = true;
    m_pm.AttachDialog(m_pLayout);
    m_pm.AddNotifier(this);
    return 0;
  }
  if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
    m_pOwner->CloseDropDown();
    return 0;
  }
  if (uMsg == WM_CLOSE || uMsg == WM_DESTROY) ReturnItems();
  LRESULT result = 0;
  if (uMsg != WM_DESTROY && uMsg != WM_NCDESTROY && m_pm.MessageHandler(uMsg, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CComboWnd::ReturnItems() {
  if (!m_bItemsLent) return;
  m_bItemsLent = false;
  if (m_pLayout) m_pLayout->RemoveAll();
  for (int i = 0; i < m_pOwner->GetCount(); ++i) {
    m_pOwner->GetItemAt(i)->SetManager(m_pOwner->GetManager(), m_pOwner, false);
  }
}

void CComboWnd::Notify(TNotifyUI&) {}

void CComboWnd::OnFinalMessage(HWND) {
  // The combo owns this object; it forgets the window the next time it looks.
  m_pOwner->Invalidate();
}
