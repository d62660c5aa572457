// The main window's part in the lighting: the shared lighting's thread runs with the window and
// drives the devices whose same-mode flag is set, and the devices learn when nobody can see their
// previews (hidden in the tray, minimised, started in the tray).
#include <gtest/gtest.h>

#include "devices/velmar_usb_device.h"
#include "main_window_run.h"

namespace {

bool MouseRead(MainWindowRun& run) {
  return !run.Window().Mice().empty() && run.Window().Mice().front()->CompletedReads() > 0;
}

}  // namespace

TEST(MainWindowLighting, TheSharedLightingDrivesTheFlaggedMouse) {
  MainWindowRun run("mouse", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted() && MouseRead(run); }, kMainWindowSettleMs));
  CSyncLightEngine* engine = run.Window().SyncLightEngine();
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(engine->IsRunning());
  CVelmarUSBDevice& mouse = *run.Window().Mice().front();

  LightInfoRecord light;
  light.Light = 4;
  light.Speed = 4;
  light.Red = 255;
  mouse.Channel().SetSameMode(1);
  run.Window().StartSharedLighting(1, light);  // steady red
  const uint32_t red = 0xC00000FFu;
  ASSERT_TRUE(PumpUntil([&] {
    for (size_t i = 0; i < mouse.SyncLightEntryCount(); ++i) {
      if (mouse.LightPreview().Entry(static_cast<int>(i)) != red) return false;
    }
    return true;
  }));

  run.Window().StopWorkers();
  EXPECT_FALSE(engine->IsRunning());
}

TEST(MainWindowLighting, MinimisingHidesThePreviewsFromTheDevices) {
  MainWindowRun run("mouse", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted() && MouseRead(run); }, kMainWindowSettleMs));
  CVelmarUSBDevice& mouse = *run.Window().Mice().front();
  EXPECT_FALSE(mouse.IsWindowHidden());
  SendMessage(run.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(mouse.IsWindowHidden());
  run.ClickTray();
  EXPECT_FALSE(mouse.IsWindowHidden());
  run.Window().HideToTray();
  EXPECT_TRUE(mouse.IsWindowHidden());
}

TEST(MainWindowLighting, AStartInTheTrayStaysHiddenThroughTheFirstScan) {
  struct Case {
    bool tray;
    bool hidden;
  };
  for (const Case c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.tray ? "with a tray" : "without a tray");
    MainWindowRun run("mouse", c.tray, true);
    ASSERT_TRUE(PumpUntil([&] { return run.Window().IsFirstScanDone() && MouseRead(run); }, kMainWindowSettleMs));
    PumpUiEvents();
    EXPECT_EQ(run.Window().GetPresence() == CMainWnd::Presence::kHidden, c.hidden);
    EXPECT_EQ(IsWindowVisible(run.Handle()), !c.hidden);
    EXPECT_EQ(run.Window().Mice().front()->IsWindowHidden(), c.hidden);
  }
}
