// The mouse pad as a user meets it in the whole program offscreen, beside the mouse: its tile and
// page, its lighting on the lighting editor and on the pad, the re-read it asks for, the pad
// going and coming back, and the two devices' lights in step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/device_kind_table.h"
#include "devices/lighting/sync_light_engine.h"
#include "devices/velmar_mouse_pad_device.h"
#include "editors/device_editors.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/profile_panel/profile_panel_controls.h"
#include "program_fixture.h"
#include "sim/virtual_mouse_pad.h"
#include "windows/main_wnd/main_wnd_controls.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/slider_ui.h"

namespace {

constexpr size_t kModeByte = 1, kBrightnessByte = 2, kInverseSpeedByte = 3, kRedByte = 6;

class MousePadProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead() && PadRead(); }, kSettleMs));
    pad = static_cast<CVelmarMousePadDevice*>(program.MousePad()->GetInterface("VelmarMousePadDevice"));
    ASSERT_NE(pad, nullptr);
    editor = LightEditorOf(*pad);
    ASSERT_NE(editor, nullptr);
    // The user picks the pad's tile: its page shows and the edits go to it.
    program.Window().TileOf(pad)->Select(true);
    ASSERT_TRUE(PumpUntil([&] { return program.Window().GetSelectedDevice() == pad; }, kSettleMs));
  }

  bool PadRead() {
    CVelmarUSBDevice* device = program.MousePad();
    CDeviceOptionUI* tile = device ? program.Window().TileOf(device) : nullptr;
    return tile && tile->IsReachable() && device->CompletedReads() > 0;
  }
  CVirtualMousePad& VirtualPad() { return *program.Sim().MousePad(); }
  CControlUI* OnPad(const char* name) { return program.Window().GetPaintManager()->FindSubControlByName(pad, name); }
  CComboUI* ModeCombo() { return static_cast<CComboUI*>(OnPad("light_combo_modeSelect")->GetInterface("Combo")); }
  void Slide(const char* name, int value) {
    auto* slider = static_cast<CSliderUI*>(OnPad(name)->GetInterface("Slider"));
    slider->SetValue(value);
    program.Window().GetPaintManager()->SendNotify(slider, "valuechanged");
  }

  Program program{"mouse,mousepad"};
  CVelmarMousePadDevice* pad = nullptr;
  CLightControlUI* editor = nullptr;
};

}  // namespace

TEST_F(MousePadProgram, BothTilesShowAndThePadPageOffersOnlyTheLighting) {
  EXPECT_EQ(program.Window().CountReachable(), 2);
  EXPECT_TRUE(program.Window().TileOf(pad)->IsInStrip());
  EXPECT_EQ(editor->GetLightType(), 3);
  EXPECT_EQ(pad->LightControls().size(), 15u) << "the picture's lights round the edge";
  // Kind 3 hides the key, macro, system and pointer tabs, and the pad has no page of further
  // settings; the lighting tab is there.
  auto tab = [&](int number) { return OnPad(profile_panel::kTabs[number - 1]); };
  ASSERT_NE(tab(kLightingTab), nullptr);
  EXPECT_TRUE(tab(kLightingTab)->IsVisible());
  for (const int hidden : {kKeyTab, kMacroTab, kSystemTab, kCursorTab, kMoreTab}) {
    ASSERT_NE(tab(hidden), nullptr) << hidden;
    EXPECT_FALSE(tab(hidden)->IsVisible()) << "tab " << hidden;
  }
  EXPECT_EQ(pad->GetFunctionType(), kLightingTab);
  // It has no battery, so the strip shows no power display for it; the mouse's comes back.
  CControlUI* power = program.Window().GetPaintManager()->FindControl(main_window::kPowerDisplays);
  ASSERT_NE(power, nullptr);
  EXPECT_FALSE(power->IsVisible());
  program.Window().TileOf(program.Mouse())->Select(true);
  EXPECT_TRUE(PumpUntil([&] { return power->IsVisible(); }, kSettleMs));
}

