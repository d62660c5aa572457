#pragma once
#include "ui/toolkit/container_ui.h"

// Children side by side, left to right (see CContainerUI::LayoutLinear).
class CHorizontalLayoutUI : public CContainerUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};
