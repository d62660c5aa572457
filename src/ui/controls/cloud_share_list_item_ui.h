#pragma once
#include "ui/toolkit/controls/list_container_element_ui.h"

// A list row that frames itself while the pointer is over it, in the owning list's hot border
// colour ("itemhotbordercolor"). Activating it sends "itemactivate"; a right click sends "menu"
// when its context menu is enabled.
class CCloudShareListItemUI : public CListContainerElementUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void PaintBorder(HDC hDC) override;
};
