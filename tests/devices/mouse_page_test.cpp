// The mouse page after reading a virtual mouse: the controls show what the mouse and its profile
// hold, the battery display shows its status and the page paints.
#include <gtest/gtest.h>

#include <QImage>

#include "controls_harness.h"
#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"

namespace {

bool IsSelected(MouseRig& rig, const std::string& name) {
  return static_cast<COptionUI*>(rig.Control(name)->GetInterface("Option"))->IsSelected();
}

std::string ComboText(MouseRig& rig, const std::string& name) {
  return static_cast<CComboUI*>(rig.Control(name)->GetInterface("Combo"))->GetText().str();
}

}  // namespace

TEST(MousePage, ShowsTheStagesAndSettingsOfTheMouseAfterARead) {
  MouseRig rig("mouse");
  rig.AttachAndRead();

  // Stages come from the profile (the factory profile's 7, 15, 31 …), the rest from the mouse.
  const char* shown[] = {"400", "800", "1600", "2400", "3200", "6400", "12000"};
  for (int stage = 0; stage < 7; ++stage) {
    EXPECT_EQ(rig.Control("DPI_edit_" + std::to_string(stage))->GetText().str(), shown[stage]);
  }
  auto* slider = static_cast<CSliderUI*>(rig.Control("DPI_slider_1")->GetInterface("Slider"));
  EXPECT_EQ(slider->GetValue(), 15);
  EXPECT_EQ(rig.Control("DPI_color_option_0")->GetBkColor(), 0xFFFF0000u);
  EXPECT_TRUE(IsSelected(rig, "DPI_select_check_1")) << "the mouse's page names stage 1";
  EXPECT_FALSE(IsSelected(rig, "DPI_select_check_0"));
  EXPECT_TRUE(IsSelected(rig, "polling_rate_option_3"));
  EXPECT_EQ(ComboText(rig, "ble_sleep1_combo"), "10 min");
  EXPECT_EQ(ComboText(rig, "ble_sleep2_combo"), "5 min");
  EXPECT_EQ(ComboText(rig, "device_sleep1_combo"), "5 min");
  EXPECT_EQ(ComboText(rig, "device_sleep2_combo"), "3 min");
  EXPECT_EQ(ComboText(rig, "Anti_Shake_combo_timeSelect"), "4 ms");
  EXPECT_TRUE(IsSelected(rig, "mouse_device_seting_option_0"));

  // The profile took what the mouse stores.
  const MouseSystemBlock saved = rig.Device().ProfileData().ReadSystemStages();
  EXPECT_EQ(HighHalf(saved[2]), 3);
  EXPECT_EQ(LowHalf(saved[7]), 4);
  EXPECT_EQ(rig.Device().ProfileData().GetStageActive(), 1);
}

TEST(MousePage, TheBatteryDisplayShowsTheMouseStatus) {
  MouseRig rig("mouse:battery=37:charging");
  rig.AttachAndRead();
  rig.FireTimer(kTimerRefreshStatus);
  EXPECT_EQ(rig.Manager().FindSubControlByName(rig.Device().GetPowerDisplay(), "device_power_value")->GetText().str(),
            "37%");
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerRefreshStatus), kRefreshStatusMs);

  // Hidden in the tray, the status is not read.
  rig.Device().SetWindowHidden(true);
  rig.Sim().Mouse()->SetBattery(90);
  rig.FireTimer(kTimerRefreshStatus);
  EXPECT_EQ(rig.Manager().FindSubControlByName(rig.Device().GetPowerDisplay(), "device_power_value")->GetText().str(),
            "37%");
}

TEST(MousePage, PaintsTheLightPreviewOnTheMousePicture) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  rig.Device().SetLightEffect(0, 0, 4, 0x0000FF);  // static red at full brightness
  rig.Device().LightPreview().With([](CLightPreview& preview) { preview.StepStatic(); });
  rig.FireTimer(kTimerPushLightPreview);
  const QImage image = Render(rig.Manager(), {960, 500});
  CControlUI* led = rig.Control("light_0");
  const RECT pos = led->GetPos();
  const QRgb centre = image.pixel((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
  EXPECT_GT(qRed(centre), 120);
  EXPECT_LT(qGreen(centre), 80);
  EXPECT_GT(rig.Tile().previewRepaints, 0);
}
