#pragma once

#include <cstdint>

// Which pages of a device page's two tab switches show the editor of a function type (1 lighting
// … 9 more): "device_function_switch" holds the editors, its page 0 "device_key_function_switch"
// the key editor's three views. -1 leaves a switch where it is.
struct FunctionPages {
  int functionPage = 0;
  int keyFunctionPage = -1;
};

FunctionPages FunctionPagesFor(int functionType, uint16_t deviceKind);
