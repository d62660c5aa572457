#include "devices/page/function_pages.h"

#include "transport/supported_devices.h"

namespace {

struct FunctionPageRow {
  int type;
  bool keyboardOrMouseOnly;  // the row applies to kinds 1 and 2 only
  FunctionPages pages;
};

// Tested in order; the first row that applies wins.
constexpr FunctionPageRow kRows[] = {
    {3, false, {1, -1}}, {8, false, {1, -1}}, {5, false, {2, -1}}, {9, false, {4, -1}}, {4, true, {3, -1}},
    {2, false, {0, 1}},  {6, false, {0, 1}},  {4, false, {0, 2}},  {7, false, {0, 2}},
};

}  // namespace

FunctionPages FunctionPagesFor(int functionType, uint16_t deviceKind) {
  const bool keyboardOrMouse = deviceKind == kDeviceKindKeyboard || deviceKind == kDeviceKindMouse;
  for (const FunctionPageRow& row : kRows) {
    if (row.type == functionType && (!row.keyboardOrMouseOnly || keyboardOrMouse)) return row.pages;
  }
  return {0, 0};
}
