// The whole program, offscreen, against virtual devices: start, first scan, the mouse's tile and
// page, a setting reaching the mouse and the profile, unplugging, switching, shutdown.
#include <gtest/gtest.h>

#include "devices/device_messages.h"
#include "profiles/storage/json_file.h"
#include "program_fixture.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"

TEST(Program, RunsTheMouseFromFirstScanToShutdown) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  EXPECT_FALSE(program.Window().IsNoDeviceLayoutShown());
  EXPECT_TRUE(IsWindowVisible(program.Window().GetHWND())) << "the first scan brings the window up";

  // The page shows the mouse's stages (from its profile) and what the mouse stores.
  EXPECT_EQ(program.Control("DPI_edit_0")->GetText().str(), "400");
  EXPECT_EQ(program.Control("DPI_edit_6")->GetText().str(), "12000");
  EXPECT_EQ(program.Control("ble_sleep1_combo")->GetText().str(), "10 min");

  // Moving a stage slider writes the mouse's settings page and saves the profile.
  auto* slider = static_cast<CSliderUI*>(program.Control("DPI_slider_0")->GetInterface("Slider"));
  slider->SetValue(19);
  program.Window().GetPaintManager()->SendNotify(slider, "valuechanged");
  const std::vector<uint8_t> record = program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 14, 9);
  EXPECT_EQ(record[2] | (record[3] << 8), 19);
  const Json::Value profile = LoadJsonFile(program.Mouse()->ProfileData().GetProfilePath());
  EXPECT_EQ(profile["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 19);
  EXPECT_EQ(program.Control("DPI_edit_0")->GetText().str(), "1000");

  // Unplugging shows the no-device layout.
  program.Sim().Mouse()->Unplug();
  EXPECT_TRUE(PumpUntil([&] { return program.Window().IsNoDeviceLayoutShown(); }, kSettleMs));
  EXPECT_FALSE(program.MouseTile()->IsReachable());
  EXPECT_FALSE(program.Mouse()->Channel().IsOpen());

  // Shutdown joins the scan thread; the devices' threads go with the window.
  program.App().Finish();
  EXPECT_EQ(program.App().MainWindow(), nullptr);
}

TEST(Program, StartsWithNoDeviceLayoutWhenNothingIsPlugged) {
  Program program("");
  ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
  EXPECT_TRUE(program.Window().IsNoDeviceLayoutShown());
  ASSERT_NE(program.Mouse(), nullptr) << "the mouse's tile and page exist before any mouse";
  EXPECT_FALSE(program.MouseTile()->IsReachable());
}

TEST(Program, AMouseOnlyThroughItsReceiverIsShownOnceLinked) {
  Program program("mouse-receiver");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  EXPECT_TRUE(program.Mouse()->Channel().ReceiverMode());
  EXPECT_EQ(program.Control("DPI_edit_0")->GetText().str(), "400");
}

TEST(Program, CableAndReceiverSwitchBothWays) {
  Program program("mouse,mouse-receiver");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  ASSERT_FALSE(program.Mouse()->Channel().ReceiverMode()) << "the cable wins while both are there";

  program.Sim().Mouse()->Unplug();
  EXPECT_TRUE(PumpUntil([&] { return program.Mouse()->Channel().ReceiverMode() != 0; }, kSettleMs));
  EXPECT_TRUE(program.Mouse()->Channel().IsOpen());
  EXPECT_TRUE(program.MouseTile()->IsReachable()) << "the mouse carries on through its receiver";

  ASSERT_TRUE(program.Sim().Backend().Replug(program.Sim().Mouse()));
  EXPECT_TRUE(PumpUntil([&] { return program.Mouse()->Channel().ReceiverMode() == 0; }, kSettleMs));
  EXPECT_TRUE(program.MouseTile()->IsReachable());
}

TEST(Program, DeviceMessagesWaitWhileTheSystemSleeps) {
  Program program("");
  ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
  const HWND window = program.Window().GetHWND();
  SendMessage(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(program.Window().IsSuspended());
  SendMessage(window, WM_DEVICE_LINK_STATE, 0, 1);  // the mouse's link is back: ignored while suspended
  EXPECT_FALSE(program.MouseTile()->IsReachable());
  SendMessage(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_FALSE(program.Window().IsSuspended());
  SendMessage(window, WM_DEVICE_LINK_STATE, 0, 1);
  EXPECT_TRUE(program.MouseTile()->IsReachable());
}

TEST(Program, SettingControlsReachTheMouse) {
  struct Case {
    const char* option;
    size_t pageByte;
    uint8_t expected;
  };
  const Case cases[] = {
      {"polling_rate_option_1", 11, 1},
      {"Linear_Calibration_option_1", 83, 1},
      {"Ripple_option_1", 84, 1},
      {"DPI_select_check_4", 12, 4},
  };
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  for (const Case& test : cases) {
    auto* option = static_cast<COptionUI*>(program.Control(test.option)->GetInterface("Option"));
    option->Selected(true, false);
    program.Window().GetPaintManager()->SendNotify(option, "selectchanged");
    EXPECT_EQ(program.Sim().Mouse()->ReadBlock(SimBlock::Settings, test.pageByte, 1).at(0), test.expected)
        << test.option;
  }
}

TEST(Program, ASecondCopyWakesTheFirstAndEnds) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  program.Window().HideToTray();
  ASSERT_FALSE(IsWindowVisible(program.Window().GetHWND()));

  CT640App second;
  std::string error;
  CSimulation nothing(SimulationList{});
  std::shared_ptr<IHidBackend> backend(std::shared_ptr<void>(), &nothing.Backend());
  EXPECT_EQ(second.Start(AppOptions{}, backend, &error), CT640App::StartResult::kOtherRunning);
  EXPECT_EQ(second.MainWindow(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(program.Window().GetHWND()); }, kSettleMs));
}

TEST(Program, AGameEventShowsItsLightingUntilItsTimerEnds) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const int storedMode = program.Mouse()->GetLightEffect().mode;
  const int gameMode = storedMode == 6 ? 0 : 6;
  SendMessage(program.Window().GetHWND(), RegisterWindowMessage("Game_Kill"), 2, gameMode);
  EXPECT_EQ(program.Mouse()->GetLightEffect().mode, gameMode);
  EXPECT_EQ(program.Mouse()->GetHostControlsLighting(), 0);

  SendMessage(program.Window().GetHWND(), WM_TIMER, kTimerGameEffect, 0);
  EXPECT_EQ(program.Mouse()->GetLightEffect().mode, storedMode);
  EXPECT_EQ(program.Mouse()->GetHostControlsLighting(), 1);
}

