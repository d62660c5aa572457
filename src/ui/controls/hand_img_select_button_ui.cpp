#include "ui/controls/hand_img_select_button_ui.h"

#include <algorithm>

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

// Moves the span [low, high) of a picture extent by the pointer's step. A positive step (the
// pointer went left or up) pulls the window towards the far edge; a negative one back towards 0,
// landing exactly on 0 when the step would pass it.
void PanSpan(int& low, int& high, int extent, int step) {
  if (step > 0) {
    if (high < extent) {
      // Stop at the far edge: a window past it would show nothing of the picture.
      int move = std::min(step, extent - high);
      low += move;
      high += move;
    }
  } else if (step < 0) {
    int back = -step;
    if (low > back) {
      low -= back;
      high -= back;
    } else {
      high -= low;
      low = 0;
    }
  }
}

}  // namespace

LPCTSTR CHandImgSelectButtonUI::GetClass() const { return "HandImgSelectButton"; }

void* CHandImgSelectButtonUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("HandImgSelectButton") == 0) {
    return static_cast<CHandImgSelectButtonUI*>(this);
  }
  return CButtonUI::GetInterface(pstrName);
}

void CHandImgSelectButtonUI::SetHandImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetHandImage(image); })) return;
  m_sHandImage = image;
  SIZE size;
  m_szPicture = (!image.IsEmpty() && CRenderEngine::GetImageSize(m_pManager, image, size)) ? size : SIZE{};
  ComputeWindow();
}

void CHandImgSelectButtonUI::ComputeWindow() {
  // The window is as large as the button on screen, so the picture moves exactly with the hand.
  // Before the first layout the button's size is its fixed size.
  SIZE button{GetWidth(), GetHeight()};
  if (button.cx <= 0 || button.cy <= 0) button = SIZE{GetFixedWidth(), GetFixedHeight()};
  m_szWindowFor = button;
  m_bPannable = m_szPicture.cx > button.cx || m_szPicture.cy > button.cy;
  if (m_bPannable) {
    m_rcSource = RECT{0, 0, button.cx, button.cy};
  } else {
    m_rcSource = RECT{0, 0, m_szPicture.cx, m_szPicture.cy};
  }
  BuildDrawString();
}

void CHandImgSelectButtonUI::SetSourceRect(RECT rcSource) {
  m_rcSource = rcSource;
  BuildDrawString();
}

void CHandImgSelectButtonUI::BuildDrawString() {
  if (m_sHandImage.IsEmpty()) {
    m_sDrawString.Empty();
  } else if (m_bPannable) {
    m_sDrawString.Format("file='%s' ", m_sHandImage.GetData());
    m_sDrawString.AppendFormat("source='%d,%d,%d,%d'", m_rcSource.left, m_rcSource.top, m_rcSource.right,
                               m_rcSource.bottom);
  } else {
    m_sDrawString = m_sHandImage;
  }
  Invalidate();
}

void CHandImgSelectButtonUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CButtonUI::SetPos(rc, bNeedInvalidate);
  // A new size (first layout, DPI change) starts the window again; an unchanged one keeps the pan.
  if (!m_sHandImage.IsEmpty() && !(SIZE{GetWidth(), GetHeight()} == m_szWindowFor)) ComputeWindow();
}

void CHandImgSelectButtonUI::Pan(POINT pt) {
  if (m_bPannable) {
    PanSpan(m_rcSource.left, m_rcSource.right, m_szPicture.cx, m_ptLast.x - pt.x);
    PanSpan(m_rcSource.top, m_rcSource.bottom, m_szPicture.cy, m_ptLast.y - pt.y);
  }
  m_ptLast = pt;
  BuildDrawString();
}

void CHandImgSelectButtonUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    CButtonUI::DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (PtInRect(m_rcItem, event.ptMouse) && IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        m_ptLast = event.ptMouse;
        m_bPanning = true;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_bPanning) Pan(event.ptMouse);
      return;
    case UIEVENT_BUTTONUP:
      m_bPanning = false;
      m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
      Invalidate();
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

void CHandImgSelectButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  // "cursor" is the base control's: the named system cursor while the pointer is over the button.
  if (CDuiString(pstrName) == "handimage") {
    SetHandImage(pstrValue);
  } else {
    CButtonUI::SetAttribute(pstrName, pstrValue);
  }
}

void CHandImgSelectButtonUI::PaintStatusImage(HDC hDC) {
  CButtonUI::PaintStatusImage(hDC);
  if (!m_sDrawString.IsEmpty()) DrawImage(hDC, m_sDrawString);
}
