// The metainfo's device lines: one per supported USB device, none for rows that never match, and
// the template's marker line replaced whole.

#include "modalias_lines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ModaliasLines, OneLinePerSupportedDeviceAndNoneForTheRowsThatNeverMatch) {
  const std::vector<std::string> lines = SupportedModaliasLines("  ");
  EXPECT_THAT(lines, testing::Contains("  <modalias>usb:v320Fp22A4d*</modalias>"));  // the mouse
  EXPECT_THAT(lines, testing::Contains("  <modalias>usb:v320Fp226Fd*</modalias>"));  // its receiver
  EXPECT_THAT(lines, testing::Not(testing::Contains(testing::HasSubstr("p0000"))));
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size()) << "each device once";
}

TEST(ModaliasLines, TheMarkerLineIsReplacedWholeAndAMissingMarkerIsAnError) {
  std::string result;
  ASSERT_TRUE(ReplaceMarkerLine("<a>\n    @M@\n</a>\n", "@M@", {"  <x/>", "  <y/>"}, &result));
  EXPECT_EQ(result, "<a>\n  <x/>\n  <y/>\n</a>\n");
  ASSERT_TRUE(ReplaceMarkerLine("@M@", "@M@", {"<x/>"}, &result));
  EXPECT_EQ(result, "<x/>\n");
  EXPECT_FALSE(ReplaceMarkerLine("<a/>\n", "@M@", {}, &result));
}

}  // namespace
