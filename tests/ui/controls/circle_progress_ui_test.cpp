#include "ui/controls/circle_progress_ui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "controls_harness.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

constexpr QRgb kBack = qRgb(0, 0, 255);
constexpr QRgb kFore = qRgb(0, 255, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

QImage RenderRing(int value, int dpi = 96) {
  CPaintManagerUI manager;
  manager.SetDPI(dpi);
  BuildInto(manager, "<CircleProgress min='0' max='100' value='" + std::to_string(value) +
                         "' bkcolor='#FF0000FF' forecolor='#FF00FF00'/>");
  return Render(manager, SIZE{100, 100});
}

// A point of the ring (radius 45 of 50 at 96 DPI) at a clock position, 12 = top, 3 = right.
QRgb RingAt(const QImage& image, double hour) {
  const double centre = image.width() / 2.0;
  const double radius = image.width() * 0.45;
  const double angle = hour / 12.0 * 2 * M_PI;
  return image.pixel(int(centre + radius * std::sin(angle)), int(centre - radius * std::cos(angle)));
}

}  // namespace

TEST(CircleProgress, RingFillsClockwiseFromSixOClock) {
  UseShippedSkin();
  struct Case {
    int value;
    double hour;
    QRgb expected;
  };
  const Case cases[] = {
      {0, 6.5, kBack},   {0, 12, kBack},   {25, 7.5, kFore}, {25, 4.5, kBack}, {25, 10, kBack},
      {50, 9, kFore},    {50, 3, kBack},   {50, 11.5, kFore}, {75, 1, kFore},  {75, 5, kBack},
      {100, 5, kFore},   {100, 3, kFore},
  };
  for (const Case& test : cases) {
    QImage image = RenderRing(test.value);
    EXPECT_TRUE(NearColor(RingAt(image, test.hour), test.expected)) << "value " << test.value << " at " << test.hour;
  }
}

TEST(CircleProgress, WhiteDiscLeavesARingTenPixelsWideScaledByDpi) {
  UseShippedSkin();
  QImage at96 = RenderRing(100);
  EXPECT_TRUE(NearColor(at96.pixel(50, 50), kWhite));
  EXPECT_TRUE(NearColor(at96.pixel(50, 88), kWhite)) << "inside the disc, 12 pixels from the edge";
  EXPECT_TRUE(NearColor(at96.pixel(50, 92), kFore)) << "in the ring, 8 pixels from the edge";
  EXPECT_EQ(qAlpha(at96.pixel(2, 2)), 0) << "outside the circle nothing is drawn";

  QImage at144 = RenderRing(100, 144);
  ASSERT_EQ(at144.width(), 150);
  EXPECT_TRUE(NearColor(at144.pixel(75, 150 - 13), kFore)) << "the ring is 15 pixels wide at 144 DPI";
  EXPECT_TRUE(NearColor(at144.pixel(75, 150 - 17), kWhite));
}
