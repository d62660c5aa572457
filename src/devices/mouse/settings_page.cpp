#include "devices/mouse/settings_page.h"

#include <algorithm>

#include "devices/mouse/mouse_system_words.h"

namespace {

constexpr size_t kProfileByte = 0;
constexpr size_t kLogoModeByte = 1;
constexpr size_t kBrightnessByte = 2;
constexpr size_t kInverseSpeedByte = 3;
constexpr size_t kEffectVariantByte = 4;
constexpr size_t kMultiColourByte = 5;
constexpr size_t kRedByte = 6;
constexpr size_t kGreenByte = 7;
constexpr size_t kBlueByte = 8;
constexpr size_t kAlwaysZeroByte = 9;
constexpr size_t kPollingStageByte = 11;
constexpr size_t kCurrentStageByte = 12;
constexpr size_t kFirstStageByte = 14;
constexpr size_t kStageRecordSize = 9;
constexpr size_t kBluetoothSleep1Byte = 77;
constexpr size_t kBluetoothSleep2Byte = 78;
constexpr size_t kDeviceSleep1Byte = 79;
constexpr size_t kDeviceSleep2Byte = 80;
constexpr size_t kDebounceByte = 81;
constexpr size_t kSilentAltitudeByte = 82;
constexpr size_t kLinearCalibrationByte = 83;
constexpr size_t kRippleByte = 84;
constexpr size_t kLogoModeCopyByte = 86;

// The page sends speed as its distance from the fastest step.
constexpr uint8_t kFastestSpeed = 4;

// Profile values are 16 or 32 bits wide; the page has one byte for each, so larger values
// saturate instead of wrapping to something small.
uint8_t SaturatedByte(uint32_t value) { return static_cast<uint8_t>(std::min<uint32_t>(value, 0xFF)); }

uint8_t DeviceLogoCode(uint16_t profileCode) {
  return profileCode == kProfileLogoBreathingCode ? kDeviceLogoBreathingCode : SaturatedByte(profileCode);
}

void PutStage(SettingsPageBytes& page, size_t index, const DPIStage& stage) {
  uint8_t* bytes = page.data() + kFirstStageByte + kStageRecordSize * index;
  bytes[0] = stage.StageActive;
  bytes[1] = stage.StageXY;
  bytes[2] = static_cast<uint8_t>(stage.StageDPIX);
  bytes[3] = static_cast<uint8_t>(stage.StageDPIX >> 8);
  bytes[4] = static_cast<uint8_t>(stage.StageDPIY);
  bytes[5] = static_cast<uint8_t>(stage.StageDPIY >> 8);
  bytes[6] = stage.StageColorR;
  bytes[7] = stage.StageColorG;
  bytes[8] = stage.StageColorB;
}

DPIStage GetStage(const SettingsPageBytes& page, size_t index) {
  const uint8_t* bytes = page.data() + kFirstStageByte + kStageRecordSize * index;
  DPIStage stage;
  stage.StageActive = bytes[0];
  stage.StageXY = bytes[1];
  stage.StageDPIX = static_cast<uint16_t>(bytes[2] | (bytes[3] << 8));
  stage.StageDPIY = static_cast<uint16_t>(bytes[4] | (bytes[5] << 8));
  stage.StageColorR = bytes[6];
  stage.StageColorG = bytes[7];
  stage.StageColorB = bytes[8];
  return stage;
}

void PutLighting(SettingsPageBytes& page, const LightInfoRecord& light) {
  page[kBrightnessByte] = light.Light;
  page[kInverseSpeedByte] = static_cast<uint8_t>(kFastestSpeed - std::min(light.Speed, kFastestSpeed));
  page[kEffectVariantByte] = light.Fx;
  page[kMultiColourByte] = light.MultiColor;
  page[kRedByte] = light.Red;
  page[kGreenByte] = light.Green;
  page[kBlueByte] = light.Blue;
}

void PutSystemBlock(SettingsPageBytes& page, const MouseSystemBlock& system) {
  page[kPollingStageByte] = SaturatedByte(HighHalf(system[kSystemWordWheelAndPolling]));
  page[kBluetoothSleep1Byte] = SaturatedByte(LowHalf(system[kSystemWordBluetoothSleep]));
  page[kBluetoothSleep2Byte] = SaturatedByte(HighHalf(system[kSystemWordBluetoothSleep]));
  page[kDeviceSleep1Byte] = SaturatedByte(LowHalf(system[kSystemWordDeviceSleep]));
  page[kDeviceSleep2Byte] = SaturatedByte(HighHalf(system[kSystemWordDeviceSleep]));
  page[kDebounceByte] = SaturatedByte(LowHalf(system[kSystemWordDebounceAndLogo]));
  page[kSilentAltitudeByte] = SaturatedByte(LowHalf(system[kSystemWordSensorOptions]));
  page[kLinearCalibrationByte] = SaturatedByte(HighHalf(system[kSystemWordSensorOptions]));
  page[kRippleByte] = SaturatedByte(system[kSystemWordRipple]);
  const uint8_t logoCode = DeviceLogoCode(HighHalf(system[kSystemWordDebounceAndLogo]));
  page[kLogoModeByte] = logoCode;
  page[kLogoModeCopyByte] = logoCode;
}

int LightModeIndex(uint8_t code, std::span<const uint8_t> lightModeCodes) {
  const auto listed = std::find(lightModeCodes.begin(), lightModeCodes.end(), code);
  if (listed == lightModeCodes.end()) return code;
  return static_cast<int>(listed - lightModeCodes.begin());
}

LightInfoRecord ReadLighting(const SettingsPageBytes& raw, int modeIndex, LightInfoRecord light) {
  light.SelectItem = static_cast<uint8_t>(modeIndex);
  light.Light = raw[kBrightnessByte];
  // A byte past the fastest step would make a negative speed; it is taken as the slowest.
  const uint8_t inverseSpeed = raw[kInverseSpeedByte];
  light.Speed = inverseSpeed > kFastestSpeed ? 0 : static_cast<uint8_t>(kFastestSpeed - inverseSpeed);
  light.MultiColor = raw[kMultiColourByte];
  light.Red = raw[kRedByte];
  light.Green = raw[kGreenByte];
  light.Blue = raw[kBlueByte];
  return light;
}

void SetHighHalf(uint32_t& word, uint16_t high) { word = PackHalves(LowHalf(word), high); }

MouseSystemBlock ReadSystemBlock(const SettingsPageBytes& raw, uint8_t logoCode, MouseSystemBlock system) {
  SetHighHalf(system[kSystemWordWheelAndPolling], raw[kPollingStageByte]);
  SetHighHalf(system[kSystemWordSensorOptions], raw[kLinearCalibrationByte]);
  system[kSystemWordRipple] = raw[kRippleByte];
  system[kSystemWordBluetoothSleep] = PackHalves(raw[kBluetoothSleep1Byte], raw[kBluetoothSleep2Byte]);
  system[kSystemWordDeviceSleep] = PackHalves(raw[kDeviceSleep1Byte], raw[kDeviceSleep2Byte]);
  system[kSystemWordDebounceAndLogo] = PackHalves(raw[kDebounceByte], logoCode);
  return system;
}

}  // namespace

