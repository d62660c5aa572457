#include "ui/controls/device_key_button_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

// The light overlay is drawn at 200 of 255 opacity, so the key's own art still shows through the
// glow and a lit key stays recognisable.
constexpr const char* kLightImageModify = "fade='200'";

}  // namespace

LPCTSTR CDeviceKeyButtonUI::GetClass() const { return "DeviceKeyButton"; }

void* CDeviceKeyButtonUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("DeviceKeyButton") == 0) return static_cast<CDeviceKeyButtonUI*>(this);
  return CButtonUI::GetInterface(pstrName);
}

void CDeviceKeyButtonUI::ShowLightImage(bool bShow) {
  if (PostToUiThread([this, bShow] { ShowLightImage(bShow); })) return;
  m_bShowLightImage = bShow;
  Invalidate();
}

void CDeviceKeyButtonUI::HideKeySetImage(bool bHide) {
  if (PostToUiThread([this, bHide] { HideKeySetImage(bHide); })) return;
  m_bHideKeySetImage = bHide;
  Invalidate();
}

void CDeviceKeyButtonUI::SetSelected(bool bSelected) {
  m_bSelected = bSelected;
  Invalidate();
}

void CDeviceKeyButtonUI::DoEvent(TEventUI& event) {
  if (event.Type == UIEVENT_DBLCLICK && IsMouseEnabled()) {
    if (IsEnabled() && PtInRect(m_rcItem, event.ptMouse)) {
      m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
      Invalidate();
      if (m_pManager) m_pManager->SendNotify(this, "dbclick");
    }
    return;
  }
  CButtonUI::DoEvent(event);
}

void CDeviceKeyButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  if (name == "lightimage") {
    m_sLightImage = value;
    Invalidate();
  } else if (name == "selectedimage") {
    m_sSelectedImage = value;
    Invalidate();
  } else if (name == "keysetimage") {
    m_sKeySetImage = value;
    Invalidate();
  } else if (name == "gmnametextcolor") {
    // Kept for layouts that carry it; nothing draws a name in this colour.
    m_dwGmNameTextColor = DWORD(ParseIntValue(value.str(), 16, 0));
  } else {
    CButtonUI::SetAttribute(pstrName, pstrValue);
  }
}

void CDeviceKeyButtonUI::PaintStatusImage(HDC hDC) {
  CButtonUI::PaintStatusImage(hDC);
  // The chosen zone stays marked while the pointer is elsewhere.
  if (m_bSelected && !m_sSelectedImage.IsEmpty() && (m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) == 0) {
    DrawImage(hDC, m_sSelectedImage);
  }
  if (m_bShowLightImage && !m_sLightImage.IsEmpty()) DrawImage(hDC, m_sLightImage, kLightImageModify);
  if (!m_bHideKeySetImage && !m_sKeySetImage.IsEmpty()) DrawImage(hDC, m_sKeySetImage);
}
