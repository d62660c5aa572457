#include "profiles/macros/macro_image.h"

#include <algorithm>
#include <climits>

namespace {

void PutLittleEndian16(std::vector<uint8_t>& image, size_t offset, size_t value) {
  image[offset] = static_cast<uint8_t>(value);
  image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

size_t MacroImageLength(const std::vector<size_t>& eventCounts) {
  size_t length = kMacroImageHeaderSize + (2 + kMacroRecordHeaderSize) * eventCounts.size();
  for (size_t count : eventCounts) length += kEncodedMacroEventSize * count;
  return length;
}

bool EncodeMacroImage(const std::vector<std::vector<MacroEvent>>& records, std::vector<uint8_t>& image) {
  image.clear();
  std::vector<size_t> counts;
  for (const auto& record : records) counts.push_back(record.size());
  size_t length = MacroImageLength(counts);
  if (length > kMaxMacroImageLength) return false;

  image.assign(length, 0);
  PutLittleEndian16(image, 0, kMacroImageSignature);
  PutLittleEndian16(image, 2, length);
  PutLittleEndian16(image, 4, records.size());
  size_t recordOffset = kMacroImageHeaderSize + 2 * records.size();
  for (size_t r = 0; r < records.size(); ++r) {
    PutLittleEndian16(image, kMacroImageHeaderSize + 2 * r, recordOffset);
    PutLittleEndian16(image, recordOffset, records[r].size());
    size_t eventOffset = recordOffset + kMacroRecordHeaderSize;
    for (const MacroEvent& event : records[r]) {
      auto bytes = EncodeMacroEvent(event);
      for (size_t b = 0; b < bytes.size(); ++b) image[eventOffset + b] = bytes[b];
      eventOffset += bytes.size();
    }
    recordOffset = eventOffset;
  }
  return true;
}

int EventsOverCapacity(size_t length, uint8_t units) {
  size_t capacity = kMacroMemoryUnitBytes * units;
  if (length <= capacity) return 0;
  size_t excess = (length - capacity) / kEncodedMacroEventSize + 1;
  return static_cast<int>(std::min<size_t>(excess, INT_MAX));
}