TEST_F(MousePadProgram, TheEditorShowsWhatThePadRunsAndEachChangeReachesThePad) {
  // The factory pad runs a steady white at full brightness, speed 2.
  EXPECT_EQ(ModeCombo()->GetCurSel(), 3);
  EXPECT_EQ(pad->GetLightInfo().Light, 4);
  EXPECT_EQ(pad->GetLightInfo().Speed, 2);

  ASSERT_TRUE(ModeCombo()->SelectItem(6, true));  // ripple
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kModeByte], 6);
  Slide("deng_light_slider", 2);
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kBrightnessByte], 2);
  Slide("deng_speed_slider", 4);
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kInverseSpeedByte], 0) << "the pad keeps 4 - speed";
  EXPECT_EQ(pad->GetLightEffect().mode, 6) << "the preview runs the ripple";
  EXPECT_EQ(pad->GetLightInfo().Speed, 4) << "kept in the profile";
}

TEST_F(MousePadProgram, AChangeMadeOnThePadShowsOnTheEditor) {
  const uint8_t spectrum[] = {1, 3, 1, 0, 1, 0, 0, 0};
  VirtualPad().ChangeLighting(spectrum);
  ASSERT_TRUE(PumpUntil([&] { return ModeCombo()->GetCurSel() == 1; }, kSettleMs));
  EXPECT_EQ(pad->GetLightInfo().Speed, 3);
  EXPECT_EQ(pad->GetLightInfo().Light, 3);
}

TEST_F(MousePadProgram, ThePadGoesAndComesBack) {
  const int reads = pad->CompletedReads();
  VirtualPad().Unplug();
  ASSERT_TRUE(PumpUntil([&] { return !program.Window().TileOf(pad)->IsReachable(); }, kSettleMs));
  EXPECT_EQ(program.Window().CountReachable(), 1);

  ASSERT_TRUE(program.Sim().Backend().Plug(program.Sim().MousePad()));
  ASSERT_TRUE(PumpUntil([&] { return program.Window().TileOf(pad)->IsReachable() && pad->CompletedReads() > reads; },
                        kSettleMs));
  program.Window().TileOf(pad)->Select(true);
  ASSERT_TRUE(PumpUntil([&] { return program.Window().GetSelectedDevice() == pad; }, kSettleMs));
  ASSERT_TRUE(ModeCombo()->SelectItem(0, true));
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kModeByte], 0) << "written after the pad came back";
}

TEST_F(MousePadProgram, TheSameModeCopyRunsBothInStepUntilThePadGoes) {
  CLightControlUI* mouseEditor = LightEditorOf(*program.Mouse());
  ASSERT_NE(mouseEditor, nullptr);
  // The mouse breathes (its mode 1): the pad takes its breathing (mode 2).
  LightInfoRecord breathing = program.Mouse()->GetLightInfo();
  breathing.SelectItem = 1;
  breathing.Red = 0x40;
  program.Mouse()->SetLightInfo(breathing);
  ASSERT_TRUE(mouseEditor->CopyToAllDevices());
  EXPECT_EQ(pad->GetLightInfo().SelectItem, 2);
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kModeByte], 2);
  EXPECT_EQ(VirtualPad().WrittenPage(0)[kRedByte], 0x40);
  EXPECT_TRUE(program.Mouse()->Channel().SameMode());
  EXPECT_TRUE(pad->Channel().SameMode());

  CSyncLightEngine& engine = *program.Window().SyncLightEngine();
  const uint64_t steps = engine.Steps();
  ASSERT_TRUE(PumpUntil([&] { return engine.Steps() > steps + 2; }, kSettleMs)) << "the engine runs both";

  VirtualPad().Unplug();
  ASSERT_TRUE(PumpUntil([&] { return !program.Mouse()->Channel().SameMode(); }, kSettleMs))
      << "one device left: no lighting in step";
  const uint64_t mouseSteps = program.Mouse()->LightSteps();
  EXPECT_TRUE(PumpUntil([&] { return program.Mouse()->LightSteps() > mouseSteps; }, kSettleMs))
      << "the mouse runs its own effect again";
}