TEST(Program, TheTrayMenusExitClosesTheWindow) {
  Program program("");
  ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
  const HWND window = program.Window().GetHWND();
  auto* command = new MenuCmd;
  command->szName = "exit";
  PostMessage(window, WM_MENUCLICK, reinterpret_cast<WPARAM>(command), 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, kSettleMs));
  EXPECT_FALSE(program.Window().IsScanRunning());
}

TEST(Program, OldFirmwareOffersTheUpdater) {
  // An updater that is there: it starts and ends without touching anything.
  setenv("T640_FIRMWARE_UPDATER", "/bin/true", 1);
  CScopedPromptAnswerer answer([](const PromptRecord&) { return 1; });
  Program program("mouse:firmware=0x0102");
  ASSERT_TRUE(PumpUntil([&] { return !answer.Prompts().empty(); }, kSettleMs));
  unsetenv("T640_FIRMWARE_UPDATER");
  EXPECT_EQ(answer.Prompts().front().titleKey, "UpdateTiShi");
  EXPECT_EQ(answer.Prompts().front().buttonMode, 1);
  EXPECT_TRUE(program.Window().IsNoDeviceLayoutShown()) << "the page waits behind the no-device layout";
}

TEST(Program, ThePointerOverAnInactiveWindowCountsAsAttention) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const HWND window = program.Window().GetHWND();
  SendMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(program.Window().IsAttended());
  SendMessage(window, WM_MOUSEMOVE, 0, 0);
  EXPECT_TRUE(program.Window().IsAttended());
  EXPECT_EQ(program.Mouse()->GetAttended(), 1);
  SendMessage(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(program.Window().IsAttended());
  EXPECT_EQ(program.Mouse()->GetAttended(), 0);
}
