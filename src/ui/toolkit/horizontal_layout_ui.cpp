#include "ui/toolkit/horizontal_layout_ui.h"

LPCTSTR CHorizontalLayoutUI::GetClass() const { return "HorizontalLayout"; }

void* CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("HorizontalLayout") == 0) return static_cast<CHorizontalLayoutUI*>(this);
  return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  RECT area = GetChildArea();
  LayoutLinear(area, true);
  SetContentHeight(RectHeight(area));
}
