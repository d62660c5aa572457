// The base preview steps every device shares, frame by frame against hand-computed values.
// Brightness setting 4 is level 192 throughout, so a ramp value v shows as v × 192 / 256.
#include <gtest/gtest.h>

#include <functional>

#include "devices/lighting/light_preview.h"
#include "preview_test_helpers.h"

namespace {

constexpr int kFull = 4;
constexpr Rgb kSetColour = {10, 20, 30};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kGreen = {0, 255, 0};

// The frame expected after the step has run `calls` times in all.
struct Frame {
  int calls;
  LightEntry entry;
};

void ExpectFrames(CLightPreview& preview, const std::function<void()>& step,
                  std::initializer_list<Frame> frames) {
  int done = 0;
  for (const Frame& frame : frames) {
    while (done < frame.calls) {
      step();
      ++done;
    }
    EXPECT_TRUE(AllEntriesAre(preview, frame.entry)) << "after " << frame.calls << " calls";
  }
}

TEST(BaseSteps, StaticShowsTheSetColourAtTheBrightnessLevel) {
  CLightPreview preview(15);
  preview.SetParams(Effect(0, kFull));
  preview.StepStatic();
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kSetColour, 192)));
  preview.SetParams(Effect(0, 6));
  preview.StepStatic();
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kSetColour, 0))) << "spare brightness rows are dark";
}

TEST(BaseSteps, OffZeroesEveryEntry) {
  CLightPreview preview(15);
  preview.SetParams(Effect(0, kFull));
  preview.StepStatic();
  preview.StepOff();
  EXPECT_TRUE(AllEntriesAre(preview, LightEntry{}));
}

TEST(BaseSteps, BreathingWheelMovesToTheNextWheelColourAfterEachFullBreath) {
  CLightPreview preview(15);
  preview.SetParams(Effect(1, kFull, /*multiColour=*/true));
  ExpectFrames(preview, [&] { preview.StepBreathingWheel(); },
               {{1, Lit(kColourWheel[0], 1)},
                {2, Lit(kColourWheel[0], 3)},
                {32, Lit(kColourWheel[0], 191)},  // the crest, ramp 255
                {64, Lit(kColourWheel[16], 0)},
                {65, Lit(kColourWheel[16], 1)},
                {64 * 11, Lit(kColourWheel[176], 0)},
                {64 * 12, Lit(kColourWheel[0], 0)}});  // 192 starts the wheel over
}

TEST(BaseSteps, BreathingWithoutMultiColourKeepsTheSetColour) {
  CLightPreview preview(15);
  preview.SetParams(Effect(1, kFull));
  ExpectFrames(preview, [&] { preview.StepBreathingWheel(); },
               {{1, Lit(kSetColour, 1)}, {32, Lit(kSetColour, 191)}, {65, Lit(kSetColour, 1)}});
}

TEST(BaseSteps, SevenColourBreathingOpensWithRedThenCyclesEntriesOneToSix) {
  CLightPreview preview(15);
  preview.SetParams(Effect(5, kFull, false, /*direction=*/true));
  ExpectFrames(preview, [&] { preview.StepBreathingSevenColours(); },
               {{1, Lit(kRed, 1)},
                {62, Lit(kRed, 2)},  // position 124, ramp 3
                {64, Lit(kGreen, 0)},
                {64 * 2, Lit(kSevenColours[2], 0)},
                {64 * 6, Lit(kSevenColours[6], 0)},
                {64 * 7, Lit(kGreen, 0)}});
}

TEST(BaseSteps, SevenColourBreathingRunsTheCurveBackwardsWithoutTheDirectionFlag) {
  CLightPreview preview(15);
  preview.SetParams(Effect(5, kFull, false, /*direction=*/false));
  ExpectFrames(preview, [&] { preview.StepBreathingSevenColours(); },
               {{1, Lit(kRed, 0)},  // position 126, ramp 1
                {2, Lit(kRed, 2)},  // position 124, ramp 3
                {64, Lit(kGreen, 0)}});
}

TEST(BaseSteps, SpectrumWalksTheWheelInTheFlaggedDirection) {
  CLightPreview forward(15);
  forward.SetParams(Effect(3, kFull, false, true));
  ExpectFrames(forward, [&] { forward.StepSpectrum(); },
               {{1, Lit(kColourWheel[1], 192)}, {192, Lit(kColourWheel[0], 192)}});

  CLightPreview backward(15);
  backward.SetParams(Effect(3, kFull, false, false));
  ExpectFrames(backward, [&] { backward.StepSpectrum(); },
               {{1, Lit(kColourWheel[191], 192)}, {2, Lit(kColourWheel[190], 192)}});
}

