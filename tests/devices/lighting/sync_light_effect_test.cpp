// The shared lighting's steps against hand-computed sequences.
#include <gtest/gtest.h>

#include <vector>

#include "devices/lighting/light_preview.h"
#include "devices/lighting/sync_light_effect.h"

namespace {

constexpr Rgb kFixed = {10, 20, 30};
constexpr uint8_t kLevel4 = 192;

SyncLightSettings Settings(SyncLightEffect effect, uint8_t brightness = 4, uint8_t speed = 0,
                           uint8_t direction = 0, uint8_t colourful = 0) {
  return {static_cast<uint8_t>(effect), brightness, speed, direction, colourful, kFixed};
}

uint32_t Word(Rgb colour, uint8_t brightness) {
  return PackLightEntry({colour.r, colour.g, colour.b, brightness});
}

uint8_t Brightness(uint32_t word) { return static_cast<uint8_t>(word >> 24); }

TEST(SyncLightStepping, WrapsUnevenly) {
  struct Case {
    bool forward;
    uint8_t position, delta, limit, expected;
  };
  const Case cases[] = {
      {true, 0, 1, 128, 1},     {true, 127, 1, 128, 0},  {true, 176, 16, 192, 0},
      {true, 175, 16, 192, 191}, {false, 0, 1, 128, 127}, {false, 5, 16, 192, 176},
      {false, 16, 16, 192, 0},
  };
  for (const Case& c : cases) {
    const uint8_t got = c.forward ? SyncForwardStep(c.position, c.delta, c.limit)
                                  : SyncBackwardStep(c.position, c.delta, c.limit);
    EXPECT_EQ(got, c.expected) << (c.forward ? "forward " : "backward ") << int(c.position) << " by "
                               << int(c.delta) << " within " << int(c.limit);
  }
}

TEST(SyncLightBreathing, BackwardRunsThePhaseDownAndWrapsTo127) {
  SyncLightState state;
  const SyncLightSettings settings = Settings(SyncLightEffect::kBreathing);
  std::vector<uint8_t> phases;
  for (int i = 0; i < 130; ++i) {
    const uint32_t word = *RunSyncLightStep(settings, state, 0);
    phases.push_back(state.breathingPhase);
    EXPECT_EQ(word, Word(kFixed, static_cast<uint8_t>(kLevel4 * kBreathingCurve[state.breathingPhase] / 256)));
  }
  EXPECT_EQ(phases[0], 127);
  EXPECT_EQ(phases[1], 126);
  EXPECT_EQ(phases[127], 0);
  EXPECT_EQ(phases[128], 127);
  EXPECT_EQ(state.breathingWheel, 0) << "the wheel moves in colourful mode only";
}

TEST(SyncLightBreathing, ColourfulAdvancesTheWheelWhileThePhaseIsBelowTwo) {
  struct Case {
    uint8_t direction;
    int steps;
    uint8_t phase, wheel;
  };
  // Backward: 127 … 2 leaves the wheel, 1 and 0 advance it. Forward: 1 advances it at once.
  const Case cases[] = {
      {0, 126, 2, 0}, {0, 127, 1, 16}, {0, 128, 0, 32}, {0, 129, 127, 32}, {0, 257, 127, 64},
      {1, 1, 1, 16},  {1, 2, 2, 16},   {1, 128, 0, 32}, {1, 129, 1, 48},
  };
  for (const Case& c : cases) {
    SyncLightState state;
    const SyncLightSettings settings = Settings(SyncLightEffect::kBreathing, 4, 0, c.direction, 1);
    uint32_t word = 0;
    for (int i = 0; i < c.steps; ++i) word = *RunSyncLightStep(settings, state, 0);
    EXPECT_EQ(state.breathingPhase, c.phase) << "direction " << int(c.direction) << ", " << c.steps << " steps";
    EXPECT_EQ(state.breathingWheel, c.wheel) << "direction " << int(c.direction) << ", " << c.steps << " steps";
    EXPECT_EQ(word, Word(kColourWheel[c.wheel], static_cast<uint8_t>(kLevel4 * kBreathingCurve[c.phase] / 256)));
  }
}

TEST(SyncLightBreathing, WheelWrapsToZeroAtTheEndOfTheWheel) {
  SyncLightState state;
  state.breathingPhase = 2;
  state.breathingWheel = 176;
  RunSyncLightStep(Settings(SyncLightEffect::kBreathing, 4, 0, 0, 1), state, 0);
  EXPECT_EQ(state.breathingWheel, 0);
}

TEST(SyncLightFlashing, TogglesAfterTheSpeedsIntervalAndMovesTheWheelBy14) {
  const SyncLightSettings settings = Settings(SyncLightEffect::kFlashing, 4, 0, 0, 1);  // 28 × 200 ms
  SyncLightState state;
  const uint32_t start = 1'000'000;
  // Long after the (zero) last toggle: the first step turns the lights on.
  EXPECT_EQ(*RunSyncLightStep(settings, state, start), Word(kColourWheel[14], kLevel4));
  EXPECT_EQ(*RunSyncLightStep(settings, state, start + 5599), Word(kColourWheel[14], kLevel4)) << "not yet";
  EXPECT_EQ(*RunSyncLightStep(settings, state, start + 5600), 0u) << "off: colour and brightness 0";
  EXPECT_EQ(state.flashingWheel, 28);
  EXPECT_EQ(state.lastToggleMs, start + 5600);
}

TEST(SyncLightFlashing, WheelRunsTo182ThenRestartsAtZero) {
  const SyncLightSettings settings = Settings(SyncLightEffect::kFlashing, 4, 9);  // no wait
  SyncLightState state;
  std::vector<int> wheel;
  for (int i = 0; i < 15; ++i) {
    const uint32_t word = *RunSyncLightStep(settings, state, 7);
    wheel.push_back(state.flashingWheel);
    EXPECT_EQ(word, state.flashingOn ? Word(kFixed, kLevel4) : 0u) << "step " << i;
  }
  EXPECT_EQ(wheel.front(), 14);
  EXPECT_EQ(wheel[12], 182);
  EXPECT_EQ(wheel[13], 0);
  EXPECT_EQ(wheel[14], 14);
}

TEST(SyncLightFlashing, TickCountWrapStillToggles) {
  const SyncLightSettings settings = Settings(SyncLightEffect::kFlashing, 4, 4);  // 7 × 200 ms
  SyncLightState state;
  state.flashingOn = true;
  state.lastToggleMs = 0xFFFFFF00u;
  RunSyncLightStep(settings, state, 0x00000400u);  // 1280 ms later: too early
  EXPECT_TRUE(state.flashingOn);
  RunSyncLightStep(settings, state, 0x00000480u);  // 1408 ms later
  EXPECT_FALSE(state.flashingOn);
}

TEST(SyncLightSpectrum, WalksTheWheelOneByOneAndWraps) {
  const SyncLightSettings settings = Settings(SyncLightEffect::kSpectrum, 2);
  SyncLightState state;
  EXPECT_EQ(*RunSyncLightStep(settings, state, 0), Word(kColourWheel[1], 128));
  for (int i = 2; i <= 191; ++i) RunSyncLightStep(settings, state, 0);
  EXPECT_EQ(state.spectrumWheel, 191);
  EXPECT_EQ(*RunSyncLightStep(settings, state, 0), Word(kColourWheel[0], 128));
}

TEST(SyncLightEffects, SteadyOffAndUnknownEffects) {
  SyncLightState state;
  EXPECT_EQ(*RunSyncLightStep(Settings(SyncLightEffect::kSteady, 1), state, 0), Word(kFixed, 64));
  EXPECT_EQ(*RunSyncLightStep(Settings(SyncLightEffect::kOff, 4), state, 0), 0u);
  for (uint8_t effect : {5, 6, 200, 255}) {
    SyncLightSettings settings = Settings(SyncLightEffect::kSpectrum);
    settings.effect = effect;
    EXPECT_FALSE(RunSyncLightStep(settings, state, 0).has_value()) << "effect " << int(effect);
  }
  EXPECT_EQ(state.spectrumWheel, 0);
  EXPECT_EQ(state.breathingPhase, 0);
}

TEST(SyncLightLevels, OutOfRangeLevelsReadAsZero) {
  for (uint8_t level : {5, 6, 7, 8, 255}) {
    SyncLightState state;
    EXPECT_EQ(Brightness(*RunSyncLightStep(Settings(SyncLightEffect::kSteady, level), state, 0)), 0)
        << "brightness level " << int(level);
    EXPECT_EQ(Brightness(*RunSyncLightStep(Settings(SyncLightEffect::kSpectrum, level), state, 0)), 0);
  }
  struct Case {
    uint8_t speed;
    uint32_t ticks;
  };
  const Case cases[] = {{0, 28}, {1, 23}, {2, 18}, {3, 13}, {4, 7}, {5, 1}, {14, 1}, {15, 1}, {255, 1}};
  for (const Case& c : cases) EXPECT_EQ(SyncLightTicksPerStep(c.speed), c.ticks) << "speed " << int(c.speed);
}

}  // namespace
