// The mouse pad's own preview steps, its mode table and its step pacing. Its light entries run
// round its edge, entry 0 at one corner.
#include <algorithm>
#include <array>

#include "devices/lighting/light_position.h"
#include "devices/lighting/light_preview.h"

namespace {

constexpr int kWheelSize = static_cast<int>(kColourWheelSize);
// Without colours the wave runs one ramp over half a wheel.
constexpr int kPadRampSize = kWheelSize / 2;
constexpr int kPadWaveSpacing = 7;
constexpr int kPadRippleColourSpacing = 12;
constexpr size_t kPairPositions = 7;
constexpr size_t kPairRingSpan = 8;

constexpr int kPadWaveMode = 0, kPadSpectrumMode = 1, kPadBreathingMode = 2, kPadStaticMode = 3, kPadBlinkMode = 4,
              kPadRippleMode = 6, kPadPairRippleMode = 7, kPadOffMode = 8;

uint8_t PadRamp(int phase) {
  return kBreathingCurve[static_cast<size_t>(phase) * kBreathingCurveSize / static_cast<size_t>(kPadRampSize)];
}

}  // namespace

void CLightPreview::StepPadWave() {
  Animation& a = animation_;
  const uint8_t level = BrightnessLevel(params_.brightness);
  if (params_.multiColour) {
    a.position = DirectedStep(params_.direction, a.position, 1, kWheelSize);
    for (size_t i = 0; i < entries_.size(); ++i) {
      const Rgb colour = WheelColour(a.position + 1 + kPadWaveSpacing * static_cast<int>(i));
      entries_[i] = LightEntry{colour.r, colour.g, colour.b, level};
    }
    return;
  }
  a.position = DirectedStep(params_.direction, std::min(a.position, kPadRampSize - 1), 1, kPadRampSize);
  const Rgb colour = params_.colour;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const int phase = (a.position + 1 + kPadWaveSpacing * static_cast<int>(i)) % kPadRampSize;
    entries_[i] = LightEntry{colour.r, colour.g, colour.b, ScaleByLevel(PadRamp(phase), level)};
  }
}

template <typename EntriesOf>
void CLightPreview::PadRipple(size_t lit, size_t ringSpan, bool ringForward, EntriesOf entriesOf) {
  Animation& a = animation_;
  a.position = DirectedStep(params_.direction, a.position, 1, kWheelSize);
  a.rippleTurn = !a.rippleTurn;
  if (a.rippleTurn) {
    // Levels 1 … lit are the ones shown; the ring lights them as its peak passes.
    levels_.MarkPeaks(lit + 1);
    levels_.RotatePeakRing(ringForward, ringSpan);
  }
  const uint8_t level = BrightnessLevel(params_.brightness);
  // While the ripple's leading light still glows the colours stand; they move on behind it.
  const bool leadingLit = levels_.Level(params_.direction ? 1 : lit) != 0;
  for (size_t k = 0; k < lit; ++k) {
    levels_.Decay(k + 1);
    const auto entries = entriesOf(k);
    Rgb colour = params_.colour;
    if (params_.multiColour) {
      a.position = (a.position + kPadRippleColourSpacing) % kWheelSize;
      const LightEntry kept = Entry(entries[0]);
      colour = leadingLit ? Rgb{kept.red, kept.green, kept.blue} : WheelColour(a.position);
    }
    const uint8_t brightness = ScaleByLevel(levels_.Level(k + 1), level);
    for (size_t entry : entries) SetEntry(entry, LightEntry{colour.r, colour.g, colour.b, brightness});
  }
}

void CLightPreview::StepPadRipple() {
  PadRipple(entries_.size(), kPeakRingSize, params_.direction, [](size_t k) { return std::array<size_t, 1>{k}; });
}

void CLightPreview::StepPadPairRipple() {
  const size_t last = entries_.size() > 0 ? entries_.size() - 1 : 0;
  // Position k lights entries k + 1 and (count − 1) − k; entry 0 stays as it is.
  const size_t positions = std::min(kPairPositions, entries_.size() / 2);
  PadRipple(positions, kPairRingSpan, !params_.direction,
            [last](size_t k) { return std::array<size_t, 2>{k + 1, last - k}; });
}

void CLightPreview::RunPadModeStep(uint32_t nowMs) {
  switch (params_.mode) {
    case kPadWaveMode: StepPadWave(); break;
    case kPadSpectrumMode: StepSpectrum(); break;
    case kPadBreathingMode: StepBreathingWheel(); break;
    case kPadStaticMode: StepStatic(); break;
    case kPadBlinkMode: StepBlinkWheel(nowMs); break;
    case kPadRippleMode: StepPadRipple(); break;
    case kPadPairRippleMode: StepPadPairRipple(); break;
    case kPadOffMode: StepOff(); break;
    default: StepCustom(nowMs); break;
  }
}

int CLightPreview::PadTicksPerStep(int mode, int speed) {
  const bool custom = mode < 0 || mode == 5 || mode > kPadOffMode;
  return custom ? 0 : SpeedStep(speed);
}

bool CLightPreview::IsPadModeStill() const {
  return params_.mode == kPadStaticMode || params_.mode == kPadOffMode;
}
