// The lighting editor as a user meets it in the whole program offscreen: each choice on the
// lighting page reaches the virtual mouse's settings page at once, and a page read from the mouse
// shows on the editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/device_kind_table.h"
#include "editors/device_editors.h"
#include "editors/light_editor/light_control_ui.h"
#include "program_fixture.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"

namespace {

// Where the settings page keeps the lighting.
constexpr size_t kModeByte = 1, kBrightnessByte = 2, kInverseSpeedByte = 3, kDirectionByte = 4,
                 kMultiColourByte = 5, kRedByte = 6, kGreenByte = 7, kBlueByte = 8, kModeCopyByte = 86;
constexpr size_t kPageSize = 87;

class LightingProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    editor = LightEditorOf(*program.Mouse());
    ASSERT_NE(editor, nullptr);
    program.Mouse()->SetFunctionType(kLightingTab);
  }

  CPaintManagerUI& Manager() { return *program.Window().GetPaintManager(); }
  template <typename T>
  T* As(const char* name, const char* interfaceName) {
    CControlUI* control = program.Control(name);
    return control ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
  }
  std::vector<uint8_t> Page() { return program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 0, kPageSize); }
  void ChooseMode(int index) { ASSERT_TRUE(As<CComboUI>("light_combo_modeSelect", "Combo")->SelectItem(index, true)); }
  void Slide(const char* name, int value) {
    auto* slider = As<CSliderUI>(name, "Slider");
    slider->SetValue(value);
    Manager().SendNotify(slider, "valuechanged");
  }
  void Type(const char* edit, const char* text) {
    As<CEditUI>(edit, "Edit")->SetText(text);
    Manager().SendNotify(program.Control(edit), "killfocus");
  }
  void Click(const std::string& name) { Manager().SendNotify(program.Control(name.c_str()), "click"); }
  bool Enabled(const char* name) { return program.Control(name)->IsEnabled(); }

  Program program{"mouse"};
  CLightControlUI* editor = nullptr;
};

TEST_F(LightingProgram, EachModeReachesTheMouseAsItsCode) {
  // Mode index -> the code the mouse knows it by (the breathing code 2 travels as 4).
  const std::vector<int> codes = {0, 1, 4, 3, 5, 6, 7, 8, 9, 10};
  for (int index = 0; index < static_cast<int>(codes.size()); ++index) {
    ChooseMode(index);
    const std::vector<uint8_t> page = Page();
    EXPECT_EQ(page[kModeByte], codes[static_cast<size_t>(index)]) << "mode " << index;
    EXPECT_EQ(page[kModeCopyByte], codes[static_cast<size_t>(index)]) << "mode " << index;
    EXPECT_EQ(program.Mouse()->GetLightInfo().SelectItem, index);
    EXPECT_EQ(program.Mouse()->GetLightEffect().mode, index) << "the preview runs it";
  }
  // The settings page's logo choice follows: spectrum is its "cycle".
  ChooseMode(3);
  EXPECT_EQ(As<CComboUI>("logo_led_mode_combo", "Combo")->GetCurSel(), 2);
}

TEST_F(LightingProgram, BrightnessSpeedDirectionAndColoursReachTheMouse) {
  ChooseMode(8);  // blink: everything but the direction is used
  Slide("deng_light_slider", 3);
  Slide("deng_speed_slider", 1);
  std::vector<uint8_t> page = Page();
  EXPECT_EQ(page[kBrightnessByte], 3);
  EXPECT_EQ(page[kInverseSpeedByte], 3) << "the page holds 4 - speed";

  As<COptionUI>("deng_FXR_check", "Option")->Selected(true, true);
  EXPECT_EQ(Page()[kDirectionByte], 0);
  As<COptionUI>("deng_FXL_check", "Option")->Selected(true, true);
  EXPECT_EQ(Page()[kDirectionByte], 1);

  As<COptionUI>("deng_7color_check", "Option")->Selected(true, true);
  EXPECT_EQ(Page()[kMultiColourByte], 1);

  // A preset is one colour: the colour cycle goes off.
  const DWORD preset = program.Control("color_option_3")->GetBkColor();
  Click("color_option_3");
  page = Page();
  EXPECT_EQ(page[kMultiColourByte], 0);
  EXPECT_EQ(page[kRedByte], static_cast<uint8_t>(preset >> 16));
  EXPECT_EQ(page[kGreenByte], static_cast<uint8_t>(preset >> 8));
  EXPECT_EQ(page[kBlueByte], static_cast<uint8_t>(preset));
  EXPECT_FALSE(editor->IsSevenColour());
  EXPECT_EQ(editor->GetPaletteColour() & 0xFFFFFF, preset & 0xFFFFFF);

  // Typed components: too large is 255, empty is 0, shown so.
  Type("deng_edit_R", "12");
  Type("deng_edit_G", "300");
  Type("deng_edit_B", "");
  page = Page();
  EXPECT_EQ(page[kRedByte], 12);
  EXPECT_EQ(page[kGreenByte], 255);
  EXPECT_EQ(page[kBlueByte], 0);
  EXPECT_EQ(editor->GetColourText(1), "255");
  EXPECT_EQ(editor->GetColourText(2), "0");
  EXPECT_EQ(program.Mouse()->GetLightInfo().Green, 255) << "kept in the profile";

  // A palette pick.
  auto* palette = As<CColorPaletteUI>("deng_Color_Pallet", "ColorPalette");
  ASSERT_NE(palette, nullptr);
  palette->SetSelectColor(0xFF102030);
  Manager().SendNotify(palette, "colorchanged");
  page = Page();
  EXPECT_EQ((page[kRedByte] << 16) | (page[kGreenByte] << 8) | page[kBlueByte], 0x102030);
  EXPECT_EQ(editor->GetColourText(0), "16");
}

