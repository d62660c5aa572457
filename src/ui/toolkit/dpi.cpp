#include "ui/toolkit/dpi.h"

bool CDPI::IsValidDPI(int dpi) {
  switch (dpi) {
    case 48:
    case 72:
    case 96:
    case 120:
    case 144:
    case 168:
    case 192:
      return true;
    default:
      return false;
  }
}

bool CDPI::SetDPI(int dpi) {
  if (!IsValidDPI(dpi)) {
    dpi_ = 96;
    return false;
  }
  dpi_ = dpi;
  return true;
}

int CDPI::Scale(int value) const {
  // Rounded to nearest, symmetric for negative offsets, so a layout scaled up and down lands on
  // the same pixels.
  long scaled = long(value) * dpi_;
  return int(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

RECT CDPI::Scale(RECT rc) const { return RECT{Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)}; }

SIZE CDPI::Scale(SIZE size) const { return SIZE{Scale(size.cx), Scale(size.cy)}; }

POINT CDPI::Scale(POINT point) const { return POINT{Scale(point.x), Scale(point.y)}; }

void CDPI::ScaleBack(RECT& rc) const {
  auto back = [this](int v) { return int((long(v) * 96 + dpi_ / 2) / dpi_); };
  rc = RECT{back(rc.left), back(rc.top), back(rc.right), back(rc.bottom)};
}
