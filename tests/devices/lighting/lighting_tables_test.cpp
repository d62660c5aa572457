// The shared lighting tables and the position wrap rule every effect steps by.
#include <gtest/gtest.h>

#include "devices/lighting/light_position.h"
#include "devices/lighting/lighting_tables.h"
#include "devices/lighting/wave_positions.h"

namespace {

TEST(LightingTables, ColourWheelSegmentsStartAndEndOnTheirCornerColours) {
  struct Case {
    size_t index;
    Rgb colour;
  };
  const Case cases[] = {
      {0, {255, 1, 0}},   {31, {255, 255, 0}}, {32, {248, 255, 0}},  {63, {0, 255, 0}},
      {64, {0, 255, 1}},  {95, {0, 255, 255}}, {96, {0, 248, 255}},  {127, {0, 0, 255}},
      {128, {1, 0, 255}}, {159, {255, 0, 255}}, {160, {255, 0, 248}}, {191, {255, 0, 0}},
  };
  ASSERT_EQ(kColourWheel.size(), kColourWheelSize);
  ASSERT_EQ(kColourWheelSize, 192u);
  for (const Case& c : cases) {
    EXPECT_EQ(kColourWheel[c.index], c.colour) << "wheel entry " << c.index;
  }
}

TEST(LightingTables, ColourWheelChangesOneChannelAtATimeAllTheWayRound) {
  for (size_t i = 0; i < kColourWheelSize; ++i) {
    const Rgb& a = kColourWheel[i];
    const Rgb& b = kColourWheel[(i + 1) % kColourWheelSize];
    const int changed = (a.r != b.r) + (a.g != b.g) + (a.b != b.b);
    EXPECT_EQ(changed, 1) << "between entries " << i << " and " << i + 1;
  }
}

TEST(LightingTables, BreathingCurveRisesToFullAndMirrorsBack) {
  ASSERT_EQ(kBreathingCurve.size(), 128u);
  EXPECT_EQ(kBreathingCurve[0], 0);
  EXPECT_EQ(kBreathingCurve[63], 255);
  for (size_t i = 0; i < kBreathingCurve.size(); ++i) {
    EXPECT_EQ(kBreathingCurve[i], kBreathingCurve[127 - i]) << "position " << i;
  }
  for (size_t i = 1; i < 64; ++i) {
    EXPECT_LT(kBreathingCurve[i - 1], kBreathingCurve[i]) << "position " << i;
  }
}

TEST(LightingTables, SettingsBeyondTheirTablesReadAsZero) {
  struct Case {
    int setting;
    uint8_t brightness, speed;
  };
  const Case cases[] = {{0, 0, 28}, {1, 64, 23}, {2, 128, 18}, {3, 150, 13}, {4, 192, 7},
                        {5, 0, 0},  {7, 0, 0},   {14, 0, 0},   {15, 0, 0},   {-1, 0, 0},
                        {1 << 30, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(BrightnessLevel(c.setting), c.brightness) << "setting " << c.setting;
    EXPECT_EQ(SpeedStep(c.setting), c.speed) << "setting " << c.setting;
  }
}

TEST(LightingTables, FixedColourListsHoldTheirColoursInOrder) {
  EXPECT_EQ(kSevenColours.front(), (Rgb{255, 0, 0}));
  EXPECT_EQ(kSevenColours.back(), (Rgb{255, 255, 255}));
  EXPECT_EQ(kFourColours.front(), (Rgb{0, 255, 180}));
  EXPECT_EQ(kFourColours.back(), (Rgb{255, 0, 0}));
}

TEST(LightingTables, WavePositionsCoverEveryMouseEntryExactlyOnce) {
  int seen[15] = {};
  for (const auto& position : kMouseWavePositions) {
    for (uint8_t entry : position) {
      if (entry == kNoWaveEntry) {
        continue;
      }
      ASSERT_LT(entry, 15) << "the table names an entry the mouse does not have";
      ++seen[entry];
    }
  }
  for (int entry = 0; entry < 15; ++entry) {
    EXPECT_EQ(seen[entry], 1) << "entry " << entry;
  }
}

TEST(LightPosition, UpStepRestartsAtZeroAndDownStepAtLimitLessDelta) {
  struct Case {
    bool up;
    int position, delta, limit, expected;
  };
  const Case cases[] = {
      {true, 0, 2, 128, 2},     {true, 124, 2, 128, 126}, {true, 126, 2, 128, 0},
      {true, 127, 2, 128, 0},   {true, 191, 1, 192, 0},   {false, 2, 2, 128, 0},
      {false, 0, 2, 128, 126},  {false, 1, 2, 128, 126},  {false, 0, 1, 192, 191},
      // Bad input lands somewhere inside the table.
      {true, -5, 1, 192, 0},    {true, 5, 1, 0, 0},       {false, 500, 1, 192, 190},
      {false, 5, 200, 192, 0},  {false, 5, -1, 192, 0},   {true, 0x7FFFFFFF, 1, 192, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectedStep(c.up, c.position, c.delta, c.limit), c.expected)
        << (c.up ? "up" : "down") << " from " << c.position << " by " << c.delta << " below "
        << c.limit;
  }
}

}  // namespace
