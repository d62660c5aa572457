#pragma once
#include "ui/toolkit/controls/option_ui.h"

// A toggling option for yes/no settings; "checked" is "selected" under another name.
class CCheckBoxUI : public COptionUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void SetCheck(bool bCheck, bool bTriggerEvent = true) { Selected(bCheck, bTriggerEvent); }
  bool GetCheck() const { return IsSelected(); }
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
};
