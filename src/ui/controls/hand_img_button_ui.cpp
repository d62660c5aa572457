#include "ui/controls/hand_img_button_ui.h"

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

constexpr int kBadgeSize = 20;
constexpr int kBadgeRightInset = 10;
constexpr int kBadgeBottomInset = 9;

}  // namespace

LPCTSTR CHandImgButtonUI::GetClass() const { return "HandImgButton"; }

void* CHandImgButtonUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("HandImgButton") == 0) return static_cast<CHandImgButtonUI*>(this);
  return CButtonUI::GetInterface(pstrName);
}

void CHandImgButtonUI::SetHandImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetHandImage(image); })) return;
  m_sHandImage = image;
  Invalidate();
}

void CHandImgButtonUI::EnableDeleteBadge(bool bEnable) {
  if (PostToUiThread([this, bEnable] { EnableDeleteBadge(bEnable); })) return;
  m_bBadgeEnabled = bEnable;
  Invalidate();
}

RECT CHandImgButtonUI::GetBadgeRect() const {
  RECT badge;
  badge.right = m_rcItem.right - Scale(kBadgeRightInset);
  badge.bottom = m_rcItem.bottom - Scale(kBadgeBottomInset);
  badge.left = badge.right - Scale(kBadgeSize);
  badge.top = badge.bottom - Scale(kBadgeSize);
  return badge;
}

void CHandImgButtonUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    CButtonUI::DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_MOUSEMOVE:
      m_sBadgeImage = PtInRect(GetBadgeRect(), event.ptMouse) ? m_sDeleteHotImage : m_sDeleteNormalImage;
      if (m_uButtonState & UISTATE_CAPTURED) {
        if (PtInRect(m_rcItem, event.ptMouse)) {
          m_uButtonState |= UISTATE_PUSHED;
        } else {
          m_uButtonState &= ~UISTATE_PUSHED;
        }
      }
      Invalidate();
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (PtInRect(m_rcItem, event.ptMouse) && IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if (m_uButtonState & UISTATE_CAPTURED) {
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        if (m_bBadgeEnabled && PtInRect(GetBadgeRect(), event.ptMouse)) {
          if (m_pManager) m_pManager->SendNotify(this, "click_handdelete");
        } else if (PtInRect(m_rcItem, event.ptMouse)) {
          Activate();
        }
      }
      return;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_MOUSEENTER);
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if (IsEnabled()) {
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_MOUSELEAVE);
      }
      return;
    default:
      break;
  }
  CButtonUI::DoEvent(event);
}

void CHandImgButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  if (name == "handimage") {
    SetHandImage(value);
  } else if (name == "deletenormalimage") {
    m_sDeleteNormalImage = value;
    // Until the pointer first moves over the button the badge shows its resting image.
    if (m_sBadgeImage.IsEmpty()) m_sBadgeImage = value;
  } else if (name == "deletehotimage") {
    m_sDeleteHotImage = value;
  } else {
    CButtonUI::SetAttribute(pstrName, pstrValue);
  }
}

void CHandImgButtonUI::PaintStatusImage(HDC hDC) {
  CButtonUI::PaintStatusImage(hDC);
  if (!m_sHandImage.IsEmpty()) DrawImage(hDC, m_sHandImage);
  if ((m_uButtonState & UISTATE_HOT) && m_bBadgeEnabled && !m_sBadgeImage.IsEmpty()) {
    CRenderEngine::DrawImageString(hDC, m_pManager, GetBadgeRect(), m_rcPaint, m_sBadgeImage);
  }
}
