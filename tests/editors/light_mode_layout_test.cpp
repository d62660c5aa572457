// What each lighting mode lets the user set, by the light type of the page.
#include <gtest/gtest.h>

#include <string>

#include "editors/light_editor/light_mode_layout.h"

namespace {

// The five columns every table has, as a word: 7-colour, colour, palette, brightness, speed.
std::string Columns(const LightModeLayout& l) {
  std::string word;
  for (bool on : {l.sevenColour, l.colour, l.palette, l.brightness, l.speed}) word += on ? 'Y' : 'N';
  return word;
}

std::string Optional(const std::optional<bool>& value) { return value ? (*value ? "Y" : "N") : "-"; }

struct Case {
  int lightType;
  int mode;
  const char* columns;
  const char* direction;  // Y, N or - (left as it was)
  const char* rgb;
  const char* sameMode;
};

class ModeLayoutTable : public ::testing::TestWithParam<Case> {};

TEST_P(ModeLayoutTable, EnablesWhatTheModeUses) {
  const Case& c = GetParam();
  const std::optional<LightModeLayout> layout = ModeLayoutFor(c.lightType, c.mode);
  ASSERT_TRUE(layout);
  EXPECT_EQ(Columns(*layout), c.columns);
  EXPECT_EQ(Optional(layout->direction), c.direction);
  EXPECT_EQ(Optional(layout->rgb), c.rgb);
  EXPECT_EQ(Optional(layout->sameMode), c.sameMode);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ModeLayoutTable,
    ::testing::Values(
        // The mouse: direction never, the colour edits per mode, some modes not shared.
        Case{kLightTypeMouse, 0, "NYYYN", "N", "Y", "Y"}, Case{kLightTypeMouse, 1, "NYYYY", "N", "Y", "Y"},
        Case{kLightTypeMouse, 9, "NYYYY", "N", "Y", "Y"}, Case{kLightTypeMouse, 3, "NNNYY", "N", "N", "Y"},
        Case{kLightTypeMouse, 5, "YNNYY", "N", "N", "Y"}, Case{kLightTypeMouse, 6, "NNNNN", "N", "N", "Y"},
        Case{kLightTypeMouse, 7, "NNNYY", "N", "-", "N"}, Case{kLightTypeMouse, 8, "YYYYY", "N", "-", "Y"},
        Case{kLightTypeMouse, 10, "NNNYY", "N", "N", "N"}, Case{kLightTypeMouse, 11, "NNNNN", "N", "-", "N"},
        // The mouse pad, and the headset, which follows it.
        Case{kLightTypeMousePad, 0, "YYYYY", "Y", "-", "N"}, Case{kLightTypeMousePad, 1, "NNNYY", "N", "-", "Y"},
        Case{kLightTypeMousePad, 4, "YYYYY", "N", "-", "Y"}, Case{kLightTypeMousePad, 3, "NYYYN", "N", "-", "Y"},
        Case{kLightTypeMousePad, 8, "NNNNN", "N", "-", "Y"}, Case{kLightTypeMousePad, 6, "NNNNN", "N", "-", "N"},
        Case{kLightTypeHeadset, 2, "YYYYY", "N", "-", "Y"}, Case{kLightTypeCompact, 3, "NYYYN", "N", "-", "Y"},
        // The keyboard.
        Case{kLightTypeKeyboard, 1, "YYYYY", "Y", "-", "N"}, Case{kLightTypeKeyboard, 4, "NNNYY", "N", "-", "Y"},
        Case{kLightTypeKeyboard, 6, "YYYYN", "N", "-", "Y"}, Case{kLightTypeKeyboard, 16, "YYYYN", "N", "-", "N"},
        Case{kLightTypeKeyboard, 28, "NNNNN", "N", "-", "Y"}, Case{kLightTypeKeyboard, 19, "NNNNN", "N", "-", "N"},
        // The kind with rules of its own leaves direction and sharing alone.
        Case{kLightTypeSimple, 1, "NYYYN", "-", "-", "-"}, Case{kLightTypeSimple, 4, "NNNYY", "-", "-", "-"}));

TEST(ModeLayout, KeyboardModesShowTheirOwnGroupsAndDirectionTexts) {
  const LightModeLayout audio = *ModeLayoutFor(kLightTypeKeyboard, 29);
  EXPECT_EQ(audio.audioModeShown, true);
  EXPECT_EQ(audio.speedShown, false);
  EXPECT_EQ(audio.colourPage, 1);

  const LightModeLayout custom = *ModeLayoutFor(kLightTypeKeyboard, 20);
  EXPECT_EQ(custom.customGroupShown, true);
  EXPECT_EQ(custom.speedShown, false);
  EXPECT_EQ(custom.colourPage, 0);

  const LightModeLayout second = *ModeLayoutFor(kLightTypeKeyboard, 17);
  EXPECT_EQ(second.secondModeShown, true);
  EXPECT_EQ(second.colourGroupEnabled, false);

  EXPECT_STREQ(ModeLayoutFor(kLightTypeKeyboard, 24)->leftText, "light_set_clockwise_text");
  EXPECT_STREQ(ModeLayoutFor(kLightTypeKeyboard, 18)->rightText, "light_set_inside_to_outside_text");
  EXPECT_STREQ(ModeLayoutFor(kLightTypeKeyboard, 7)->leftText, "light_set_right_to_left_text");
  // Every keyboard row starts from the same groups.
  const LightModeLayout plain = *ModeLayoutFor(kLightTypeKeyboard, 8);
  EXPECT_EQ(plain.customGroupShown, false);
  EXPECT_EQ(plain.audioModeShown, false);
  EXPECT_EQ(plain.colourGroupEnabled, true);
  // Other kinds leave the keyboard's groups alone.
  EXPECT_FALSE(ModeLayoutFor(kLightTypeMouse, 0)->speedShown);
}

TEST(ModeLayout, ATypeWithoutRulesChangesNothing) {
  EXPECT_FALSE(ModeLayoutFor(0, 1));
  EXPECT_FALSE(ModeLayoutFor(6, 1));
}

}  // namespace
