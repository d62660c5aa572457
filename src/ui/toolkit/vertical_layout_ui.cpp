#include "ui/toolkit/vertical_layout_ui.h"

LPCTSTR CVerticalLayoutUI::GetClass() const { return "VerticalLayout"; }

void* CVerticalLayoutUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("VerticalLayout") == 0) return static_cast<CVerticalLayoutUI*>(this);
  return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  int content = LayoutLinear(GetChildArea(), false);
  SetContentHeight(content);
}
