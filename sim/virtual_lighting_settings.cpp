#include "sim/virtual_lighting_settings.h"

namespace {

constexpr size_t kPages = 5;

void FillLightingPage(std::vector<uint8_t>& area, size_t offset, uint8_t profile) {
  area[offset] = profile;
  area[offset + 1] = 3;  // lighting mode code
  area[offset + 2] = 4;  // brightness
  area[offset + 3] = 2;  // 4 - speed
  area[offset + 6] = 0xFF;
  area[offset + 7] = 0xFF;
  area[offset + 8] = 0xFF;
}

}  // namespace

std::vector<uint8_t> SimLightingSettingsArea() {
  std::vector<uint8_t> area(kSimLightingSettingsSize, 0);
  for (size_t page = 0; page < kPages; ++page) {
    FillLightingPage(area, page * kSimLightingWriteStride, static_cast<uint8_t>(page));
    // Pages 0 of both strides share offset 0, which is also the active profile byte.
    if (page > 0) FillLightingPage(area, page * kSimLightingReadStride, static_cast<uint8_t>(page));
  }
  return area;
}
