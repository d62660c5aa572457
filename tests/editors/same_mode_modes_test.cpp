// The translation of a lighting mode between kinds for the same-mode copy.
#include <gtest/gtest.h>

#include "devices/lighting/light_types.h"
#include "editors/light_editor/same_mode_modes.h"

namespace {

struct Translation {
  int lightType;
  int mode;
  int common;
};

// Every kind's five shared modes, both ways.
constexpr Translation kShared[] = {
    {kLightTypeKeyboard, 5, kCommonBreathing}, {kLightTypeKeyboard, 6, kCommonSteady},
    {kLightTypeKeyboard, 23, kCommonFlashing}, {kLightTypeKeyboard, 4, kCommonSpectrum},
    {kLightTypeKeyboard, 28, kCommonOff},      {kLightTypeMouse, 1, kCommonBreathing},
    {kLightTypeMouse, 0, kCommonSteady},       {kLightTypeMouse, 8, kCommonFlashing},
    {kLightTypeMouse, 3, kCommonSpectrum},     {kLightTypeMouse, 6, kCommonOff},
    {kLightTypeMousePad, 2, kCommonBreathing}, {kLightTypeMousePad, 3, kCommonSteady},
    {kLightTypeMousePad, 4, kCommonFlashing},  {kLightTypeMousePad, 1, kCommonSpectrum},
    {kLightTypeMousePad, 8, kCommonOff},       {kLightTypeHeadset, 2, kCommonBreathing},
    {kLightTypeHeadset, 8, kCommonOff},
};

TEST(SameModeModes, EveryKindMapsItsSharedModesBothWays) {
  for (const Translation& t : kShared) {
    EXPECT_EQ(CommonModeOf(t.lightType, t.mode), t.common) << t.lightType << "/" << t.mode;
    EXPECT_EQ(ModeOfCommon(t.lightType, t.common), t.mode) << t.lightType << "/" << t.common;
  }
}

TEST(SameModeModes, AFlashingMouseMakesKeyboardsAndPadsFlash) {
  const std::optional<int> common = CommonModeOf(kLightTypeMouse, 8);
  ASSERT_TRUE(common);
  EXPECT_EQ(ModeOfCommon(kLightTypeKeyboard, *common), 23);
  EXPECT_EQ(ModeOfCommon(kLightTypeMousePad, *common), 4);
}

TEST(SameModeModes, ModesWithoutASharedEffectAreNotCopied) {
  EXPECT_FALSE(CommonModeOf(kLightTypeMouse, 2));  // the mouse's wave
  EXPECT_FALSE(CommonModeOf(kLightTypeMouse, 9));
  EXPECT_FALSE(CommonModeOf(kLightTypeKeyboard, 1));
  EXPECT_FALSE(CommonModeOf(kLightTypeMousePad, 0));
  EXPECT_FALSE(CommonModeOf(kLightTypeSimple, 1));
  EXPECT_FALSE(ModeOfCommon(kLightTypeMouse, 5));
  EXPECT_FALSE(ModeOfCommon(kLightTypeMouse, -1));
}

}  // namespace
