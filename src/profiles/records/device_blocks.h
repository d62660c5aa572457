#pragma once
#include <array>
#include <cstdint>

// Settings records of the device kinds, as the profile hands them to the device classes.

struct DPIStage {
  uint8_t StageActive = 0;  // the stage is enabled
  uint8_t StageXY = 0;      // separate X and Y values
  uint16_t StageDPIX = 0;   // sensor units; the device classes convert for display
  uint16_t StageDPIY = 0;
  uint8_t StageColorR = 0;
  uint8_t StageColorG = 0;
  uint8_t StageColorB = 0;

  bool operator==(const DPIStage&) const = default;
};

// Eight 32-bit words, each low half | high half << 16:
//   0 DoubleClickTime | MouseSpeed          4 Ripple (the whole word when written)
//   1 PointerPrecision | ScorllPage         5 ble_sleep1 | ble_sleep2
//   2 WheelScorlllinse | polling stage      6 device_sleep1 | device_sleep2
//   3 SilentAltitude | Linear_Calibration   7 key_debounce_time | Logoledmode
using MouseSystemBlock = std::array<uint32_t, 8>;

// ("Repeat" | "RepeatDelay" << 16), ("Key6Flag" | "PollingRate" << 16), ("WFlag" | "WinFlag" << 16).
using KeyboardSystemBlock = std::array<uint32_t, 3>;

// MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect, MicInValue, MicMoniterSelect,
// MicMoniterValue.
using HeadsetSystemBlock = std::array<int32_t, 8>;

enum HeadsetSystemField : size_t {
  kHeadsetMagicEnable,
  kHeadsetMagicType,
  kHeadsetEqType,
  kHeadsetCustomEqSelectIndex,
  kHeadsetMicInSelect,
  kHeadsetMicInValue,
  kHeadsetMicMonitorSelect,
  kHeadsetMicMonitorValue,
};

inline constexpr uint32_t PackHalves(uint16_t low, uint16_t high) { return low | (uint32_t{high} << 16); }
inline constexpr uint16_t LowHalf(uint32_t word) { return static_cast<uint16_t>(word); }
inline constexpr uint16_t HighHalf(uint32_t word) { return static_cast<uint16_t>(word >> 16); }

struct CustomKeyColour {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Alpha = 0;

  bool operator==(const CustomKeyColour&) const = default;
};
