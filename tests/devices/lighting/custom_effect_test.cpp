// The custom-effect step: a profile's timed list of colours and built-in modes.
#include <gtest/gtest.h>

#include "devices/lighting/custom_effect_walk.h"
#include "devices/lighting/light_preview.h"
#include "preview_test_helpers.h"

namespace {

constexpr uint8_t kStepModeColour = 1;

LightEffectStep ColourStep(Rgb colour, int32_t timeMs, int32_t cycles, uint8_t brightness = 4) {
  LightEffectStep step;
  step.LEDREGMode = kStepModeColour;
  step.LEDBrightness = brightness;
  step.Red = colour.r;
  step.Green = colour.g;
  step.Blue = colour.b;
  step.Time = timeMs;
  step.Cyle = cycles;
  return step;
}

struct Moment {
  uint32_t nowMs;
  size_t stepIndex;
  bool entered;
};

void ExpectWalk(std::vector<LightEffectStep> steps, std::initializer_list<Moment> moments) {
  CCustomEffectWalk walk;
  walk.SetSteps(std::move(steps));
  for (const Moment& m : moments) {
    const CCustomEffectWalk::Position at = walk.Advance(m.nowMs);
    ASSERT_NE(at.step, nullptr);
    EXPECT_EQ(walk.StepIndex(), m.stepIndex) << "at " << m.nowMs << " ms";
    EXPECT_EQ(at.entered, m.entered) << "at " << m.nowMs << " ms";
  }
}

TEST(CustomEffectWalk, EachStepLastsItsTimeTimesItsCyclesAndTheListLoops) {
  ExpectWalk({ColourStep({1, 1, 1}, 100, 1), ColourStep({2, 2, 2}, 50, 2)},
             {{1000, 0, true},
              {1099, 0, false},
              {1100, 1, true},
              {1149, 1, false},
              {1150, 1, false},  // second play
              {1200, 0, true}});
}

TEST(CustomEffectWalk, NoCycleCountHoldsTheStepForever) {
  ExpectWalk({ColourStep({1, 1, 1}, 10, 0), ColourStep({2, 2, 2}, 10, 1)},
             {{0, 0, true}, {10, 0, false}, {100000, 0, false}});
  ExpectWalk({ColourStep({1, 1, 1}, 10, -1), ColourStep({2, 2, 2}, 10, 1)},
             {{0, 0, true}, {10, 0, false}});
}

TEST(CustomEffectWalk, AStepWithoutTimeLastsOneCall) {
  ExpectWalk({ColourStep({1, 1, 1}, 0, 1), ColourStep({2, 2, 2}, -5, 1)},
             {{0, 0, true}, {0, 1, true}, {0, 0, true}});
}

TEST(CustomEffectWalk, NewStepsStartFromTheFirst) {
  CCustomEffectWalk walk;
  walk.SetSteps({ColourStep({1, 1, 1}, 0, 1), ColourStep({2, 2, 2}, 0, 1)});
  walk.Advance(0);
  walk.Advance(1);
  ASSERT_EQ(walk.StepIndex(), 1u);
  walk.SetSteps({ColourStep({3, 3, 3}, 0, 1), ColourStep({4, 4, 4}, 0, 1)});
  EXPECT_EQ(walk.Advance(2).step->Red, 3);
}

TEST(CustomEffectStep, ShowsEachStepsColourAtItsOwnBrightness) {
  CLightPreview preview(15);
  preview.SetParams(Effect(11, 0));
  preview.SetCustomSteps({ColourStep({1, 2, 3}, 100, 1, 4), ColourStep({4, 5, 6}, 100, 1, 9)});
  preview.StepCustom(0);
  EXPECT_TRUE(AllEntriesAre(preview, Lit({1, 2, 3}, 192)));
  preview.StepCustom(100);
  EXPECT_TRUE(AllEntriesAre(preview, Lit({4, 5, 6}, 0))) << "a brightness beyond the table";
}

TEST(CustomEffectStep, BuiltInModesAnimateAndRestartWithEachStep) {
  LightEffectStep wheel = ColourStep({}, 100, 1);
  wheel.LEDREGMode = kStepModeWheel;
  wheel.LEDDirection = 1;
  LightEffectStep breathing = ColourStep({9, 9, 9}, 100, 1);
  breathing.LEDREGMode = kStepModeBreathing;
  LightEffectStep blink = ColourStep({7, 7, 7}, 10000, 1);
  blink.LEDREGMode = kStepModeBlink;
  blink.LEDSpeed = 4;  // 1400 ms

  CLightPreview preview(15);
  preview.SetParams(Effect(12, 0));
  preview.SetCustomSteps({wheel, breathing, blink});
  preview.StepCustom(0);
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kColourWheel[1], 192)));
  preview.StepCustom(50);
  EXPECT_TRUE(AllEntriesAre(preview, Lit(kColourWheel[2], 192)));
  preview.StepCustom(100);
  EXPECT_TRUE(AllEntriesAre(preview, Lit({9, 9, 9}, 1))) << "breathing from its first frame";
  preview.StepCustom(200);
  EXPECT_TRUE(AllEntriesAre(preview, Lit({7, 7, 7}, 192))) << "a blink starts lit";
  preview.StepCustom(1600);
  EXPECT_TRUE(AllEntriesAre(preview, LightEntry{}));
}

TEST(CustomEffectStep, AnEmptyListShowsNothing) {
  CLightPreview preview(15);
  preview.SetParams(Effect(0, 4));
  preview.StepStatic();
  preview.SetParams(Effect(11, 4));
  preview.SetCustomSteps({});
  preview.StepCustom(0);
  EXPECT_TRUE(AllEntriesAre(preview, LightEntry{}));
}

}  // namespace
