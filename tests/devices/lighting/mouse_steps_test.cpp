// The mouse's own preview steps (wave, level wave, reactive), its mode table and step pacing.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/lighting/light_preview.h"
#include "devices/lighting/wave_positions.h"
#include "preview_test_helpers.h"

namespace {

constexpr int kFull = 4;
constexpr size_t kMouseEntries = 15;

LightEntry PositionEntry(const CLightPreview& preview, size_t position) {
  return preview.Entry(kMouseWavePositions[position][0]);
}

// Entries sharing a wave position always show the same thing.
void ExpectPositionsUniform(const CLightPreview& preview) {
  for (size_t k = 0; k < kWavePositionCount; ++k) {
    for (uint8_t entry : kMouseWavePositions[k]) {
      if (entry != kNoWaveEntry) {
        EXPECT_EQ(preview.Entry(entry), PositionEntry(preview, k)) << "entry " << int(entry);
      }
    }
  }
}

size_t BrightestPosition(const CLightPreview& preview) {
  size_t best = 0;
  for (size_t k = 1; k < kWavePositionCount; ++k) {
    if (PositionEntry(preview, k).brightness > PositionEntry(preview, best).brightness) {
      best = k;
    }
  }
  return best;
}

TEST(MouseWave, CrestTravelsAcrossThePositionsInTheFlaggedDirection) {
  struct Case {
    bool direction;
    int calls;
    size_t crest;
  };
  const Case cases[] = {{true, 96, 0},  {true, 123, 1}, {true, 258, 6},
                        {false, 15, 3}, {false, 42, 2}, {false, 96, 0}};
  for (const Case& c : cases) {
    CLightPreview preview(kMouseEntries);
    preview.SetParams(Effect(2, kFull, false, c.direction));
    for (int i = 0; i < c.calls; ++i) {
      preview.StepWave();
    }
    SCOPED_TRACE(testing::Message()
                 << (c.direction ? "forward" : "backward") << ", " << c.calls << " calls");
    EXPECT_EQ(BrightestPosition(preview), c.crest);
    EXPECT_EQ(PositionEntry(preview, c.crest).brightness, 191) << "the crest is ramp 255";
    ExpectPositionsUniform(preview);
  }
}

TEST(MouseWave, NeighbouringPositionsShowSuccessiveWheelColours) {
  CLightPreview preview(kMouseEntries);
  preview.SetParams(Effect(2, kFull));
  preview.StepWave();
  for (size_t k = 0; k < kWavePositionCount; ++k) {
    const LightEntry entry = PositionEntry(preview, k);
    EXPECT_EQ((Rgb{entry.red, entry.green, entry.blue}), kColourWheel[1 + 27 * k])
        << "position " << k;
  }
}

TEST(MouseLevelWave, APeakSweepsThePositionsLeavingAFadingTrail) {
  CLightPreview preview(kMouseEntries);
  preview.SetParams(Effect(4, kFull, false, /*direction=*/true));
  preview.StepLevelWave();
  EXPECT_EQ(PositionEntry(preview, 0), Lit(kColourWheel[0], 191));
  for (size_t k = 1; k < kWavePositionCount; ++k) {
    EXPECT_EQ(PositionEntry(preview, k).brightness, 0) << "position " << k;
  }
  preview.StepLevelWave();
  EXPECT_EQ(PositionEntry(preview, 1), Lit(kColourWheel[27], 191));
  EXPECT_EQ(PositionEntry(preview, 0), Lit(kColourWheel[0], 167)) << "255 decayed to 223";
  ExpectPositionsUniform(preview);
}

TEST(MouseLevelWave, EachRampOf24StepsRestartsTheSweepFifteenWheelEntriesOn) {
  CLightPreview preview(kMouseEntries);
  preview.SetParams(Effect(4, kFull, false, true));
  for (int i = 0; i < 24; ++i) {
    preview.StepLevelWave();
  }
  preview.StepLevelWave();
  EXPECT_EQ(PositionEntry(preview, 0), Lit(kColourWheel[15], 191));
  preview.StepLevelWave();
  EXPECT_EQ(PositionEntry(preview, 1), Lit(kColourWheel[15 + 27], 191));
}

TEST(MouseLevelWave, WithoutTheDirectionFlagThePeakComesBackFromTheLastPosition) {
  CLightPreview preview(kMouseEntries);
  preview.SetParams(Effect(4, kFull, false, false));
  for (int i = 0; i < 18; ++i) {  // place 0, then 22, 21, ... down to 6
    preview.StepLevelWave();
  }
  EXPECT_EQ(PositionEntry(preview, 6), Lit(kColourWheel[6 * 27], 191));
  EXPECT_EQ(BrightestPosition(preview), 6u);
}

TEST(MouseReactive, LevelsRiseByFifteenToFullThenFallBackToIdle) {
  struct Case {
    ReactiveLight before, after;
  };
  using enum ReactiveState;
  const Case cases[] = {
      {{kRising, 0, 5}, {kRising, 15, 5}},      {{kRising, 225, 5}, {kRising, 240, 5}},
      {{kRising, 240, 5}, {kFalling, 255, 5}},  {{kRising, 250, 5}, {kFalling, 255, 5}},
      {{kFalling, 255, 5}, {kFalling, 240, 5}}, {{kFalling, 15, 5}, {kIdle, 0, 5}},
      {{kFalling, 7, 5}, {kIdle, 0, 5}},        {{kIdle, 99, 5}, {kIdle, 0, 5}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdvanceReactive(c.before), c.after)
        << "state " << int(c.before.state) << " level " << int(c.before.level);
  }
}

TEST(MouseReactive, AFlashLightsEveryEntryInItsWheelColourAndFadesOutIn18Steps) {
  CLightPreview preview(kMouseEntries);
  preview.SetParams(Effect(9, kFull));
  preview.StartReactiveFlash(1234);
  const std::vector<ReactiveLight> started = preview.ReactiveLights();
  struct Frame {
    int calls;
    uint8_t brightness;  // level × 192 / 256
  };
  const Frame frames[] = {{1, 191}, {2, 180}, {17, 11}, {18, 0}};
  int done = 0;
  for (const Frame& frame : frames) {
    for (; done < frame.calls; ++done) {
      preview.StepReactive();
    }
    for (size_t i = 0; i < kMouseEntries; ++i) {
      const LightEntry expected =
          frame.brightness == 0 ? LightEntry{}
                                : Lit(kColourWheel[started[i].wheelPosition], frame.brightness);
      EXPECT_EQ(preview.Entry(i), expected) << "entry " << i << " after " << frame.calls;
    }
  }
  EXPECT_TRUE(std::all_of(preview.ReactiveLights().begin(), preview.ReactiveLights().end(),
                          [](const ReactiveLight& l) { return l.state == ReactiveState::kIdle; }));
}

TEST(MouseReactive, FlashColoursAreWheelPositionsThatDifferBetweenEntries) {
  for (uint32_t seed : {0u, 1u, 0xFFFFFFFFu}) {
    CLightPreview preview(kMouseEntries);
    preview.StartReactiveFlash(seed);
    const std::vector<ReactiveLight>& lights = preview.ReactiveLights();
    for (const ReactiveLight& light : lights) {
      EXPECT_EQ(light.state, ReactiveState::kRising);
      EXPECT_EQ(light.level, 255);
      EXPECT_LT(light.wheelPosition, kColourWheelSize);
    }
    const bool allSame = std::all_of(lights.begin(), lights.end(), [&](const ReactiveLight& l) {
      return l.wheelPosition == lights[0].wheelPosition;
    });
    EXPECT_FALSE(allSame) << "seed " << seed;
  }
}

TEST(MouseModeTable, TicksPerStepFollowTheSpeedRows) {
  struct Case {
    int mode, speed, ticks;
  };
  const Case cases[] = {{3, 0, 28}, {3, 1, 23}, {3, 2, 18}, {3, 3, 13}, {3, 4, 7},
                        {0, 0, 15}, {1, 1, 11}, {9, 2, 8},  {10, 3, 5}, {11, 4, 2},
                        {3, 5, 0},  {0, 14, 0}, {0, -1, 0}, {-4, 0, 15}};
  for (const Case& c : cases) {
    EXPECT_EQ(CLightPreview::MouseTicksPerStep(c.mode, c.speed), c.ticks)
        << "mode " << c.mode << " speed " << c.speed;
  }
}

TEST(MouseModeTable, EachModeRunsItsStep) {
  using Step = void (*)(CLightPreview&, uint32_t);
  struct Case {
    int mode;
    Step step;
  };
  const Case cases[] = {
      {0, [](CLightPreview& p, uint32_t) { p.StepStatic(); }},
      {1, [](CLightPreview& p, uint32_t) { p.StepBreathingWheel(); }},
      {2, [](CLightPreview& p, uint32_t) { p.StepWave(); }},
      {3, [](CLightPreview& p, uint32_t) { p.StepSpectrum(); }},
      {4, [](CLightPreview& p, uint32_t) { p.StepLevelWave(); }},
      {5, [](CLightPreview& p, uint32_t) { p.StepBreathingSevenColours(); }},
      {6, [](CLightPreview& p, uint32_t) { p.StepOff(); }},
      {7, [](CLightPreview& p, uint32_t now) { p.StepBlinkFourColours(now); }},
      {8, [](CLightPreview& p, uint32_t now) { p.StepBlinkWheel(now); }},
      {9, [](CLightPreview& p, uint32_t) { p.StepReactive(); }},
      {10, [](CLightPreview& p, uint32_t) { p.StepBreathingSevenColours(); }},
      {11, [](CLightPreview& p, uint32_t now) { p.StepCustom(now); }},
      {200, [](CLightPreview& p, uint32_t now) { p.StepCustom(now); }},
  };
  LightEffectStep custom;
  custom.LEDREGMode = kStepModeWheel;
  custom.LEDBrightness = 3;
  for (const Case& c : cases) {
    CLightPreview viaTable(kMouseEntries);
    CLightPreview direct(kMouseEntries);
    for (CLightPreview* preview : {&viaTable, &direct}) {
      preview->SetParams(Effect(c.mode, kFull, true, true, /*speed=*/5));
      preview->SetCustomSteps({custom});
      preview->StartReactiveFlash(7);
    }
    for (uint32_t now = 0; now < 40; now += 10) {
      viaTable.RunMouseModeStep(now);
      c.step(direct, now);
      EXPECT_EQ(viaTable.Entries(), direct.Entries()) << "mode " << c.mode << " at " << now;
    }
  }
}

TEST(MousePreview, NoEntriesIsSafeForEveryStep) {
  CLightPreview preview(0);
  preview.SetCustomSteps({LightEffectStep{}});
  preview.StartReactiveFlash(1);
  for (int mode = -1; mode <= 12; ++mode) {
    preview.SetParams(Effect(mode, kFull, true, mode % 2 == 0, 5));
    for (uint32_t now = 0; now < 30; ++now) {
      preview.RunMouseModeStep(now);
    }
  }
  EXPECT_TRUE(preview.Entries().empty());
  EXPECT_EQ(preview.Entry(0), LightEntry{});
}

TEST(MousePreview, FewerEntriesThanTheWaveTableKnowsAreSafe) {
  CLightPreview preview(4);
  preview.SetParams(Effect(2, kFull));
  for (int i = 0; i < 200; ++i) {
    preview.StepWave();
    preview.StepLevelWave();
  }
  EXPECT_EQ(preview.EntryCount(), 4u);
}

}  // namespace
