#include "ui/toolkit/controls/menu_ui.h"

CMenuUI::CMenuUI() {
  // A menu is sized to its items; it does not scroll.
  m_bVScrollEnabled = false;
  GetListInfo()->nItemHeight = 28;
}

LPCTSTR CMenuUI::GetClass() const { return "Menu"; }

void* CMenuUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Menu") == 0) return static_cast<CMenuUI*>(this);
  return CListUI::GetInterface(pstrName);
}
