#include "ui/controls/audio_record_ui.h"

#include <gtest/gtest.h>

#include <thread>

#include "controls_harness.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

constexpr QRgb kBack = qRgb(0, 200, 255);
constexpr QRgb kBar = qRgb(0, 0, 0);

// Counts bar pixels in column x.
int BarHeight(const QImage& image, int x) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) count += NearColor(image.pixel(x, y), kBar, 2) ? 1 : 0;
  return count;
}

}  // namespace

TEST(AudioRecord, BarsStandOnEveryOtherPixelAsHighAsTheirLevel) {
  UseShippedSkin();
  CPaintManagerUI manager;
  auto* bars = static_cast<CAudioRecordUI*>(BuildInto(manager, "<AudioRecord bkcolor='#FF00C8FF'/>"));
  ASSERT_NE(bars, nullptr);
  const int32_t levels[] = {8192, 4096, 0, 2048, 16384, -100};
  bars->SetLevels(levels, 6);
  QImage image = Render(manager, SIZE{11, 64});

  struct Case {
    int x;
    int height;
  };
  const Case cases[] = {{0, 64}, {2, 32}, {4, 0}, {6, 16}, {8, 64}, {10, 0}};
  for (const Case& test : cases) EXPECT_EQ(BarHeight(image, test.x), test.height) << "bar at x " << test.x;
  for (int x = 1; x < 11; x += 2) EXPECT_EQ(BarHeight(image, x), 0) << "gap at x " << x;
  EXPECT_TRUE(NearColor(image.pixel(3, 10), kBack)) << "the background fills the rest";
  EXPECT_TRUE(NearColor(image.pixel(2, 63), kBar)) << "bars reach the bottom row";
  EXPECT_TRUE(NearColor(image.pixel(2, 31), kBack)) << "a half-scale bar starts half way down";
}

TEST(AudioRecord, OnlyAsManyBarsAsFitTheWidth) {
  UseShippedSkin();
  CPaintManagerUI manager;
  auto* bars = static_cast<CAudioRecordUI*>(BuildInto(manager, "<AudioRecord bkcolor='#FF00C8FF'/>"));
  int32_t levels[CAudioRecordUI::kLevelCount];
  for (int32_t& level : levels) level = CAudioRecordUI::kFullScale;
  bars->SetLevels(levels, CAudioRecordUI::kLevelCount);
  QImage image = Render(manager, SIZE{1200, 8});
  EXPECT_EQ(BarHeight(image, 998), 8) << "bar 499, the last one";
  EXPECT_EQ(BarHeight(image, 1000), 0) << "there is no bar 500";
  EXPECT_EQ(bars->GetByteTable()[0], 0);
  EXPECT_EQ(bars->GetByteTable()[200], 200);
}

TEST(AudioRecord, LevelsFromAnAudioThreadAreDrawnAfterTheyArrive) {
  UseShippedSkin();
  CPaintManagerUI manager;
  auto* bars = static_cast<CAudioRecordUI*>(BuildInto(manager, "<AudioRecord bkcolor='#FF00C8FF'/>"));
  std::thread audio([bars] {
    const int32_t levels[] = {8192, 8192, 8192};
    bars->SetLevels(levels, 3);
  });
  audio.join();
  ASSERT_TRUE(PumpUntil([bars] { return bars->GetLevel(2) == 8192; }));
  QImage image = Render(manager, SIZE{8, 16});
  EXPECT_EQ(BarHeight(image, 4), 16);
}
