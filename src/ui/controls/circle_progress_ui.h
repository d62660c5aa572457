#pragma once
#include "ui/toolkit/controls/progress_ui.h"

// Progress drawn as a ring: a disc in the background colour, the done part as a pie in the fore
// colour starting at the bottom and running clockwise, and a white disc inside that leaves a
// ring 10 pixels wide (at 96 DPI). A text is drawn in the middle of the ring.
class CCircleProgressUI : public CProgressUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void PaintBkColor(HDC hDC) override;
  void PaintText(HDC hDC) override;
  void PaintForeColor(HDC hDC) override;
  void PaintForeImage(HDC hDC) override;
};
