// The level arrays of the audio-driven effects: decay, peaks, ring rotation and restarts.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/lighting/light_levels.h"
#include "devices/lighting/light_preview.h"
#include "preview_test_helpers.h"

namespace {

template <class Array>
bool AllZero(const Array& values) {
  return std::all_of(values.begin(), values.end(), [](uint8_t v) { return v == 0; });
}

size_t PeakPlace(const std::array<uint8_t, kPeakRingSize>& ring) {
  return static_cast<size_t>(std::find(ring.begin(), ring.end(), 1) - ring.begin());
}

TEST(LightLevels, DecayFallsFasterTheBrighterTheLevel) {
  struct Case {
    uint8_t level, decayed;
  };
  const Case cases[] = {{255, 223}, {192, 160}, {191, 175}, {128, 112}, {127, 115},
                        {64, 52},   {63, 55},   {8, 0},     {5, 0},     {0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(DecayedLevel(c.level), c.decayed) << "from " << int(c.level);
  }
}

TEST(LightLevels, PeaksLiftOnlyTheFirstNineLevels) {
  CLightLevels levels;
  levels.RestartPeakRing();
  levels.MarkPeaks();
  EXPECT_EQ(levels.Level(0), 255);
  EXPECT_EQ(levels.Level(1), 0);

  levels.Clear();
  levels.RestartPeakRing();
  for (int i = 0; i < 9; ++i) {
    levels.RotatePeakRing(true);
  }
  levels.MarkPeaks();
  EXPECT_TRUE(AllZero(levels.Levels())) << "a peak at place 9 lights nothing";
  levels.MarkPeaks(13);
  EXPECT_EQ(levels.Level(9), 255) << "a wider mark reaches it";
}

TEST(LightLevels, RingRotationWrapsBothWaysAndWithinItsSpan) {
  struct Case {
    bool forward;
    size_t span;
    int turns;
    size_t place;
  };
  const Case cases[] = {
      {true, kPeakRingSize, 1, 1},   {false, kPeakRingSize, 1, 22}, {true, kPeakRingSize, 23, 0},
      {true, 8, 8, 0},               {false, 8, 1, 7},              {true, 1, 1, 0},
      {true, 0, 1, 0},               {true, 1000, 1, 1},
  };
  for (const Case& c : cases) {
    CLightLevels levels;
    levels.RestartPeakRing();
    for (int i = 0; i < c.turns; ++i) {
      levels.RotatePeakRing(c.forward, c.span);
    }
    EXPECT_EQ(PeakPlace(levels.PeakRing()), c.place)
        << (c.forward ? "forward " : "backward ") << c.turns << " turns over " << c.span;
  }
}

TEST(LightLevels, SingleDecayTouchesOneLevelAndIgnoresBadIndexes) {
  CLightLevels levels;
  levels.RestartPeakRing();
  levels.MarkPeaks();
  levels.Decay(1);
  levels.Decay(kLevelArraySize);
  EXPECT_EQ(levels.Level(0), 255);
  levels.Decay(0);
  EXPECT_EQ(levels.Level(0), 223);
  EXPECT_EQ(levels.Level(kLevelArraySize), 0);
}

TEST(LightLevels, AModeChangeClearsTheLevelsAndRestartsTheRing) {
  CLightPreview preview(15);
  preview.SetParams(Effect(4, 4));
  preview.RaisePeakLevels();
  preview.RotatePeakRing(true);
  ASSERT_EQ(preview.Levels()[0], 255);

  preview.SetParams(Effect(4, 1));
  EXPECT_EQ(preview.Levels()[0], 255) << "same mode: kept";

  preview.SetParams(Effect(0, 1));
  EXPECT_TRUE(AllZero(preview.Levels()));
  std::array<uint8_t, kPeakRingSize> restarted{};
  restarted[0] = 1;
  EXPECT_EQ(preview.PeakRing(), restarted);
}

TEST(LightLevels, ClearEmptiesBothArrays) {
  CLightPreview preview(15);
  preview.RaisePeakLevels();
  preview.ClearLevels();
  EXPECT_TRUE(AllZero(preview.Levels()));
  EXPECT_TRUE(AllZero(preview.PeakRing()));
}

}  // namespace
