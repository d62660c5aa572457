#include "devices/mousepad/pad_settings_page.h"

#include <algorithm>

void PadSettingsBlock::TakeLighting(const LightInfoRecord& light) {
  bytes[kPadModeByte] = light.SelectItem;
  bytes[kPadBrightnessByte] = light.Light;
  bytes[kPadSpeedByte] = light.Speed;
  bytes[kPadDirectionByte] = light.Fx;
  bytes[kPadMultiColourByte] = light.MultiColor;
  bytes[kPadRedByte] = light.Red;
  bytes[kPadGreenByte] = light.Green;
  bytes[kPadBlueByte] = light.Blue;
}

LightInfoRecord PadSettingsBlock::LightingOver(LightInfoRecord light) const {
  light.SelectItem = bytes[kPadModeByte];
  light.Light = bytes[kPadBrightnessByte];
  light.Speed = bytes[kPadSpeedByte];
  light.Fx = bytes[kPadDirectionByte];
  light.MultiColor = bytes[kPadMultiColourByte];
  light.Red = bytes[kPadRedByte];
  light.Green = bytes[kPadGreenByte];
  light.Blue = bytes[kPadBlueByte];
  return light;
}

PadSettingsBlock DecodePadPage(const PadPageReadBytes& raw, uint8_t activeProfile, std::span<const int> modeCodes) {
  PadSettingsBlock block;
  std::copy_n(raw.begin(), kPadPageSize, block.bytes.begin());
  block.bytes[kPadActiveProfileByte] = activeProfile;
  const auto code = std::find(modeCodes.begin(), modeCodes.end(), static_cast<int>(raw[kPadModeByte]));
  if (code != modeCodes.end()) block.bytes[kPadModeByte] = static_cast<uint8_t>(code - modeCodes.begin());
  const uint8_t stored = raw[kPadSpeedByte];
  block.bytes[kPadSpeedByte] = stored > kPadFastestSpeed ? 0 : static_cast<uint8_t>(kPadFastestSpeed - stored);
  return block;
}

PadPageBytes EncodePadPage(const PadSettingsBlock& block, std::span<const int> modeCodes) {
  PadPageBytes page = block.bytes;
  const uint8_t index = block.bytes[kPadModeByte];
  if (index < modeCodes.size() && modeCodes[index] >= 0 && modeCodes[index] <= 0xFF) {
    page[kPadModeByte] = static_cast<uint8_t>(modeCodes[index]);
  }
  page[kPadSpeedByte] = static_cast<uint8_t>(kPadFastestSpeed - std::min(block.Speed(), kPadFastestSpeed));
  return page;
}
