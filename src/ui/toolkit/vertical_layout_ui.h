#pragma once
#include "ui/toolkit/container_ui.h"

// Children one below the other, top to bottom (see CContainerUI::LayoutLinear); scrolls with
// vscrollbar="true".
class CVerticalLayoutUI : public CContainerUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};
