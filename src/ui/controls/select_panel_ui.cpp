#include "ui/controls/select_panel_ui.h"

#include <algorithm>
#include <vector>

#include "ui/controls/device_key_button_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

RECT Normalised(POINT a, POINT b) {
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Closed intervals: a band that only touches a button's edge still counts, so a user who stops
// the drag on the border of a key gets that key.
bool Touches(const RECT& a, const RECT& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

CControlUI* CollectKeyButtons(CControlUI* control, void* data) {
  if (auto* button = static_cast<CDeviceKeyButtonUI*>(control->GetInterface("DeviceKeyButton"))) {
    static_cast<std::vector<CDeviceKeyButtonUI*>*>(data)->push_back(button);
  }
  return nullptr;
}

// The band's outline is opaque; its fill lets the device picture show through.
constexpr BYTE kBandFillAlpha = 0x40;

}  // namespace

LPCTSTR CSelectPanelUI::GetClass() const { return "SelectPanel"; }

void* CSelectPanelUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("SelectPanel") == 0) return static_cast<CSelectPanelUI*>(this);
  return CVerticalLayoutUI::GetInterface(pstrName);
}

void CSelectPanelUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
      if (IsEnabled()) {
        m_bPressed = true;
        m_bDragging = false;
        m_ptAnchor = event.ptMouse;
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_bPressed) m_bDragging = true;
      if (m_bDragging) {
        m_rcSelection = Normalised(m_ptAnchor, event.ptMouse);
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONUP:
      m_bPressed = false;
      if (m_bDragging) {
        m_bDragging = false;
        SelectTouchedButtons();
        Invalidate();
        if (m_pManager) m_pManager->SendNotify(this, "click_select_end");
      }
      return;
    default:
      break;
  }
  CVerticalLayoutUI::DoEvent(event);
}

void CSelectPanelUI::SelectTouchedButtons() {
  std::vector<CDeviceKeyButtonUI*> buttons;
  for (CControlUI* child : m_items) child->FindControl(CollectKeyButtons, &buttons, UIFIND_ALL);
  for (CDeviceKeyButtonUI* button : buttons) button->SetSelected(Touches(m_rcSelection, button->GetPos()));
}

bool CSelectPanelUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
  if (!CVerticalLayoutUI::DoPaint(hDC, rcPaint, pStopControl)) return false;
  RECT band;
  if (m_bDragging && IntersectRect(band, m_rcSelection, m_rcItem)) {
    DWORD color = m_pManager ? m_pManager->GetDefaultSelectedBkColor() : 0xFFBAE4FF;
    DWORD fill = (color & 0x00FFFFFF) | (DWORD(kBandFillAlpha) << 24);
    CRenderEngine::DrawColor(hDC, band, fill);
    CRenderEngine::DrawRect(hDC, band, 1, color | 0xFF000000);
  }
  return true;
}
