#pragma once
#include <cstdint>
#include <optional>

#include "devices/lighting/lighting_tables.h"

// The shared lighting that runs on several devices at once after a same-mode copy: one colour and
// brightness per step, the same for every light of every device taking part. Pure computation;
// the engine thread (sync_light_engine.h) paces the steps and hands the colour words out.

enum class SyncLightEffect : uint8_t { kBreathing = 0, kSteady = 1, kFlashing = 2, kSpectrum = 3, kOff = 4 };

// What the same-mode copy takes from its source device's lighting record.
struct SyncLightSettings {
  uint8_t effect = 0;           // SyncLightEffect; any other value runs nothing
  uint8_t brightnessLevel = 0;  // index into kBrightnessLevels; beyond it reads as 0
  uint8_t speedLevel = 0;       // index into kSpeedSteps; beyond it reads as 0
  uint8_t direction = 0;        // breathing runs forward when non-zero
  uint8_t colourful = 0;        // colours from the wheel instead of the fixed colour
  Rgb colour{};
  bool operator==(const SyncLightSettings&) const = default;
};

// Where the effects are; every effect keeps its own position, so switching effects and back
// continues where it was.
struct SyncLightState {
  uint8_t breathingPhase = 0;  // 0 … 127 along the breathing curve
  uint8_t breathingWheel = 0;
  uint8_t spectrumWheel = 0;
  uint8_t flashingWheel = 0;
  bool flashingOn = false;
  uint32_t lastToggleMs = 0;
};

inline constexpr uint8_t kBreathingWheelAdvance = 16;
inline constexpr uint8_t kFlashingWheelAdvance = 14;
inline constexpr uint32_t kFlashingUnitMs = 200;

// Positions wrap unevenly: forward restarts at 0, backward at limit − delta.
constexpr uint8_t SyncForwardStep(uint8_t position, uint8_t delta, uint8_t limit) {
  const int next = position + delta;
  return next < limit ? static_cast<uint8_t>(next) : 0;
}
constexpr uint8_t SyncBackwardStep(uint8_t position, uint8_t delta, uint8_t limit) {
  const int next = position - delta;
  return next >= 0 ? static_cast<uint8_t>(next) : static_cast<uint8_t>(limit - delta);
}

// Ticks of the light clock from one step to the next at a speed level; at least one.
uint32_t SyncLightTicksPerStep(uint8_t speedLevel);

// Runs one step of the effect at `nowMs` (a wrapping millisecond tick count) and returns the
// colour word for every light (red bits 0-7, green 8-15, blue 16-23, brightness 24-31), or nothing
// for an effect value the engine does not know.
std::optional<uint32_t> RunSyncLightStep(const SyncLightSettings& settings, SyncLightState& state, uint32_t nowMs);