TEST_F(LightingProgram, TheControlsFollowTheMode) {
  ChooseMode(6);  // off
  EXPECT_FALSE(Enabled("deng_light_slider"));
  EXPECT_FALSE(Enabled("deng_speed_slider"));
  EXPECT_FALSE(Enabled("deng_Color_Pallet"));
  EXPECT_FALSE(Enabled("color_option_0"));
  EXPECT_FALSE(program.Control("deng_same_mode")->IsVisible()) << "one device: nothing to share with";
  editor->SetSameModeAllowed(true);
  EXPECT_TRUE(program.Control("deng_same_mode")->IsVisible());

  ChooseMode(0);  // static: colour and brightness, no speed
  EXPECT_TRUE(Enabled("deng_light_slider"));
  EXPECT_FALSE(Enabled("deng_speed_slider"));
  EXPECT_TRUE(Enabled("deng_Color_Pallet"));
  EXPECT_TRUE(Enabled("deng_edit_R"));
  EXPECT_FALSE(Enabled("deng_7color_check"));
  EXPECT_FALSE(Enabled("deng_FXL_check"));
}

TEST_F(LightingProgram, APageReadFromTheMouseShowsOnTheEditor) {
  std::vector<uint8_t> page = Page();
  page[kModeByte] = page[kModeCopyByte] = 5;  // level wave
  page[kBrightnessByte] = 1;
  page[kInverseSpeedByte] = 0;
  page[kRedByte] = 9;
  program.Sim().Mouse()->WriteBlock(SimBlock::Settings, 0, page);
  program.Mouse()->SyncFromDevice();
  EXPECT_EQ(editor->GetSelectedMode(), 4);
  EXPECT_EQ(editor->GetBrightness(), 1);
  EXPECT_EQ(editor->GetSpeed(), 4);
  EXPECT_EQ(editor->GetColourText(0), "9");
  EXPECT_EQ(program.Mouse()->GetLightInfo().SelectItem, 4);
}

TEST_F(LightingProgram, TheSameModeCopySharesOnlyCommonEffectsAndAnyChangeEndsIt) {
  ChooseMode(2);  // the wave has no counterpart on other kinds
  EXPECT_FALSE(editor->CopyToAllDevices());
  EXPECT_EQ(program.Mouse()->Channel().SameMode(), 0);

  ChooseMode(8);  // blink: flashing everywhere
  Slide("deng_light_slider", 2);
  EXPECT_TRUE(editor->CopyToAllDevices());
  EXPECT_EQ(program.Mouse()->Channel().SameMode(), 1);
  EXPECT_EQ(Page()[kModeByte], 9);
  EXPECT_EQ(program.Mouse()->GetLightInfo().Light, 2) << "the other fields travel unchanged";

  Slide("deng_speed_slider", 0);
  EXPECT_EQ(program.Mouse()->Channel().SameMode(), 0) << "the mouse runs its own lighting again";
}

TEST_F(LightingProgram, ALightOnThePictureOpensTheLightingPage) {
  program.Mouse()->SetFunctionType(kSystemTab);
  Click("light_4");
  EXPECT_EQ(program.Mouse()->GetFunctionType(), kLightingTab);
}

}  // namespace
