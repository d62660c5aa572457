#include "ui/toolkit/attribute_values.h"

#include <gtest/gtest.h>

#include "ui/toolkit/draw_info.h"

TEST(AttributeValues, ColoursParseInEveryAcceptedForm) {
  struct Case {
    const char* text;
    DWORD colour;
  };
  const Case cases[] = {
      {"#FF112233", 0xFF112233u}, {"#112233", 0xFF112233u},     {"0x80ABCDEF", 0x80ABCDEFu},
      {"#00000000", 0u},          {" #FFFFFFFF ", 0xFFFFFFFFu}, {"nonsense", 0u},
  };
  for (const Case& test : cases) EXPECT_EQ(ParseColorValue(test.text), test.colour) << test.text;
}

TEST(AttributeValues, RectsSizesAndBooleans) {
  EXPECT_EQ(ParseRectValue("1,2,3,4"), (RECT{1, 2, 3, 4}));
  EXPECT_EQ(ParseRectValue(" 5 , -6 "), (RECT{5, -6, 0, 0}));
  EXPECT_EQ(ParseSizeValue("800,572"), (SIZE{800, 572}));
  EXPECT_TRUE(ParseBoolValue("TRUE"));
  EXPECT_TRUE(ParseBoolValue("1"));
  EXPECT_FALSE(ParseBoolValue("yes"));
}

TEST(AttributeValues, AttributeListsKeepOrderAndQuotes) {
  TAttributeList list = ParseAttributeList("width=\"24\" textcolor='#FFFFFFFF' text=\"a b\"");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].first, "width");
  EXPECT_EQ(list[1].second, "#FFFFFFFF");
  EXPECT_EQ(list[2].second, "a b");
}

TEST(ImageString, ParsesEveryKey) {
  TDrawInfo info;
  info.Parse(
      "file='power\\powered.png' source='1,2,3,4' corner='5,5,5,5' dest='0,0,20,20' fade='300' "
      "mask='#FFFF00FF' hole='true' xtiled='true'");
  EXPECT_EQ(info.sImageName, "power/powered.png") << "backslashes become slashes";
  EXPECT_EQ(info.rcSource, (RECT{1, 2, 3, 4}));
  EXPECT_TRUE(info.bHasSource);
  EXPECT_EQ(info.rcCorner, (RECT{5, 5, 5, 5}));
  EXPECT_TRUE(info.bHasDest);
  EXPECT_EQ(info.uFade, 255) << "clamped";
  EXPECT_EQ(info.dwMask, 0xFFFF00FFu);
  EXPECT_TRUE(info.bHole);
  EXPECT_TRUE(info.bTiledX);
}

TEST(ImageString, BarePathsAndModifiers) {
  TDrawInfo info;
  info.Parse("common/my image.png");
  EXPECT_EQ(info.sImageName, "common/my image.png");
  EXPECT_FALSE(info.bHasSource);
  info.Parse("res='record.png' ", "fade='80'");
  EXPECT_EQ(info.sImageName, "record.png");
  EXPECT_EQ(info.uFade, 80) << "the modifier adds to the image string";
  info.Parse("file=\"a.png\" fade=\"10\"", "fade='20'");
  EXPECT_EQ(info.uFade, 20) << "and wins where both say something";
}
