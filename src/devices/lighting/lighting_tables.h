#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The fixed byte tables every lighting preview shares: the device previews and the synchronised
// engine that drives several devices at once read the same values.

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr size_t kWheelSegmentSize = 32;
inline constexpr size_t kColourWheelSize = 6 * kWheelSegmentSize;

// The wheel's rising and falling channel ramps; each wheel segment holds one channel at 255, one
// at 0 and moves the third along one of these.
inline constexpr std::array<uint8_t, kWheelSegmentSize> kWheelRise = {
    1,  3,  5,  7,  10, 14, 18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, kWheelSegmentSize> kWheelFall = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

constexpr std::array<Rgb, kColourWheelSize> BuildColourWheel() {
  std::array<Rgb, kColourWheelSize> wheel{};
  for (size_t i = 0; i < kWheelSegmentSize; ++i) {
    const uint8_t up = kWheelRise[i];
    const uint8_t down = kWheelFall[i];
    wheel[0 * kWheelSegmentSize + i] = {255, up, 0};    // red to yellow
    wheel[1 * kWheelSegmentSize + i] = {down, 255, 0};  // yellow to green
    wheel[2 * kWheelSegmentSize + i] = {0, 255, up};    // green to cyan
    wheel[3 * kWheelSegmentSize + i] = {0, down, 255};  // cyan to blue
    wheel[4 * kWheelSegmentSize + i] = {up, 0, 255};    // blue to magenta
    wheel[5 * kWheelSegmentSize + i] = {255, 0, down};  // magenta back to red
  }
  return wheel;
}
inline constexpr std::array<Rgb, kColourWheelSize> kColourWheel = BuildColourWheel();

inline constexpr size_t kBreathingCurveSize = 128;

// The rising half of the breathing curve; the falling half mirrors it.
inline constexpr std::array<uint8_t, kBreathingCurveSize / 2> kBreathingRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<uint8_t, kBreathingCurveSize> BuildBreathingCurve() {
  std::array<uint8_t, kBreathingCurveSize> curve{};
  for (size_t i = 0; i < kBreathingRise.size(); ++i) {
    curve[i] = kBreathingRise[i];
    curve[kBreathingCurveSize - 1 - i] = kBreathingRise[i];
  }
  return curve;
}
inline constexpr std::array<uint8_t, kBreathingCurveSize> kBreathingCurve = BuildBreathingCurve();

// One light-clock tick: every lighting step, the devices' previews and the shared lighting alike,
// comes after a whole number of these.
inline constexpr uint32_t kLightTickMs = 16;

// Brightness settings 0-4; the spare rows stay dark.
inline constexpr std::array<uint8_t, 8> kBrightnessLevels = {0, 64, 128, 150, 192, 0, 0, 0};

// Speed settings 0-4 as the blink interval in units of 200 ms; faster settings have no wait.
inline constexpr std::array<uint8_t, 15> kSpeedSteps = {28, 23, 18, 13, 7, 0, 0, 0,
                                                        0,  0,  0,  0,  0, 0, 0};

inline constexpr std::array<Rgb, 7> kSevenColours = {
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255},
     {255, 255, 255}}};
inline constexpr std::array<Rgb, 4> kFourColours = {
    {{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};

// A setting beyond the end of its table (or negative) reads as 0.
constexpr uint8_t BrightnessLevel(int level) {
  return level >= 0 && static_cast<size_t>(level) < kBrightnessLevels.size()
             ? kBrightnessLevels[static_cast<size_t>(level)]
             : 0;
}
constexpr uint8_t SpeedStep(int speed) {
  return speed >= 0 && static_cast<size_t>(speed) < kSpeedSteps.size()
             ? kSpeedSteps[static_cast<size_t>(speed)]
             : 0;
}

// A table value scaled by a brightness level: ramp × level / 256.
constexpr uint8_t ScaleByLevel(uint8_t value, uint8_t level) {
  return static_cast<uint8_t>(value * level / 256);
}

// Wheel colour for any index; indexes wrap around the wheel.
constexpr Rgb WheelColour(int index) {
  const int size = static_cast<int>(kColourWheelSize);
  return kColourWheel[static_cast<size_t>(((index % size) + size) % size)];
}
