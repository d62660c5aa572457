#pragma once
#include "ui/toolkit/controls/list_ui.h"

// The list a popup menu is made of (tag Menu); its rows are CMenuElementUI.
class CMenuUI : public CListUI {
 public:
  CMenuUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
};
