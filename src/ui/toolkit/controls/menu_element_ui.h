#pragma once
#include "ui/toolkit/controls/list_container_element_ui.h"

// One menu row (tag MenuElement): its text, or child controls. checkitem="true" makes it a
// check item that toggles when chosen; checked gives its state. A disabled row cannot be chosen.
class CMenuElementUI : public CListContainerElementUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  bool IsCheckItem() const { return m_bCheckItem; }
  void SetCheckItem(bool bCheckItem) { m_bCheckItem = bCheckItem; }
  bool GetChecked() const { return m_bChecked; }
  void SetChecked(bool bChecked);

  SIZE EstimateSize(SIZE szAvailable) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintText(HDC hDC) override;

 private:
  bool m_bCheckItem = false;
  bool m_bChecked = false;
};
