#include "devices/lighting/sync_light_effect.h"

#include <algorithm>

#include "devices/lighting/light_preview.h"

namespace {

constexpr uint8_t kWheelLimit = static_cast<uint8_t>(kColourWheelSize);
constexpr uint8_t kCurveLimit = static_cast<uint8_t>(kBreathingCurveSize);

uint32_t Word(Rgb colour, uint8_t brightness) {
  return PackLightEntry({colour.r, colour.g, colour.b, brightness});
}

uint32_t Breathe(const SyncLightSettings& settings, SyncLightState& state) {
  state.breathingPhase = settings.direction != 0 ? SyncForwardStep(state.breathingPhase, 1, kCurveLimit)
                                                 : SyncBackwardStep(state.breathingPhase, 1, kCurveLimit);
  if (settings.colourful != 0 && state.breathingPhase < 2) {
    state.breathingWheel = SyncForwardStep(state.breathingWheel, kBreathingWheelAdvance, kWheelLimit);
  }
  const Rgb colour = settings.colourful != 0 ? kColourWheel[state.breathingWheel] : settings.colour;
  const uint8_t level = BrightnessLevel(settings.brightnessLevel);
  return Word(colour, ScaleByLevel(kBreathingCurve[state.breathingPhase], level));
}

uint32_t Flash(const SyncLightSettings& settings, SyncLightState& state, uint32_t nowMs) {
  const uint32_t interval = uint32_t{SpeedStep(settings.speedLevel)} * kFlashingUnitMs;
  // Unsigned, so the tick count's wrap does not stop the flashing.
  if (nowMs - state.lastToggleMs >= interval) {
    state.flashingOn = !state.flashingOn;
    state.lastToggleMs = nowMs;
    const int next = state.flashingWheel + kFlashingWheelAdvance;
    state.flashingWheel = next >= kWheelLimit ? 0 : static_cast<uint8_t>(next);
  }
  if (!state.flashingOn) return 0;
  const Rgb colour = settings.colourful != 0 ? kColourWheel[state.flashingWheel] : settings.colour;
  return Word(colour, BrightnessLevel(settings.brightnessLevel));
}

}  // namespace

uint32_t SyncLightTicksPerStep(uint8_t speedLevel) { return std::max<uint32_t>(1, SpeedStep(speedLevel)); }

std::optional<uint32_t> RunSyncLightStep(const SyncLightSettings& settings, SyncLightState& state, uint32_t nowMs) {
  switch (static_cast<SyncLightEffect>(settings.effect)) {
    case SyncLightEffect::kBreathing:
      return Breathe(settings, state);
    case SyncLightEffect::kSteady:
      return Word(settings.colour, BrightnessLevel(settings.brightnessLevel));
    case SyncLightEffect::kFlashing:
      return Flash(settings, state, nowMs);
    case SyncLightEffect::kSpectrum:
      state.spectrumWheel = SyncForwardStep(state.spectrumWheel, 1, kWheelLimit);
      return Word(kColourWheel[state.spectrumWheel], BrightnessLevel(settings.brightnessLevel));
    case SyncLightEffect::kOff:
      return 0u;
  }
  return std::nullopt;
}
