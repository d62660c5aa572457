#include "ui/toolkit/controls/slider_ui.h"

#include <algorithm>
#include <cmath>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"

namespace {

// A disabled slider keeps showing its value, faded, so it reads as there but not to be moved.
constexpr double kDisabledOpacity = 0.35;

class CFadeWhileDisabled {
 public:
  CFadeWhileDisabled(HDC hDC, bool enabled) : painter_(enabled ? nullptr : PainterOf(hDC)) {
    if (!painter_) return;
    painter_->save();
    painter_->setOpacity(kDisabledOpacity);
  }
  ~CFadeWhileDisabled() {
    if (painter_) painter_->restore();
  }
  CFadeWhileDisabled(const CFadeWhileDisabled&) = delete;
  CFadeWhileDisabled& operator=(const CFadeWhileDisabled&) = delete;

 private:
  QPainter* painter_;
};

}  // namespace

CSliderUI::CSliderUI() {
  m_uTextStyle = DT_SINGLELINE | DT_CENTER;
  m_cursor = UiCursor::kHand;
}

LPCTSTR CSliderUI::GetClass() const { return "Slider"; }

void* CSliderUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Slider") == 0) return static_cast<CSliderUI*>(this);
  return CProgressUI::GetInterface(pstrName);
}

UINT CSliderUI::GetControlFlags() const { return IsEnabled() ? (UIFLAG_SETCURSOR | UIFLAG_TABSTOP) : 0; }

void CSliderUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  CProgressUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

SIZE CSliderUI::GetThumbSize() const { return Scale(m_szThumb); }

RECT CSliderUI::GetThumbRect() const {
  SIZE thumb = GetThumbSize();
  double fraction = m_nMax > m_nMin ? double(m_nValue - m_nMin) / double(m_nMax - m_nMin) : 0.0;
  if (m_bHorizontal) {
    int left = m_rcItem.left + int((RectWidth(m_rcItem) - thumb.cx) * fraction + 0.5);
    int top = (m_rcItem.top + m_rcItem.bottom - thumb.cy) / 2;
    return RECT{left, top, left + thumb.cx, top + thumb.cy};
  }
  int top = m_rcItem.bottom - thumb.cy - int((RectHeight(m_rcItem) - thumb.cy) * fraction + 0.5);
  int left = (m_rcItem.left + m_rcItem.right - thumb.cx) / 2;
  return RECT{left, top, left + thumb.cx, top + thumb.cy};
}

int CSliderUI::ValueAt(POINT pt) const {
  SIZE thumb = GetThumbSize();
  double fraction;
  if (m_bHorizontal) {
    int track = std::max(1, RectWidth(m_rcItem) - thumb.cx);
    fraction = double(pt.x - m_rcItem.left - thumb.cx / 2) / track;
  } else {
    int track = std::max(1, RectHeight(m_rcItem) - thumb.cy);
    fraction = double(m_rcItem.bottom - thumb.cy / 2 - pt.y) / track;
  }
  fraction = std::clamp(fraction, 0.0, 1.0);
  double raw = m_nMin + fraction * (m_nMax - m_nMin);
  // Values land on the step grid counted from the minimum.
  int steps = int(std::lround((raw - m_nMin) / m_nStep));
  return std::clamp(m_nMin + steps * m_nStep, m_nMin, std::max(m_nMin, m_nMax));
}

void CSliderUI::ChangeByStep(int steps) {
  int old = m_nValue;
  SetValue(m_nValue + steps * m_nStep);
  if (m_nValue != old && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED, WPARAM(m_nValue));
}

void CSliderUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pParent) m_pParent->DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (IsEnabled() && PtInRect(m_rcItem, event.ptMouse)) {
        m_uButtonState |= UISTATE_CAPTURED | UISTATE_PUSHED;
        // A click beside the thumb puts it under the pointer; the drag goes on from there.
        if (!PtInRect(GetThumbRect(), event.ptMouse)) {
          int old = m_nValue;
          SetValue(ValueAt(event.ptMouse));
          if (m_nValue != old && m_bSendMove && m_pManager) {
            m_pManager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED, WPARAM(m_nValue));
          }
        }
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_uButtonState & UISTATE_CAPTURED) {
        int old = m_nValue;
        SetValue(ValueAt(event.ptMouse));
        if (m_nValue != old && m_bSendMove && m_pManager) {
          m_pManager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED, WPARAM(m_nValue));
        }
      }
      return;
    case UIEVENT_BUTTONUP:
      if (m_uButtonState & UISTATE_CAPTURED) {
        m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
        SetValue(ValueAt(event.ptMouse));
        Invalidate();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED, WPARAM(m_nValue));
      }
      return;
    case UIEVENT_KEYDOWN:
      if (!IsEnabled()) return;
      if (event.chKey == VK_LEFT || event.chKey == VK_DOWN) {
        ChangeByStep(-1);
        return;
      }
      if (event.chKey == VK_RIGHT || event.chKey == VK_UP) {
        ChangeByStep(1);
        return;
      }
      break;
    case UIEVENT_SCROLLWHEEL:
      // Scrolling a page over a slider must not change a setting; a focused slider takes it.
      if (IsEnabled() && IsFocused()) {
        ChangeByStep(event.wParam == 0 ? 1 : -1);
        return;
      }
      break;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      m_uButtonState &= ~UISTATE_HOT;
      Invalidate();
      return;
    default:
      break;
  }
  CProgressUI::DoEvent(event);
}

void CSliderUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "thumbsize") {
    SetThumbSize(ParseSizeValue(v));
  } else if (name == "thumbimage") {
    m_sThumbImage = value;
  } else if (name == "thumbhotimage") {
    m_sThumbHotImage = value;
  } else if (name == "thumbpushedimage") {
    m_sThumbPushedImage = value;
  } else if (name == "thumbcolor") {
    m_dwThumbColor = ParseColorValue(v);
  } else if (name == "step") {
    SetChangeStep(ParseIntValue(v));
  } else if (name == "sendmove") {
    m_bSendMove = ParseBoolValue(v);
  } else {
    CProgressUI::SetAttribute(pstrName, pstrValue);
  }
}

void CSliderUI::PaintForeColor(HDC hDC) {
  if (ArgbAlpha(m_dwForeColor) == 0) return;
  CFadeWhileDisabled fade(hDC, IsEnabled());
  // The filled track runs to the thumb's centre, so the thumb sits on its end.
  RECT thumb = GetThumbRect();
  RECT filled = m_rcItem;
  if (m_bHorizontal) {
    filled.right = (thumb.left + thumb.right) / 2;
  } else {
    filled.top = (thumb.top + thumb.bottom) / 2;
  }
  SIZE round = GetBorderRound();
  if (round.cx > 0) {
    CRenderEngine::FillRoundRect(hDC, filled, round.cx, round.cy, m_dwForeColor);
  } else {
    CRenderEngine::DrawColor(hDC, filled, m_dwForeColor);
  }
}

void CSliderUI::PaintForeImage(HDC hDC) {
  CFadeWhileDisabled fade(hDC, IsEnabled());
  // The thumb goes last, over the filled track.
  CProgressUI::PaintForeImage(hDC);
  RECT thumb = GetThumbRect();
  const CDuiString* image = &m_sThumbImage;
  if ((m_uButtonState & UISTATE_CAPTURED) && !m_sThumbPushedImage.IsEmpty()) {
    image = &m_sThumbPushedImage;
  } else if ((m_uButtonState & UISTATE_HOT) && !m_sThumbHotImage.IsEmpty()) {
    image = &m_sThumbHotImage;
  }
  if (!image->IsEmpty()) {
    CRenderEngine::DrawImageString(hDC, m_pManager, thumb, m_rcPaint, *image);
  } else if (m_dwThumbColor != 0) {
    CRenderEngine::FillEllipse(hDC, thumb, m_dwThumbColor);
  }
}
