#include "devices/mouse/button_image_writer.h"

#include <algorithm>

namespace {

// The macro's slot in the device's macro image, appending it on first use.
uint8_t MacroSlot(std::vector<int>& order, int macroIndex) {
  auto found = std::find(order.begin(), order.end(), macroIndex);
  if (found == order.end()) {
    order.push_back(macroIndex);
    return static_cast<uint8_t>(order.size() - 1);
  }
  return static_cast<uint8_t>(found - order.begin());
}

}  // namespace

ButtonImageWrite BuildButtonImageWrite(std::span<const uint8_t> lastImage, const ButtonRecordMap& map,
                                       const std::vector<KeyAssignmentPair>& keys, int macroCount) {
  ButtonImageWrite write;
  write.image.assign(lastImage.begin(), lastImage.end());
  const size_t buttons = std::min(keys.size(), map.size());
  for (size_t i = 0; i < buttons; ++i) {
    const size_t record = map[i];
    if (record == kNoButtonRecord || kButtonRecordSize * record + kButtonRecordSize > write.image.size()) continue;
    KeyAssignment assignment = keys[i].Current;
    if (IsMacroAssignment(assignment)) {
      if (assignment.High < macroCount) {
        assignment.High = MacroSlot(write.macroImageOrder, assignment.High);
      } else {
        assignment = keys[i].Default;
      }
    }
    uint8_t* bytes = write.image.data() + kButtonRecordSize * record;
    bytes[0] = assignment.Type;
    bytes[1] = assignment.High;
    bytes[2] = assignment.Low;
  }
  return write;
}
