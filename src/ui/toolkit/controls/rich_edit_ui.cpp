#include "ui/toolkit/controls/rich_edit_ui.h"

#include "ui/toolkit/attribute_values.h"

CRichEditUI::CRichEditUI() {
  m_uTextStyle = DT_WORDBREAK | DT_TOP | DT_LEFT;
  m_uMaxChar = 0;
}

LPCTSTR CRichEditUI::GetClass() const { return "RichEdit"; }

void* CRichEditUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("RichEdit") == 0) return static_cast<CRichEditUI*>(this);
  return CEditUI::GetInterface(pstrName);
}

void CRichEditUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  if (name == "wantreturn") {
    SetWantReturn(ParseBoolValue(pstrValue ? pstrValue : ""));
  } else if (name == "multiline") {
    // Always multi-line; accepted for layouts that say so.
  } else {
    CEditUI::SetAttribute(pstrName, pstrValue);
  }
}
