#pragma once
#include <string_view>
#include <utility>
#include <vector>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_types.h"

using TAttributeList = std::vector<std::pair<CDuiString, CDuiString>>;

// Parsers for the value forms layout attributes and image strings use. They never fail loudly: a
// value that does not parse gives the fallback, so a typo in a skin costs one attribute, not the
// window.

// "true" (any case) or "1".
bool ParseBoolValue(std::string_view value);
// Decimal integer, with an optional sign; 0 for anything else.
int ParseIntValue(std::string_view value);
// Integer in the given base ("0x" and "#" prefixes are skipped for base 16).
long ParseIntValue(std::string_view value, int base, long fallback);
// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or a decimal number.
DWORD ParseColorValue(std::string_view value);
// Up to four comma-separated integers "l,t,r,b"; missing ones are 0.
RECT ParseRectValue(std::string_view value);
// "cx,cy".
SIZE ParseSizeValue(std::string_view value);
// name1="value1" name2='value2' ... in order; parsing stops at the first malformed pair.
TAttributeList ParseAttributeList(std::string_view list);
