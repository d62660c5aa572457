#include "ui/toolkit/controls/button_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

CButtonUI::CButtonUI() {
  m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  m_cursor = UiCursor::kHand;
}

LPCTSTR CButtonUI::GetClass() const { return "Button"; }

void* CButtonUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Button") == 0) return static_cast<CButtonUI*>(this);
  return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const { return UIFLAG_TABSTOP | (IsEnabled() ? UIFLAG_SETCURSOR : 0); }

bool CButtonUI::Activate() {
  if (!CLabelUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
  return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  CLabelUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CButtonUI::SetButtonState(UINT uState) {
  m_uButtonState = uState;
  Invalidate();
}

void CButtonUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pParent) {
      m_pParent->DoEvent(event);
    } else {
      CLabelUI::DoEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      CLabelUI::DoEvent(event);
      Invalidate();
      return;
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
        Activate();
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (PtInRect(m_rcItem, event.ptMouse) && IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_uButtonState & UISTATE_CAPTURED) {
        if (PtInRect(m_rcItem, event.ptMouse)) {
          m_uButtonState |= UISTATE_PUSHED;
        } else {
          m_uButtonState &= ~UISTATE_PUSHED;
        }
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if (m_uButtonState & UISTATE_CAPTURED) {
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        if (PtInRect(m_rcItem, event.ptMouse) && IsEnabled()) Activate();
      }
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed() && m_pManager) {
        m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
      }
      return;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if (IsEnabled()) {
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
      }
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetNormalImage(image); })) return;
  m_sNormalImage = image;
  Invalidate();
}

void CButtonUI::SetHotImage(LPCTSTR pStrImage) {
  m_sHotImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetPushedImage(LPCTSTR pStrImage) {
  m_sPushedImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetFocusedImage(LPCTSTR pStrImage) {
  m_sFocusedImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetDisabledImage(LPCTSTR pStrImage) {
  m_sDisabledImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetHotForeImage(LPCTSTR pStrImage) {
  m_sHotForeImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetPushedForeImage(LPCTSTR pStrImage) {
  m_sPushedForeImage = pStrImage;
  Invalidate();
}

void CButtonUI::SetHotBkColor(DWORD dwColor) {
  m_dwHotBkColor = dwColor;
  Invalidate();
}

void CButtonUI::SetPushedBkColor(DWORD dwColor) {
  m_dwPushedBkColor = dwColor;
  Invalidate();
}

void CButtonUI::SetHotTextColor(DWORD dwColor) {
  m_dwHotTextColor = dwColor;
  Invalidate();
}

void CButtonUI::SetPushedTextColor(DWORD dwColor) {
  m_dwPushedTextColor = dwColor;
  Invalidate();
}

void CButtonUI::SetFocusedTextColor(DWORD dwColor) {
  m_dwFocusedTextColor = dwColor;
  Invalidate();
}

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "normalimage") {
    SetNormalImage(value);
  } else if (name == "hotimage") {
    SetHotImage(value);
  } else if (name == "pushedimage") {
    SetPushedImage(value);
  } else if (name == "focusedimage") {
    SetFocusedImage(value);
  } else if (name == "disabledimage") {
    SetDisabledImage(value);
  } else if (name == "hotforeimage") {
    SetHotForeImage(value);
  } else if (name == "pushedforeimage") {
    SetPushedForeImage(value);
  } else if (name == "hotbkcolor") {
    SetHotBkColor(ParseColorValue(v));
  } else if (name == "pushedbkcolor") {
    SetPushedBkColor(ParseColorValue(v));
  } else if (name == "hottextcolor") {
    SetHotTextColor(ParseColorValue(v));
  } else if (name == "pushedtextcolor") {
    SetPushedTextColor(ParseColorValue(v));
  } else if (name == "focusedtextcolor") {
    SetFocusedTextColor(ParseColorValue(v));
  } else {
    CLabelUI::SetAttribute(pstrName, pstrValue);
  }
}

CButtonUI::PaintState CButtonUI::GatherPaintState() const {
  PaintState state;
  state.disabled = !IsEnabled();
  state.pushed = !state.disabled && (m_uButtonState & UISTATE_PUSHED);
  state.hot = !state.disabled && (m_uButtonState & UISTATE_HOT);
  state.focused = !state.disabled && IsFocused();
  return state;
}

void CButtonUI::PaintBkColor(HDC hDC) {
  PaintState state = GatherPaintState();
  DWORD saved = m_dwBackColor;
  if (state.pushed && m_dwPushedBkColor != 0) {
    m_dwBackColor = m_dwPushedBkColor;
  } else if ((state.hot || state.pushed) && m_dwHotBkColor != 0) {
    m_dwBackColor = m_dwHotBkColor;
  }
  CLabelUI::PaintBkColor(hDC);
  m_dwBackColor = saved;
}

void CButtonUI::PaintText(HDC hDC) {
  PaintState state = GatherPaintState();
  DWORD color = m_dwTextColor;
  if (state.pushed && m_dwPushedTextColor != 0) {
    color = m_dwPushedTextColor;
  } else if ((state.hot || state.pushed) && m_dwHotTextColor != 0) {
    color = m_dwHotTextColor;
  } else if (state.focused && m_dwFocusedTextColor != 0) {
    color = m_dwFocusedTextColor;
  }
  DrawTextIn(hDC, GetText(), CurrentTextColor(color));
}

void CButtonUI::PaintStatusImage(HDC hDC) {
  PaintState state = GatherPaintState();
  // The most specific image that exists wins; the normal image is the fallback for every state.
  const CDuiString* image = &m_sNormalImage;
  if (state.disabled && !m_sDisabledImage.IsEmpty()) {
    image = &m_sDisabledImage;
  } else if (state.pushed && !m_sPushedImage.IsEmpty()) {
    image = &m_sPushedImage;
  } else if ((state.hot || state.pushed) && !m_sHotImage.IsEmpty()) {
    image = &m_sHotImage;
  } else if (state.focused && !m_sFocusedImage.IsEmpty()) {
    image = &m_sFocusedImage;
  }
  if (!image->IsEmpty()) DrawImage(hDC, *image);
}

void CButtonUI::PaintForeImage(HDC hDC) {
  PaintState state = GatherPaintState();
  if (state.pushed && !m_sPushedForeImage.IsEmpty()) {
    DrawImage(hDC, m_sPushedForeImage);
  } else if ((state.hot || state.pushed) && !m_sHotForeImage.IsEmpty()) {
    DrawImage(hDC, m_sHotForeImage);
  } else {
    CLabelUI::PaintForeImage(hDC);
  }
}
