#include "ui/toolkit/controls/label_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

CLabelUI::CLabelUI() = default;

LPCTSTR CLabelUI::GetClass() const { return "Label"; }

void* CLabelUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Label") == 0) return static_cast<CLabelUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) {
  m_uTextStyle = uStyle;
  Invalidate();
}

void CLabelUI::SetTextColor(DWORD dwTextColor) {
  m_dwTextColor = dwTextColor;
  Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD dwTextColor) {
  m_dwDisabledTextColor = dwTextColor;
  Invalidate();
}

void CLabelUI::SetFont(int index) {
  m_iFont = index;
  NeedParentUpdate();
}

RECT CLabelUI::GetTextPadding() const { return Scale(m_rcTextPadding); }

void CLabelUI::SetTextPadding(RECT rc) {
  m_rcTextPadding = rc;
  NeedParentUpdate();
}

void CLabelUI::SetAutoCalcWidth(bool bAutoCalcWidth) {
  m_bAutoCalcWidth = bAutoCalcWidth;
  NeedParentUpdate();
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) {
  SIZE size = CControlUI::EstimateSize(szAvailable);
  if (m_bAutoCalcWidth && m_pManager) {
    RECT padding = GetTextPadding();
    SIZE text = CRenderEngine::GetTextSize(m_pManager, GetText(), m_iFont, m_uTextStyle | DT_SINGLELINE);
    size.cx = text.cx + padding.left + padding.right;
  }
  return size;
}

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "align") {
    m_uTextStyle &= ~(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (value.Find("center") >= 0) m_uTextStyle |= DT_CENTER;
    if (value.Find("right") >= 0) m_uTextStyle |= DT_RIGHT;
    if (value.Find("top") >= 0) m_uTextStyle &= ~(DT_VCENTER | DT_BOTTOM);
    if (value.Find("bottom") >= 0) m_uTextStyle = (m_uTextStyle & ~DT_VCENTER) | DT_BOTTOM;
    Invalidate();
  } else if (name == "valign") {
    m_uTextStyle &= ~(DT_TOP | DT_VCENTER | DT_BOTTOM);
    if (value == "vcenter" || value == "center") m_uTextStyle |= DT_VCENTER;
    if (value == "bottom") m_uTextStyle |= DT_BOTTOM;
    Invalidate();
  } else if (name == "wordbreak" || name == "multiline") {
    if (ParseBoolValue(v)) {
      m_uTextStyle = (m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK;
    } else {
      m_uTextStyle = (m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE;
    }
    Invalidate();
  } else if (name == "endellipsis") {
    m_uTextStyle = ParseBoolValue(v) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS);
    Invalidate();
  } else if (name == "font") {
    SetFont(ParseIntValue(v));
  } else if (name == "textcolor") {
    SetTextColor(ParseColorValue(v));
  } else if (name == "disabledtextcolor") {
    SetDisabledTextColor(ParseColorValue(v));
  } else if (name == "textpadding") {
    SetTextPadding(ParseRectValue(v));
  } else if (name == "autocalcwidth") {
    SetAutoCalcWidth(ParseBoolValue(v));
  } else if (name == "showhtml") {
    // Accepted for older layouts; texts are drawn plain.
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

DWORD CLabelUI::CurrentTextColor(DWORD enabledColor) const {
  if (!IsEnabled()) {
    if (m_dwDisabledTextColor != 0) return m_dwDisabledTextColor;
    return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
  }
  if (enabledColor != 0) return enabledColor;
  return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::DrawTextIn(HDC hDC, const CDuiString& text, DWORD color) {
  if (text.IsEmpty()) return;
  RECT rc = m_rcItem;
  DeflateRect(rc, GetTextPadding());
  CRenderEngine::DrawText(hDC, m_pManager, rc, text, color, m_iFont, m_uTextStyle);
}

void CLabelUI::PaintText(HDC hDC) { DrawTextIn(hDC, GetText(), CurrentTextColor(m_dwTextColor)); }