SettingsPageBytes EncodeSettingsPage(uint8_t profileByte, const std::vector<DPIStage>& stages, int currentStage,
                                     const MouseSystemBlock& system, const LightInfoRecord& light) {
  SettingsPageBytes page{};
  page[kProfileByte] = profileByte;
  PutLighting(page, light);
  PutSystemBlock(page, system);
  page[kCurrentStageByte] = static_cast<uint8_t>(std::clamp(currentStage, 0, static_cast<int>(kMaxStages) - 1));
  const size_t stageCount = std::min(stages.size(), kMaxStages);
  for (size_t i = 0; i < stageCount; ++i) PutStage(page, i, stages[i]);
  return page;
}

DecodedSettingsPage DecodeSettingsPage(const SettingsPageBytes& raw, uint8_t activeProfile,
                                       std::span<const uint8_t> lightModeCodes, const MouseSystemBlock& previousSystem,
                                       const LightInfoRecord& previousLight) {
  DecodedSettingsPage decoded;
  const uint8_t rawCode = raw[kLogoModeByte];
  decoded.logoModeCode = rawCode == kDeviceLogoBreathingCode ? kProfileLogoBreathingCode : rawCode;
  decoded.activeProfile = activeProfile;
  decoded.page = raw;
  decoded.page[kProfileByte] = activeProfile;
  decoded.page[kLogoModeByte] = decoded.logoModeCode;
  decoded.page[kLogoModeCopyByte] = decoded.logoModeCode;
  decoded.page[kAlwaysZeroByte] = 0;
  decoded.lightModeIndex = LightModeIndex(decoded.logoModeCode, lightModeCodes);
  decoded.light = ReadLighting(raw, decoded.lightModeIndex, previousLight);
  decoded.system = ReadSystemBlock(raw, decoded.logoModeCode, previousSystem);
  const uint8_t stage = raw[kCurrentStageByte];
  decoded.currentStage = stage < kMaxStages ? stage : 0;
  return decoded;
}

std::vector<DPIStage> DecodeSettingsPageStages(const SettingsPageBytes& raw) {
  std::vector<DPIStage> stages;
  for (size_t i = 0; i < kMaxStages; ++i) stages.push_back(GetStage(raw, i));
  while (!stages.empty() && stages.back() == DPIStage{}) stages.pop_back();
  return stages;
}

uint8_t DecodeSettingsPageEffectVariant(const SettingsPageBytes& raw) { return raw[kEffectVariantByte]; }
