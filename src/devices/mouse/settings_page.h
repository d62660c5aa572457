#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "profiles/records/device_blocks.h"
#include "profiles/records/lighting_records.h"

// One on-device profile's settings: 87 bytes at 128 * page in the device's settings area.
inline constexpr size_t kSettingsPageSize = 87, kSettingsPageStride = 128, kMaxStages = 7;
using SettingsPageBytes = std::array<uint8_t, kSettingsPageSize>;

// The device knows the logo's breathing mode by code 4; the profile and the mode list call it 2.
inline constexpr uint8_t kProfileLogoBreathingCode = 2;
inline constexpr uint8_t kDeviceLogoBreathingCode = 4;

// Bytes 6-8 are red, green, blue. Speed above 4 is sent as 4; the current stage is clamped into
// 0 ... 6; the first seven stages are sent and missing ones stay zero.
SettingsPageBytes EncodeSettingsPage(uint8_t profileByte, const std::vector<DPIStage>& stages, int currentStage,
                                     const MouseSystemBlock& system, const LightInfoRecord& light);

// What a page read from the device means for the profile. The lighting record and the system
// block start from the previous values; only the fields the page holds are replaced.
struct DecodedSettingsPage {
  // The page as read, with byte 0 := active profile, bytes 1 and 86 := the logo code (4 read as
  // 2) and byte 9 := 0.
  SettingsPageBytes page{};
  uint8_t activeProfile = 0;
  uint8_t logoModeCode = 0;  // 4 already turned into 2
  int lightModeIndex = 0;    // the code's position in lightModeCodes when listed, else the code
  // SelectItem (the mode index), Light, Speed (4 - byte 3; 0 when byte 3 is above 4),
  // MultiColor, Red, Green, Blue replaced.
  LightInfoRecord light{};
  // Bytes 11, 77-81, 83, 84 and the logo code stored in their halves.
  MouseSystemBlock system{};
  int currentStage = 0;  // byte 12; a stage past the last gives 0
};

// The stages are not read back: the profile stays the master of the stage list.
DecodedSettingsPage DecodeSettingsPage(const SettingsPageBytes& raw, uint8_t activeProfile,
                                       std::span<const uint8_t> lightModeCodes, const MouseSystemBlock& previousSystem,
                                       const LightInfoRecord& previousLight);

// What a page holds that the program's own read leaves to the profile: the seven stage records
// (trailing stages that are all zero left out, as the page pads a shorter list with zeros) and
// the lighting's effect variant. For a copy of what the mouse holds (an export).
std::vector<DPIStage> DecodeSettingsPageStages(const SettingsPageBytes& raw);
uint8_t DecodeSettingsPageEffectVariant(const SettingsPageBytes& raw);
