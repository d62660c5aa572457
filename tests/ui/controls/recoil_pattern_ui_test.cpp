#include "ui/controls/recoil_pattern_ui.h"

#include <gtest/gtest.h>

#include "controls_harness.h"
#include "ui/controls/register_program_controls.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

constexpr QRgb kPath = qRgb(0x00, 0xD4, 0xFF);

// A spray fills the area with one scale both ways, the start on the centre line.
TEST(RecoilPattern, ASprayFitsItsAreaAndKeepsItsShape) {
  const RECT area{0, 0, 100, 100};
  const struct {
    const char* what;
    std::vector<POINT> points;
    std::vector<POINT> placed;  // the start, then each point
  } cases[] = {
      {"straight down", {{0, 10}, {0, 20}}, {{50, 0}, {50, 50}, {50, 100}}},
      {"side to side", {{-10, 0}, {10, 0}}, {{50, 47}, {0, 47}, {100, 47}}},
      {"down and right", {{5, 10}, {10, 40}}, {{50, 0}, {62, 25}, {75, 100}}},
  };
  for (const auto& c : cases) {
    CRecoilPatternUI pattern;
    pattern.SetPoints(c.points);
    const POINT start = pattern.PlaceOf(area, POINT{0, 0});
    EXPECT_EQ(start.x, c.placed[0].x) << c.what;
    EXPECT_EQ(start.y, c.placed[0].y) << c.what;
    for (size_t i = 0; i < c.points.size(); ++i) {
      const POINT at = pattern.PlaceOf(area, c.points[i]);
      EXPECT_EQ(at.x, c.placed[i + 1].x) << c.what << " point " << i;
      EXPECT_EQ(at.y, c.placed[i + 1].y) << c.what << " point " << i;
    }
  }
}

TEST(RecoilPattern, DrawsThePathFromTheStart) {
  UseShippedSkin();
  RegisterProgramControls();
  CPaintManagerUI manager;
  auto* pattern = static_cast<CRecoilPatternUI*>(BuildInto(manager, "<RecoilPattern/>")->GetInterface("RecoilPattern"));
  ASSERT_NE(pattern, nullptr);
  QImage empty = Render(manager, SIZE{60, 120});
  EXPECT_FALSE(NearColor(empty.pixel(30, 60), kPath));
  pattern->SetPoints({{0, 10}, {0, 20}});
  QImage drawn = Render(manager, SIZE{60, 120});
  for (int y : {30, 45, 80, 95}) EXPECT_TRUE(NearColor(drawn.pixel(30, y), kPath, 40)) << "y " << y;
  EXPECT_FALSE(NearColor(drawn.pixel(10, 60), kPath, 40));
}

}  // namespace
