#include "sim/mouse_factory_memory.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint8_t kMouseStep = 50;
constexpr uint16_t kMouseBase = 50;
// Sensor 12548 ends its stage sliders ten below this.
constexpr uint16_t kMouseSliderLimit = 162;
constexpr size_t kLightStreamSize = 512;

// Factory records (type, parameter high, parameter low) of the logical buttons 0..10.
constexpr std::array<std::array<uint8_t, 3>, kSimMouseLogicalButtons> kFactoryButtons = {{
    {0x10, 0x01, 0x00},  // left
    {0x10, 0x02, 0x00},  // right
    {0x10, 0x04, 0x00},  // middle
    {0x10, 0x10, 0x00},  // forward
    {0x10, 0x08, 0x00},  // back
    {0x13, 0x01, 0x00},
    {0x13, 0x02, 0x00},
    {0x13, 0x03, 0x00},
    {0xA0, 0x1B, 0x00},
    {0x16, 0x90, 0x01},
    {0x14, 0x78, 0x02},
}};

void PutLittleEndian(std::vector<uint8_t>& block, size_t offset, uint16_t value) {
  block[offset] = static_cast<uint8_t>(value);
  block[offset + 1] = static_cast<uint8_t>(value >> 8);
}

std::vector<uint8_t> InfoBlock(const SimMouseOptions& options) {
  std::vector<uint8_t> block = SimDeviceInfoBlock(options.initialised);
  block[5] = options.recordCount;
  block[6] = options.macroUnits;
  PutLittleEndian(block, 9, options.sensorId);
  block[11] = kMouseStep;
  PutLittleEndian(block, 12, kMouseSliderLimit);
  PutLittleEndian(block, 14, kMouseBase);
  return block;
}

std::vector<uint8_t> ConfigImage(const SimMouseOptions& options) {
  std::vector<uint8_t> image(3u * options.recordCount, 0);
  for (size_t k = 0; k < kFactoryButtons.size() && 3 * k + 2 < image.size(); ++k) {
    std::copy(kFactoryButtons[k].begin(), kFactoryButtons[k].end(), image.begin() + static_cast<std::ptrdiff_t>(3 * k));
  }
  return image;
}

// A settings page with the options' lighting mode (breathing unless chosen) in blue, stage 1 of
// five enabled stages current, the 1000 Hz polling stage and moderate sleep and debounce times.
void FillSettingsPage(std::vector<uint8_t>& area, size_t page, uint8_t lightModeCode) {
  uint8_t* p = area.data() + page * kSimMouseSettingsPageStride;
  p[0] = static_cast<uint8_t>(page);
  p[1] = lightModeCode;
  p[2] = 4;     // brightness
  p[3] = 2;     // 4 - speed
  p[6] = 0x00;  // colour
  p[7] = 0x40;
  p[8] = 0xFF;
  p[11] = 3;  // polling-rate stage
  p[kSimMouseStageByte] = 1;
  constexpr std::array<uint16_t, 5> kStageValues = {7, 15, 31, 63, 127};  // 400 ... 6400 with step 50, base 50
  constexpr std::array<std::array<uint8_t, 3>, 5> kStageColours = {
      {{0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}, {0xFF, 0xFF, 0}, {0xFF, 0, 0xFF}}};
  for (size_t i = 0; i < kStageValues.size(); ++i) {
    uint8_t* stage = p + 14 + 9 * i;
    stage[0] = 1;
    stage[2] = static_cast<uint8_t>(kStageValues[i]);
    stage[3] = static_cast<uint8_t>(kStageValues[i] >> 8);
    stage[4] = stage[2];
    stage[5] = stage[3];
    std::copy(kStageColours[i].begin(), kStageColours[i].end(), stage + 6);
  }
  p[77] = 10;  // Bluetooth sleep times
  p[78] = 5;
  p[79] = 5;  // device sleep times
  p[80] = 3;
  p[81] = 4;  // debounce
  p[86] = p[1];
}

}  // namespace

SimFirmwareMemory BuildMouseFactoryMemory(const SimMouseOptions& options) {
  SimFirmwareMemory memory;
  memory[SimBlock::DeviceInfo] = InfoBlock(options);
  memory[SimBlock::ConfigImage] = ConfigImage(options);
  std::vector<uint8_t>& settings = memory[SimBlock::Settings];
  settings.assign(kSimMouseSettingsPages * kSimMouseSettingsPageStride, 0);
  for (size_t page = 0; page < kSimMouseSettingsPages; ++page) FillSettingsPage(settings, page, options.lightModeCode);
  memory[SimBlock::Status] = {std::min<uint8_t>(options.batteryLevel, 100), static_cast<uint8_t>(options.charging)};
  memory[SimBlock::MacroData].assign(128u * options.macroUnits, 0);
  memory[SimBlock::RecoilData].assign(kSimMouseRecoilSize, 0);
  memory[SimBlock::LightStream].assign(kLightStreamSize, 0);
  return memory;
}
