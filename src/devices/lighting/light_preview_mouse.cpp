// The mouse's own preview steps, its mode table and its step pacing.
#include <algorithm>
#include <array>

#include "devices/lighting/light_position.h"
#include "devices/lighting/light_preview.h"
#include "devices/lighting/wave_positions.h"

namespace {

constexpr int kWheelSize = static_cast<int>(kColourWheelSize);
constexpr int kLevelWaveRampStep = 8;
constexpr int kLevelWaveRampEnd = 192;
constexpr int kLevelWaveWheelAdvance = 15;
constexpr int kSpectrumMode = 3;
constexpr std::array<int, 5> kMouseTicksBySpeed = {15, 11, 8, 5, 2};

// The wave's brightness over one lap of 192 positions: the breathing curve stretched to fit.
uint8_t WaveRamp(int phase) {
  return kBreathingCurve[static_cast<size_t>(phase) * kBreathingCurveSize / kColourWheelSize];
}

}  // namespace

void CLightPreview::SetPositionLights(size_t position, Rgb colour, uint8_t brightness) {
  if (position >= kMouseWavePositions.size()) {
    return;
  }
  for (uint8_t index : kMouseWavePositions[position]) {
    SetEntry(index, LightEntry{colour.r, colour.g, colour.b, brightness});
  }
}

void CLightPreview::StepWave() {
  Animation& a = animation_;
  a.position = DirectedStep(params_.direction, a.position, 1, kWheelSize);
  const uint8_t level = BrightnessLevel(params_.brightness);
  StepOff();
  for (size_t k = 0; k < kWavePositionCount; ++k) {
    const int offset = static_cast<int>(k) * kWavePositionSpacing;
    // Later positions trail the earlier ones, so a rising position count moves the crest from
    // the front to the back.
    const int phase = (a.position - offset + kWheelSize) % kWheelSize;
    SetPositionLights(k, WheelColour(a.position + offset), ScaleByLevel(WaveRamp(phase), level));
  }
}

void CLightPreview::StepLevelWave() {
  Animation& a = animation_;
  // Every ramp sends one peak round the ring; it lights the positions as it passes the ring's
  // first places and leaves a fading trail behind.
  if (a.position == 0) {
    levels_.RestartPeakRing();
  }
  levels_.DecayAll();
  levels_.MarkPeaks();
  const uint8_t level = BrightnessLevel(params_.brightness);
  StepOff();
  for (size_t k = 0; k < kWavePositionCount; ++k) {
    const int colourIndex = a.colourIndex + static_cast<int>(k) * kWavePositionSpacing;
    SetPositionLights(k, WheelColour(colourIndex), ScaleByLevel(levels_.Level(k), level));
  }
  levels_.RotatePeakRing(params_.direction);
  a.position = UpStep(a.position, kLevelWaveRampStep, kLevelWaveRampEnd);
  if (a.position == 0) {
    a.colourIndex = (a.colourIndex + kLevelWaveWheelAdvance) % kWheelSize;
  }
}

void CLightPreview::StartReactiveFlash(uint32_t randomSeed) {
  for (size_t i = 0; i < reactive_.size(); ++i) {
    reactive_[i] = {ReactiveState::kRising, 255, FlashWheelPosition(randomSeed, i)};
  }
}

void CLightPreview::StepReactive() {
  const uint8_t level = BrightnessLevel(params_.brightness);
  for (size_t i = 0; i < reactive_.size(); ++i) {
    reactive_[i] = AdvanceReactive(reactive_[i]);
    const ReactiveLight& light = reactive_[i];
    if (light.state == ReactiveState::kIdle) {
      entries_[i] = LightEntry{};
      continue;
    }
    const Rgb colour = WheelColour(light.wheelPosition);
    entries_[i] = LightEntry{colour.r, colour.g, colour.b, ScaleByLevel(light.level, level)};
  }
}

bool CLightPreview::IsMouseModeStill() const {
  constexpr int kStaticMode = 0, kOffMode = 6, kReactiveMode = 9;
  switch (params_.mode) {
    case kStaticMode:
    case kOffMode:
      return true;
    case kReactiveMode:
      return std::all_of(reactive_.begin(), reactive_.end(),
                         [](const ReactiveLight& light) { return light.state == ReactiveState::kIdle && light.level == 0; });
    default:
      return false;
  }
}

void CLightPreview::RunMouseModeStep(uint32_t nowMs) {
  switch (params_.mode) {
    case 0:
      StepStatic();
      break;
    case 1:
      StepBreathingWheel();
      break;
    case 2:
      StepWave();
      break;
    case 3:
      StepSpectrum();
      break;
    case 4:
      StepLevelWave();
      break;
    case 5:
    case 10:
      StepBreathingSevenColours();
      break;
    case 6:
      StepOff();
      break;
    case 7:
      StepBlinkFourColours(nowMs);
      break;
    case 8:
      StepBlinkWheel(nowMs);
      break;
    case 9:
      StepReactive();
      break;
    default:
      StepCustom(nowMs);
      break;
  }
}

int CLightPreview::MouseTicksPerStep(int mode, int speed) {
  if (speed < 0 || static_cast<size_t>(speed) >= kMouseTicksBySpeed.size()) {
    return 0;
  }
  return mode == kSpectrumMode ? SpeedStep(speed) : kMouseTicksBySpeed[static_cast<size_t>(speed)];
}
