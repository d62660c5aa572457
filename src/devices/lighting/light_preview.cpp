#include "devices/lighting/light_preview.h"

#include <algorithm>
#include <utility>

#include "devices/lighting/light_position.h"

namespace {

constexpr int kWheelSize = static_cast<int>(kColourWheelSize);
constexpr int kBreathingSize = static_cast<int>(kBreathingCurveSize);
constexpr int kBreathingStep = 2;
constexpr int kWheelAdvance = 16;
constexpr uint32_t kBlinkUnitMs = 200;

// The wheel index moves on by 16 and starts over rather than wrapping into the next lap.
int NextWheelIndex(int index) {
  const int next = index + kWheelAdvance;
  return next >= 0 && next < kWheelSize ? next : 0;
}

// Any index, however it got there, picks a valid row.
template <class Table>
size_t SafeIndex(int index, const Table& table) {
  return index >= 0 && static_cast<size_t>(index) < table.size() ? static_cast<size_t>(index) : 0;
}

}  // namespace

CLightPreview::CLightPreview(size_t entryCount)
    : entries_(std::min(entryCount, kMaxEntries)), reactive_(entries_.size()) {
  levels_.RestartPeakRing();
}

void CLightPreview::SetParams(const LightEffectParams& params) {
  if (params.mode != params_.mode) {
    levels_.Clear();
    levels_.RestartPeakRing();
    RestartAnimation();
    std::fill(reactive_.begin(), reactive_.end(), ReactiveLight{});
    custom_.Restart();
  }
  params_ = params;
}

void CLightPreview::SetCustomSteps(std::vector<LightEffectStep> steps) {
  custom_.SetSteps(std::move(steps));
}

void CLightPreview::RestartAnimation() { animation_ = Animation{}; }

LightEntry CLightPreview::Entry(size_t index) const {
  return index < entries_.size() ? entries_[index] : LightEntry{};
}

void CLightPreview::SetEntry(size_t index, const LightEntry& entry) {
  if (index < entries_.size()) {
    entries_[index] = entry;
  }
}

void CLightPreview::Fill(Rgb colour, uint8_t brightness) {
  std::fill(entries_.begin(), entries_.end(), LightEntry{colour.r, colour.g, colour.b, brightness});
}

void CLightPreview::StepBreathingWheel() { BreathingWheel(params_); }

void CLightPreview::BreathingWheel(const LightEffectParams& params) {
  Animation& a = animation_;
  a.position = UpStep(a.position, kBreathingStep, kBreathingSize);
  if (a.position == 0) {
    a.colourIndex = NextWheelIndex(a.colourIndex);
  }
  const Rgb colour = params.multiColour ? WheelColour(a.colourIndex) : params.colour;
  Fill(colour, ScaleByLevel(kBreathingCurve[static_cast<size_t>(a.position)],
                            BrightnessLevel(params.brightness)));
}

void CLightPreview::StepBreathingSevenColours() {
  Animation& a = animation_;
  a.position = DirectedStep(params_.direction, a.position, kBreathingStep, kBreathingSize);
  if (a.position == 0) {
    // Red only opens the effect; the later breaths cycle through entries 1-6.
    const int last = static_cast<int>(kSevenColours.size()) - 1;
    a.colourIndex = a.colourIndex >= 1 && a.colourIndex < last ? a.colourIndex + 1 : 1;
  }
  Fill(kSevenColours[SafeIndex(a.colourIndex, kSevenColours)],
       ScaleByLevel(kBreathingCurve[static_cast<size_t>(a.position)],
                    BrightnessLevel(params_.brightness)));
}

void CLightPreview::StepStatic() { StaticColour(params_); }

void CLightPreview::StaticColour(const LightEffectParams& params) {
  Fill(params.colour, BrightnessLevel(params.brightness));
}

void CLightPreview::StepSpectrum() { Spectrum(params_); }

void CLightPreview::Spectrum(const LightEffectParams& params) {
  Animation& a = animation_;
  a.position = DirectedStep(params.direction, a.position, 1, kWheelSize);
  Fill(WheelColour(a.position), BrightnessLevel(params.brightness));
}

bool CLightPreview::BlinkToggled(const LightEffectParams& params, uint32_t nowMs) {
  Animation& a = animation_;
  if (!a.blinkStarted) {
    a.blinkStarted = true;
    a.blinkOn = true;
    a.lastToggleMs = nowMs;
    return false;
  }
  const uint32_t interval = SpeedStep(params.speed) * kBlinkUnitMs;
  if (nowMs - a.lastToggleMs < interval) {
    return false;
  }
  a.blinkOn = !a.blinkOn;
  a.lastToggleMs = nowMs;
  return true;
}

void CLightPreview::StepBlinkWheel(uint32_t nowMs) { BlinkWheel(params_, nowMs); }

void CLightPreview::BlinkWheel(const LightEffectParams& params, uint32_t nowMs) {
  Animation& a = animation_;
  if (BlinkToggled(params, nowMs)) {
    a.colourIndex = NextWheelIndex(a.colourIndex);
  }
  if (!a.blinkOn) {
    StepOff();
    return;
  }
  const Rgb colour = params.multiColour ? WheelColour(a.colourIndex) : params.colour;
  Fill(colour, BrightnessLevel(params.brightness));
}

void CLightPreview::StepBlinkFourColours(uint32_t nowMs) {
  Animation& a = animation_;
  // The colour moves on as the lights come back on; moving on at every toggle would show only
  // every second colour.
  if (BlinkToggled(params_, nowMs) && a.blinkOn) {
    a.colourIndex =
        static_cast<int>((SafeIndex(a.colourIndex, kFourColours) + 1) % kFourColours.size());
  }
  if (!a.blinkOn) {
    StepOff();
    return;
  }
  Fill(kFourColours[SafeIndex(a.colourIndex, kFourColours)], BrightnessLevel(params_.brightness));
}

void CLightPreview::StepOff() { Fill(Rgb{}, 0); }
