#pragma once
#include "ui/toolkit/controls/list_element_ui.h"

// A list row of text. Pressing it sends "itemclick" and selects it; a double click (or Enter)
// activates it ("itemactivate").
class CListLabelElementUI : public CListElementUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoEvent(TEventUI& event) override;
  SIZE EstimateSize(SIZE szAvailable) override;
  bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;
};
