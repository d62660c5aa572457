// The lighting editor on its own, built from the shipped layout: what a keyboard's modes show and
// how the audio light's colours are kept.
#include <gtest/gtest.h>

#include "controls_harness.h"
#include "devices/lighting/light_types.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/register_editor_controls.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

class LightControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    RegisterEditorControls();
    root_ = BuildInto(manager_, "<Window size=\"600,480\"><LightControl name=\"LightControlItem\"/></Window>");
    ASSERT_NE(root_, nullptr);
    editor_ = static_cast<CLightControlUI*>(FindNamedChild(root_, "LightControlItem")->GetInterface("LightControl"));
    ASSERT_NE(editor_, nullptr);
    editor_->FindControls();
    editor_->SetLightType(kLightTypeKeyboard);
  }
  void TearDown() override {
    manager_.AttachDialog(nullptr);
    delete root_;
  }
  CControlUI* Control(const char* name) { return FindNamedChild(root_, name); }
  COptionUI* Option(const char* name) { return static_cast<COptionUI*>(Control(name)->GetInterface("Option")); }
  int ColourPage() {
    return static_cast<CTabLayoutUI*>(Control("light_color_tablayout")->GetInterface("TabLayout"))->GetCurSel();
  }

  CPaintManagerUI manager_;
  CControlUI* root_ = nullptr;
  CLightControlUI* editor_ = nullptr;
};

TEST_F(LightControlTest, KeyboardModesShowTheirOwnGroups) {
  editor_->ApplyModeLayout(kLightTypeKeyboard, 29);
  EXPECT_TRUE(Control("light_combo_AudiomodeSelectLayout")->IsVisible());
  EXPECT_FALSE(Control("deng_speed_layout")->IsVisible());
  EXPECT_EQ(ColourPage(), 1);

  editor_->ApplyModeLayout(kLightTypeKeyboard, 20);
  EXPECT_TRUE(Control("lightcustom_layout")->IsVisible());
  EXPECT_FALSE(Control("light_combo_AudiomodeSelectLayout")->IsVisible());
  EXPECT_EQ(ColourPage(), 0);

  editor_->ApplyModeLayout(kLightTypeKeyboard, 24);
  EXPECT_FALSE(Control("lightcustom_layout")->IsVisible());
  EXPECT_TRUE(Control("deng_speed_layout")->IsVisible());
  EXPECT_EQ(Control("deng_FXL_check")->GetText(), "Clockwise");

  // An inoperable control says why.
  editor_->ApplyModeLayout(kLightTypeKeyboard, 28);
  EXPECT_FALSE(Control("deng_light_slider")->IsEnabled());
  EXPECT_FALSE(Control("deng_light_slider")->GetToolTip().IsEmpty());
  editor_->ApplyModeLayout(kLightTypeKeyboard, 1);
  EXPECT_TRUE(Control("deng_light_slider")->IsEnabled());
  EXPECT_TRUE(Control("deng_light_slider")->GetToolTip().IsEmpty());
  EXPECT_EQ(Control("color_option_0")->GetToolTip(), "Use this colour") << "its own tooltip stays";
}

TEST_F(LightControlTest, AudioColoursGoToTheChosenLayerAndStyleThreeTakesThemFromTheSound) {
  // Style 1, background 10,20,30, foreground 40,50,60 shown, seven colours on.
  editor_->SetAudioLightInfo(1 | 10u << 8 | 20u << 16 | 30u << 24, 40 | 50u << 8 | 60u << 16 | 1u << 24, 1);
  EXPECT_TRUE(Option("audio_FgColor_check")->IsSelected());
  EXPECT_FALSE(Option("audio_BkColor_check")->IsSelected());
  EXPECT_EQ(editor_->GetAudioColourText(0), "40");
  EXPECT_TRUE(Control("light_audiocolor_layout")->IsEnabled());

  // The background chosen and a colour taken: it goes to the background.
  Option("audio_BkColor_check")->Selected(true, false);
  Control("deng_audiocolordp_btn")->SetBkColor(0xFF708090);
  const AudioLightRecord audio = editor_->GetAudioLightInfo(true);
  EXPECT_EQ(audio.ColorTypeFlags, 0);
  EXPECT_EQ(audio.BkColorR, 0x70);
  EXPECT_EQ(audio.BkColorB, 0x90);
  EXPECT_EQ(audio.FgColorR, 40) << "the foreground stays";

  editor_->SetAudioLightInfo(3, 0, 0);
  EXPECT_FALSE(Control("light_audiocolor_layout")->IsEnabled());
  EXPECT_FALSE(Control("audiocolorpallet_layout")->IsEnabled());
}

}  // namespace