// Blink frames at given clock readings.
struct BlinkFrame {
  uint32_t nowMs;
  LightEntry entry;
};

void ExpectBlink(CLightPreview& preview, void (CLightPreview::*step)(uint32_t),
                 std::initializer_list<BlinkFrame> frames) {
  for (const BlinkFrame& frame : frames) {
    (preview.*step)(frame.nowMs);
    EXPECT_TRUE(AllEntriesAre(preview, frame.entry)) << "at " << frame.nowMs << " ms";
  }
}

TEST(BaseSteps, WheelBlinkTogglesEverySpeedStepTimes200MsAndMovesOnAWheelSegment) {
  CLightPreview preview(15);
  preview.SetParams(Effect(8, kFull, true, true, /*speed=*/4));  // 7 × 200 ms
  ExpectBlink(preview, &CLightPreview::StepBlinkWheel,
              {{1000, Lit(kColourWheel[0], 192)},
               {2399, Lit(kColourWheel[0], 192)},
               {2400, LightEntry{}},
               {3799, LightEntry{}},
               {3800, Lit(kColourWheel[32], 192)},
               {5200, LightEntry{}}});
}

TEST(BaseSteps, WheelBlinkSurvivesTheMillisecondClockWrapping) {
  CLightPreview preview(15);
  preview.SetParams(Effect(8, kFull, false, true, 4));
  ExpectBlink(preview, &CLightPreview::StepBlinkWheel,
              {{0xFFFFFF00u, Lit(kSetColour, 192)},
               {0xFFFFFF00u + 1399u, Lit(kSetColour, 192)},
               {0xFFFFFF00u + 1400u, LightEntry{}}});
}

TEST(BaseSteps, FastSpeedsBlinkOnEveryCall) {
  CLightPreview preview(15);
  preview.SetParams(Effect(8, kFull, false, true, /*speed=*/5));
  ExpectBlink(preview, &CLightPreview::StepBlinkWheel,
              {{7, Lit(kSetColour, 192)}, {7, LightEntry{}}, {7, Lit(kSetColour, 192)}});
}

TEST(BaseSteps, FourColourBlinkShowsEachListColourInTurn) {
  CLightPreview preview(15);
  preview.SetParams(Effect(7, kFull, false, true, /*speed=*/0));  // 28 × 200 ms
  ExpectBlink(preview, &CLightPreview::StepBlinkFourColours,
              {{0, Lit(kFourColours[0], 192)},
               {5600, LightEntry{}},
               {11200, Lit(kFourColours[1], 192)},
               {16800, LightEntry{}},
               {22400, Lit(kFourColours[2], 192)},
               {28000, LightEntry{}},
               {33600, Lit(kFourColours[3], 192)},
               {39200, LightEntry{}},
               {44800, Lit(kFourColours[0], 192)}});
}

TEST(BaseSteps, NewParamsOfTheSameModeKeepTheAnimationAndANewModeRestartsIt) {
  CLightPreview preview(15);
  preview.SetParams(Effect(1, kFull));
  for (int i = 0; i < 31; ++i) {
    preview.StepBreathingWheel();
  }
  preview.SetParams(Effect(1, kFull, false, true, 0, kRed));
  preview.StepBreathingWheel();
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kRed, 191))) << "still at the crest";

  preview.SetParams(Effect(0, kFull));
  preview.SetParams(Effect(1, kFull));
  preview.StepBreathingWheel();
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kSetColour, 1))) << "back at the first frame";
}

TEST(LightEntryWord, PacksRedLowAndBrightnessHigh) {
  const LightEntry entry{0x11, 0x22, 0x33, 0x44};
  EXPECT_EQ(PackLightEntry(entry), 0x44332211u);
  EXPECT_EQ(UnpackLightEntry(0x44332211u), entry);
}

TEST(LightEntryAccess, OutOfRangeIndexesAreIgnoredAndReadAsZero) {
  CLightPreview preview(3);
  preview.SetEntry(2, {1, 2, 3, 4});
  preview.SetEntry(3, {9, 9, 9, 9});
  EXPECT_EQ(preview.Entry(2), (LightEntry{1, 2, 3, 4}));
  EXPECT_EQ(preview.Entry(3), LightEntry{});
  EXPECT_EQ(preview.EntryCount(), 3u);
}

TEST(LightEntryAccess, AnAbsurdEntryCountIsCapped) {
  CLightPreview preview(size_t{1} << 40);
  EXPECT_EQ(preview.EntryCount(), CLightPreview::kMaxEntries);
}

}  // namespace
