#pragma once
#include "ui/toolkit/ui_types.h"

// The scale of one window: layouts are written for 96 DPI and every size, position, padding,
// font and image destination is multiplied by dpi / 96 when laid out or drawn.
class CDPI {
 public:
  // The DPI values a window accepts.
  static bool IsValidDPI(int dpi);

  int GetDPI() const { return dpi_; }
  // Percent of 96 DPI (150 for 144 DPI).
  int GetScale() const { return dpi_ * 100 / 96; }
  // Sets an accepted value and returns true; any other value sets 96 and returns false.
  bool SetDPI(int dpi);

  int Scale(int value) const;
  RECT Scale(RECT rc) const;
  SIZE Scale(SIZE size) const;
  POINT Scale(POINT point) const;
  void ScaleBack(RECT& rc) const;

 private:
  int dpi_ = 96;
};
