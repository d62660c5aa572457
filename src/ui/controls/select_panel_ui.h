#pragma once
#include "ui/toolkit/vertical_layout_ui.h"

// The panel under a device picture: dragging over it draws a rubber band, and on release every
// key button (class "DeviceKeyButton") inside the panel that the band touches becomes selected
// and every other one unselected; then the panel sends "click_select_end". A click without a
// drag changes nothing and sends nothing. The band is drawn in the window's selected colour
// (the window attribute "selectedcolor").
class CSelectPanelUI : public CVerticalLayoutUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  bool IsDragging() const { return m_bDragging; }
  // Window pixels, normalised; meaningful while dragging and after the last drag.
  RECT GetSelectionRect() const { return m_rcSelection; }

  void DoEvent(TEventUI& event) override;
  bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;

 private:
  void SelectTouchedButtons();

  POINT m_ptAnchor;
  RECT m_rcSelection;
  bool m_bPressed = false;
  bool m_bDragging = false;
};
