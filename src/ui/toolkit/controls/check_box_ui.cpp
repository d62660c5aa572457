#include "ui/toolkit/controls/check_box_ui.h"

LPCTSTR CCheckBoxUI::GetClass() const { return "CheckBox"; }

void* CCheckBoxUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("CheckBox") == 0) return static_cast<CCheckBoxUI*>(this);
  return COptionUI::GetInterface(pstrName);
}

void CCheckBoxUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  COptionUI::SetAttribute(CDuiString(pstrName) == "checked" ? "selected" : pstrName, pstrValue);
}
