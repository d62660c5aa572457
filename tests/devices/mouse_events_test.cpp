// The mouse's own reports on its event interfaces, and the listener threads that wait for them.
#include <gtest/gtest.h>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui_test_environment.h"

namespace {

class MouseEvents : public testing::Test {
 protected:
  void AttachEvents(bool receiver = false) {
    CVirtualDevice& device = receiver ? static_cast<CVirtualDevice&>(*rig.Sim().Receiver()) : *rig.Sim().Mouse();
    ASSERT_TRUE(rig.Device().AttachEventPort(receiver ? kDeviceKindMouseReceiver : kDeviceKindMouse,
                                             rig.Sim().Backend().EventPathOf(device)));
  }

  MouseRig rig{"mouse,mouse-receiver"};
};

}  // namespace

TEST_F(MouseEvents, AReReadRequestStartsTheSyncTimer) {
  rig.AttachAndRead();
  AttachEvents();
  rig.Sim().Mouse()->SendEvent(0x0401);
  EXPECT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerSyncFromDevice); }));
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerSyncFromDevice), kSyncFromDeviceDelayMs);

  rig.FireTimer(kTimerSyncFromDevice);
  EXPECT_FALSE(rig.Tile().IsArmed(kTimerSyncFromDevice)) << "one read per request";
}

TEST_F(MouseEvents, ProfileButtonsSetTheActiveProfileAndStage) {
  struct Case {
    uint8_t profile;
    int stage;  // -1: the report names the profile only
  };
  rig.AttachAndRead();
  AttachEvents();
  for (const Case& test : {Case{3, 2}, Case{4, -1}, Case{1, 6}}) {
    const int stageBefore = rig.Device().GetCurrentStage();
    if (test.stage >= 0) {
      rig.Sim().Mouse()->ChangeProfileAndStage(test.profile, static_cast<uint8_t>(test.stage));
    } else {
      rig.Sim().Mouse()->ChangeProfile(test.profile);
    }
    const int expectedStage = test.stage >= 0 ? test.stage : stageBefore;
    EXPECT_TRUE(PumpUntil([&] {
      return rig.Device().GetActiveProfile() == test.profile && rig.Device().GetCurrentStage() == expectedStage;
    })) << int(test.profile);
    auto* select = rig.Control("DPI_select_check_" + std::to_string(expectedStage))->GetInterface("Option");
    EXPECT_TRUE(static_cast<COptionUI*>(select)->IsSelected());
  }
}

TEST_F(MouseEvents, TheReactiveTriggerFlashesOnlyFromTheCableInReactiveMode) {
  rig.AttachAndRead();
  AttachEvents();
  auto anyLit = [&] {
    for (const LightEntry& entry : rig.Device().LightEntries()) {
      if (entry.brightness != 0 || entry.red != 0 || entry.green != 0 || entry.blue != 0) return true;
    }
    return false;
  };
  rig.Device().SetLightEffect(9, 0, 4, 0xFFFFFF);
  rig.Sim().Mouse()->SendEvent(0x0403);
  EXPECT_TRUE(PumpUntil([&] {
    rig.Device().LightPreview().With([](CLightPreview& preview) { preview.StepReactive(); });
    return anyLit();
  }));

  rig.Device().SetLightEffect(6, 0, 4, 0xFFFFFF);  // lights off: a trigger changes nothing
  rig.Device().LightPreview().With([](CLightPreview& preview) { preview.StepOff(); });
  rig.Sim().Mouse()->SendEvent(0x0403);
  PumpUntil([] { return false; }, 100);
  rig.Device().LightPreview().With([](CLightPreview& preview) { preview.StepReactive(); });
  EXPECT_FALSE(anyLit());
}

TEST_F(MouseEvents, DetachingReleasesAListenerBlockedInItsRead) {
  AttachEvents();
  AttachEvents(true);
  EXPECT_TRUE(rig.Device().CableEventPort().IsListening());
  EXPECT_TRUE(rig.Device().ReceiverEventPort().IsListening());
  // No report is coming: each listener sits in a read with no time-out until its port is aborted.
  rig.Device().DetachEventPort(kDeviceKindMouse);
  rig.Device().DetachEventPort(kDeviceKindMouseReceiver);
  EXPECT_FALSE(rig.Device().CableEventPort().IsListening());
  EXPECT_FALSE(rig.Device().ReceiverEventPort().IsListening());
  EXPECT_FALSE(rig.Device().CableEventPort().IsOpen());
}

TEST_F(MouseEvents, ReattachingReplacesTheListener) {
  AttachEvents();
  AttachEvents();
  rig.AttachAndRead();
  rig.Sim().Mouse()->SendEvent(0x0401);
  EXPECT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerSyncFromDevice); }));
}

TEST_F(MouseEvents, TheLightThreadStepsWhenItsClockMovesOn) {
  rig.AttachAndRead();
  rig.Device().SetLightEffect(3, 4, 4, 0xFFFFFF);  // the spectrum at its fastest: a step every 7 ticks
  const std::vector<LightEntry> before = rig.Device().LightEntries();
  // Waits on the device's clock: without the clock moving the preview would stand still.
  EXPECT_TRUE(PumpUntil([&] {
    rig.Clock().Advance(16);
    return rig.Device().LightEntries() != before;
  }));
}
