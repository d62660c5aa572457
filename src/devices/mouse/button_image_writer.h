#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "devices/mouse/button_record_map.h"
#include "profiles/records/key_assignment.h"

struct ButtonImageWrite {
  std::vector<uint8_t> image;        // the 3 * N bytes to send
  std::vector<int> macroImageOrder;  // original macro indexes in order of first use (slot 0, 1, ...)
};

// Puts the current assignment of logical button i (keys[i], i < 11) into its mapped record of a
// copy of the last image read. Buttons without a record, or whose record lies past the image, are
// left out. Macro numbers are renumbered 0, 1, 2 ... in order of first use (macroImageOrder
// keeps the original numbers); a macro number not below `macroCount` gives the button its
// default assignment instead.
ButtonImageWrite BuildButtonImageWrite(std::span<const uint8_t> lastImage, const ButtonRecordMap& map,
                                       const std::vector<KeyAssignmentPair>& keys, int macroCount);
