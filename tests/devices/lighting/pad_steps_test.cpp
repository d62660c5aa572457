// The mouse pad's own preview steps (wave, ripple, pair ripple), its mode table and step pacing.
#include <gtest/gtest.h>

#include <set>

#include "devices/lighting/light_preview.h"
#include "preview_test_helpers.h"

namespace {

constexpr int kFull = 4;
constexpr size_t kPadEntries = 15;
constexpr int kWaveMode = 0, kRippleMode = 6, kPairRippleMode = 7;

CLightPreview PadPreview(const LightEffectParams& params) {
  CLightPreview preview(kPadEntries);
  preview.SetParams(params);
  return preview;
}

TEST(PadWave, WithColoursEachEntryIsSevenWheelPlacesOnAtFullLevel) {
  CLightPreview preview = PadPreview(Effect(kWaveMode, kFull, true, true));
  preview.StepPadWave();  // position 1
  for (size_t i = 0; i < kPadEntries; ++i) {
    EXPECT_EQ(preview.Entry(i), Lit(WheelColour(2 + 7 * static_cast<int>(i)), BrightnessLevel(kFull))) << i;
  }
}

TEST(PadWave, WithOneColourTheRampMovesAlongTheEdge) {
  const Rgb colour{200, 100, 50};
  CLightPreview preview = PadPreview(Effect(kWaveMode, kFull, false, true, 0, colour));
  preview.StepPadWave();
  const std::vector<LightEntry> first = preview.Entries();
  for (const LightEntry& entry : first) EXPECT_EQ((Rgb{entry.red, entry.green, entry.blue}), colour);
  // One step on, each entry shows what its neighbour seven ramp places further showed: the ramp
  // does not stand still, and stays within the brightness level.
  preview.StepPadWave();
  EXPECT_NE(preview.Entries(), first);
  for (const LightEntry& entry : preview.Entries()) EXPECT_LE(entry.brightness, BrightnessLevel(kFull));
}

TEST(PadRipple, APeakRunsRoundTheEdgeAndFades) {
  CLightPreview preview = PadPreview(Effect(kRippleMode, kFull, false, true));
  std::set<size_t> lit;
  for (int step = 0; step < 80; ++step) {
    preview.StepPadRipple();
    for (size_t i = 0; i < kPadEntries; ++i) {
      if (preview.Entry(i).brightness > 0) lit.insert(i);
    }
  }
  EXPECT_EQ(lit.size(), kPadEntries) << "the ripple reaches every light of the edge";
  // With the ring emptied no new peak comes: the lights fade to dark.
  preview.ClearLevels();
  for (int step = 0; step < 40; ++step) preview.StepPadRipple();
  for (size_t i = 0; i < kPadEntries; ++i) EXPECT_EQ(preview.Entry(i).brightness, 0) << i;
}

TEST(PadPairRipple, LightsMirroredPairsAndNeverEntryZero) {
  for (const bool multiColour : {false, true}) {
    CLightPreview preview = PadPreview(Effect(kPairRippleMode, kFull, multiColour, false));
    const LightEntry marker{1, 2, 3, 4};
    preview.SetEntry(0, marker);
    bool anyLit = false;
    for (int step = 0; step < 60; ++step) {
      preview.StepPadPairRipple();
      EXPECT_EQ(preview.Entry(0), marker) << "step " << step;
      for (size_t k = 1; k <= 7; ++k) {
        EXPECT_EQ(preview.Entry(k), preview.Entry(kPadEntries - k)) << "pair " << k << " at step " << step;
        anyLit = anyLit || preview.Entry(k).brightness > 0;
      }
    }
    EXPECT_TRUE(anyLit);
  }
}

TEST(PadModes, TicksPerStepFollowTheSpeedInEveryModeAndCustomRunsOnEveryTick) {
  struct Case {
    int mode, speed, ticks;
  };
  for (const Case& c : {Case{0, 0, 28}, Case{3, 1, 23}, Case{6, 2, 18}, Case{1, 3, 13}, Case{8, 4, 7}, Case{0, 5, 0},
                        Case{2, 14, 0}, Case{5, 0, 0}, Case{9, 0, 0}, Case{12, 2, 0}}) {
    EXPECT_EQ(CLightPreview::PadTicksPerStep(c.mode, c.speed), c.ticks) << c.mode << "/" << c.speed;
  }
}

TEST(PadModes, EachModeRunsItsStep) {
  const Rgb colour{10, 20, 30};
  // Static and off stand still; the others change from frame to frame.
  CLightPreview still = PadPreview(Effect(3, kFull, false, true, 0, colour));
  still.RunPadModeStep(0);
  EXPECT_TRUE(AllEntriesAre(still, Lit(colour, BrightnessLevel(kFull))));
  EXPECT_TRUE(still.IsPadModeStill());
  CLightPreview off = PadPreview(Effect(8, kFull));
  off.RunPadModeStep(0);
  EXPECT_TRUE(AllEntriesAre(off, LightEntry{}));
  EXPECT_TRUE(off.IsPadModeStill());
  CLightPreview spectrum = PadPreview(Effect(1, kFull));
  spectrum.RunPadModeStep(0);
  EXPECT_TRUE(AllEntriesAre(spectrum, Lit(WheelColour(1), BrightnessLevel(kFull))));
  EXPECT_FALSE(spectrum.IsPadModeStill());
}

}  // namespace
