#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "devices/lighting/custom_effect_walk.h"
#include "devices/lighting/light_levels.h"
#include "devices/lighting/lighting_tables.h"
#include "devices/lighting/reactive_flash.h"
#include "profiles/records/lighting_records.h"

struct LightEntry {
  uint8_t red = 0, green = 0, blue = 0, brightness = 0;
  bool operator==(const LightEntry&) const = default;
};

// The colour word editors and the synchronised engine exchange: red in bits 0-7, green 8-15,
// blue 16-23, brightness 24-31.
constexpr uint32_t PackLightEntry(const LightEntry& entry) {
  return static_cast<uint32_t>(entry.red) | static_cast<uint32_t>(entry.green) << 8 |
         static_cast<uint32_t>(entry.blue) << 16 | static_cast<uint32_t>(entry.brightness) << 24;
}
constexpr LightEntry UnpackLightEntry(uint32_t word) {
  return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
          static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
}

struct LightEffectParams {
  int mode = 0;        // mode index (mouse table: 0 static ... 10, above 10 custom)
  int speed = 0;       // 0..4 (larger counts as "every tick")
  int brightness = 0;  // level index into kBrightnessLevels
  bool multiColour = false;
  bool direction = false;  // LightInfo Fx
  Rgb colour{};
  bool operator==(const LightEffectParams&) const = default;
};

// What a custom effect step's LEDREGMode asks for; any other code shows the step's colour.
inline constexpr uint8_t kStepModeBreathing = 0;
inline constexpr uint8_t kStepModeBlink = 2;
inline constexpr uint8_t kStepModeWheel = 3;

// A device's software model of its lights: each step recomputes every light entry for one frame
// of the running effect. Not thread-safe; the owner locks. Time comes in as an argument.
class CLightPreview {
 public:
  // More entries than any device has are not kept.
  static constexpr size_t kMaxEntries = 1024;

  explicit CLightPreview(size_t entryCount);

  // A change of mode restarts the effect: the level arrays are cleared, the peak ring restarts
  // and every step begins from its first frame.
  void SetParams(const LightEffectParams& params);
  const LightEffectParams& Params() const { return params_; }
  void SetCustomSteps(std::vector<LightEffectStep> steps);

  // The seven base steps.
  void StepBreathingWheel();
  void StepBreathingSevenColours();
  void StepStatic();
  void StepSpectrum();
  void StepBlinkWheel(uint32_t nowMs);  // toggles every SpeedStep(speed) × 200 ms
  void StepBlinkFourColours(uint32_t nowMs);
  void StepOff();

  // The level-array steps of the audio-driven effects.
  void DecayLevels() { levels_.DecayAll(); }
  void DecayLevel(size_t index) { levels_.Decay(index); }
  void RaisePeakLevels(size_t count = kPeakMarkedLevels) { levels_.MarkPeaks(count); }
  void RotatePeakRing(bool forward, size_t span = kPeakRingSize) {
    levels_.RotatePeakRing(forward, span);
  }
  void ClearLevels() { levels_.Clear(); }
  void RestartPeakRing() { levels_.RestartPeakRing(); }

  // The mouse's extra steps and its reactive flash.
  void StepWave();
  void StepLevelWave();
  void StepReactive();
  void StartReactiveFlash(uint32_t randomSeed);  // every entry: rising, level 255, random colour
  void StepCustom(uint32_t nowMs);

  // Mouse mode index -> step: 0 static, 1 breathing wheel, 2 wave, 3 spectrum, 4 level wave,
  // 5 breathing 7 colours, 6 off, 7 blink 4 colours, 8 blink wheel, 9 reactive, 10 breathing
  // 7 colours, above 10 (or negative) custom.
  void RunMouseModeStep(uint32_t nowMs);
  // Ticks between steps for a mode and speed: mode 3 uses 28, 23, 18, 13, 7; others 15, 11, 8,
  // 5, 2; a speed above 4 (or negative) gives 0, a step on every tick.
  static int MouseTicksPerStep(int mode, int speed);
  // Whether the mouse mode's next step would show the same frame as the last one: a steady
  // colour, the lights off, or the reactive effect with no flash running. Only new parameters or a
  // new flash change the frame then.
  bool IsMouseModeStill() const;

  // The mouse pad's own steps: a wave along its edge, a ripple running round it and a ripple of
  // pairs meeting in the middle of its far side.
  void StepPadWave();
  void StepPadRipple();
  void StepPadPairRipple();
  // Pad mode index -> step: 0 wave, 1 spectrum, 2 breathing, 3 static, 4 blink through the wheel,
  // 6 ripple, 7 pair ripple, 8 off; 5, 9 and above (or negative) custom.
  void RunPadModeStep(uint32_t nowMs);
  // Ticks between the pad's steps: 28, 23, 18, 13, 7 by speed in every mode; a faster speed (or
  // a custom effect) steps on every tick.
  static int PadTicksPerStep(int mode, int speed);
  // Whether the pad mode's next step would show the same frame: a steady colour or the lights off.
  bool IsPadModeStill() const;

  const std::vector<LightEntry>& Entries() const { return entries_; }
  size_t EntryCount() const { return entries_.size(); }
  LightEntry Entry(size_t index) const;  // all zero for an out-of-range index
  void SetEntry(size_t index, const LightEntry& entry);  // out-of-range indexes are ignored

  const std::array<uint8_t, kLevelArraySize>& Levels() const { return levels_.Levels(); }
  const std::array<uint8_t, kPeakRingSize>& PeakRing() const { return levels_.PeakRing(); }
  const std::vector<ReactiveLight>& ReactiveLights() const { return reactive_; }

 private:
  // Where the running step is; every step reads only what it needs.
  struct Animation {
    int position = 0;
    int colourIndex = 0;
    bool blinkStarted = false;
    bool blinkOn = false;
    uint32_t lastToggleMs = 0;
    bool rippleTurn = false;  // the ripples move their ring on every second step
  };

  void RestartAnimation();
  void Fill(Rgb colour, uint8_t brightness);
  void SetPositionLights(size_t position, Rgb colour, uint8_t brightness);

  void BreathingWheel(const LightEffectParams& params);
  void StaticColour(const LightEffectParams& params);
  void Spectrum(const LightEffectParams& params);
  // Advances the blink clock; true when the lights turned on or off.
  bool BlinkToggled(const LightEffectParams& params, uint32_t nowMs);
  void BlinkWheel(const LightEffectParams& params, uint32_t nowMs);
  void ShowCustomStep(const LightEffectStep& step, uint32_t nowMs);
  // One ripple frame over `lit` positions: position k shows level k + 1 on the entries `entriesOf`
  // gives it. `ringSpan` places of the peak ring turn, forward or back.
  template <typename EntriesOf>
  void PadRipple(size_t lit, size_t ringSpan, bool ringForward, EntriesOf entriesOf);

  LightEffectParams params_;
  std::vector<LightEntry> entries_;
  std::vector<ReactiveLight> reactive_;
  CLightLevels levels_;
  CCustomEffectWalk custom_;
  Animation animation_;
};
