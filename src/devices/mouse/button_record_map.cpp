#include "devices/mouse/button_record_map.h"

#include <algorithm>

namespace {

struct FactoryRecord {
  uint8_t type;
  uint8_t high;
  uint8_t low;
};

constexpr std::array<FactoryRecord, kMouseLogicalButtons> kFactoryRecords = {{
    {0x10, 0x01, 0x00},  // 0 left
    {0x10, 0x02, 0x00},  // 1 right
    {0x10, 0x04, 0x00},  // 2 middle
    {0x10, 0x10, 0x00},  // 3 forward
    {0x10, 0x08, 0x00},  // 4 back
    {0x13, 0x01, 0x00},  // 5
    {0x13, 0x02, 0x00},  // 6
    {0x13, 0x03, 0x00},  // 7
    {0xA0, 0x1B, 0x00},  // 8
    {0x16, 0x90, 0x01},  // 9
    {0x14, 0x78, 0x02},  // 10
}};

bool RecordMatches(std::span<const uint8_t> record, const FactoryRecord& factory) {
  return record[0] == factory.type && record[1] == factory.high && record[2] == factory.low;
}

}  // namespace

KeyAssignment FactoryButtonRecord(size_t logicalButton) {
  const auto keyIndex = static_cast<uint16_t>(logicalButton);
  if (logicalButton >= kFactoryRecords.size()) return {keyIndex, 0, 0, 0};
  const FactoryRecord& record = kFactoryRecords[logicalButton];
  return {keyIndex, record.type, record.high, record.low};
}

ButtonRecordMap UnmappedButtons() {
  ButtonRecordMap map;
  map.fill(kNoButtonRecord);
  return map;
}

ButtonRecordMap BuildButtonRecordMap(std::span<const uint8_t> image) {
  ButtonRecordMap map = UnmappedButtons();
  const size_t recordCount = std::min(image.size(), kConfigImageCapacity) / kButtonRecordSize;
  for (size_t button = 0; button < kMouseLogicalButtons; ++button) {
    for (size_t k = 0; k < recordCount; ++k) {
      if (RecordMatches(image.subspan(kButtonRecordSize * k, kButtonRecordSize), kFactoryRecords[button])) {
        map[button] = static_cast<uint16_t>(k);
        break;
      }
    }
  }
  return map;
}

ButtonRecordMap MergeButtonRecordMaps(const ButtonRecordMap& remembered, const ButtonRecordMap& found,
                                      size_t recordCount) {
  ButtonRecordMap map = UnmappedButtons();
  for (size_t button = 0; button < kMouseLogicalButtons; ++button) {
    if (remembered[button] < recordCount) map[button] = remembered[button];
  }
  for (size_t button = 0; button < kMouseLogicalButtons; ++button) {
    if (map[button] != kNoButtonRecord || found[button] >= recordCount) continue;
    if (std::find(map.begin(), map.end(), found[button]) == map.end()) map[button] = found[button];
  }
  return map;
}
