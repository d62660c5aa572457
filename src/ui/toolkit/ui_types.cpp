#include "ui/toolkit/ui_types.h"

#include <algorithm>

bool IntersectRect(RECT& result, const RECT& a, const RECT& b) {
  result.left = std::max(a.left, b.left);
  result.top = std::max(a.top, b.top);
  result.right = std::min(a.right, b.right);
  result.bottom = std::min(a.bottom, b.bottom);
  if (IsRectEmpty(result)) {
    result = RECT{};
    return false;
  }
  return true;
}

void OffsetRect(RECT& rc, int dx, int dy) {
  rc.left += dx;
  rc.right += dx;
  rc.top += dy;
  rc.bottom += dy;
}

void DeflateRect(RECT& rc, const RECT& insets) {
  rc.left += insets.left;
  rc.top += insets.top;
  rc.right -= insets.right;
  rc.bottom -= insets.bottom;
}
