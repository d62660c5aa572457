// Reading a mouse: the frames ReadAll sends, what it reports to its owner, and the states a mouse
// can be in (fresh, rejected, old firmware, unlinked, every sensor).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "transport/command_numbers.h"
#include "ui/toolkit/controls/slider_ui.h"

namespace {

std::vector<uint8_t> Without(std::vector<uint8_t> commands, uint8_t command) {
  commands.erase(std::remove(commands.begin(), commands.end(), command), commands.end());
  return commands;
}

bool Contains(const std::vector<uint8_t>& commands, uint8_t command) {
  return std::find(commands.begin(), commands.end(), command) != commands.end();
}

}  // namespace

TEST(MouseRead, OverTheCableReadsInfoImageAndActivePageInOrder) {
  MouseRig rig("mouse");
  ASSERT_TRUE(rig.AttachCable());
  rig.Sim().Mouse()->Frames().Clear();
  rig.FireTimer(kTimerReadAll);

  // Information block (34 bytes, one 56-byte chunk), image (16 records, one chunk), the active
  // profile byte, its 87-byte page in two chunks, then the host-ready signal of the tile timer.
  const std::vector<uint8_t> expected = {kCmdBeginConfig, kCmdReadDeviceInfo,     kCmdEndConfig,          kCmdBeginConfig,        kCmdReadConfigImage,
                                         kCmdEndConfig,   kCmdReadSettings, kCmdReadSettings, kCmdReadSettings, kCmdSendHostReady};
  EXPECT_EQ(CommandsSeen(*rig.Sim().Mouse()), expected);
  EXPECT_EQ(rig.Messages(), (std::vector<OwnerMessage>{{WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0}}));
  EXPECT_EQ(rig.Device().GetConfigImage().size(), 48u);
  EXPECT_EQ(rig.Device().GetButtonRecordMap()[0], 0);
  EXPECT_EQ(rig.Device().GetButtonRecordMap()[10], 10);
  EXPECT_TRUE(rig.Tile().IsArmed(kTimerPushLightPreview));
  EXPECT_TRUE(rig.Tile().IsArmed(kTimerRefreshStatus));
  EXPECT_FALSE(rig.Tile().IsArmed(kTimerLinkWatch)) << "the link watch is for the receiver";
  EXPECT_TRUE(rig.Device().IsLightThreadRunning());
}

TEST(MouseRead, ThroughTheReceiverEveryStepFirstAsksForTheLink) {
  MouseRig rig("mouse-receiver");
  ASSERT_TRUE(rig.AttachReceiver());
  rig.Sim().Receiver()->Frames().Clear();
  rig.FireTimer(kTimerReadAll);

  const std::vector<uint8_t> commands = CommandsSeen(*rig.Sim().Receiver());
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.front(), kCmdDeviceIsLink);
  // 24-byte chunks: the information block takes two, the page four.
  const std::vector<uint8_t> expected = {kCmdBeginConfig,        kCmdReadDeviceInfo,     kCmdReadDeviceInfo,     kCmdEndConfig,          kCmdBeginConfig,
                                         kCmdReadConfigImage,    kCmdReadConfigImage,    kCmdEndConfig,          kCmdReadSettings, kCmdReadSettings,
                                         kCmdReadSettings, kCmdReadSettings, kCmdReadSettings, kCmdSendHostReady};
  EXPECT_EQ(Without(commands, kCmdDeviceIsLink), expected) << "the keep-alive runs from its own timer only";
  EXPECT_TRUE(rig.Tile().IsArmed(kTimerLinkWatch));
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerKeepAlive), kKeepAliveFirstMs);
}

TEST(MouseRead, AnUnlinkedReceiverHidesTheTileAndRetriesWithoutReading) {
  MouseRig rig("mouse-receiver:unlinked");
  rig.Tile().shown = true;
  ASSERT_TRUE(rig.AttachReceiver());
  rig.Sim().Receiver()->Frames().Clear();
  rig.FireTimer(kTimerReadAll);

  EXPECT_EQ(Without(CommandsSeen(*rig.Sim().Receiver()), kCmdDeviceIsLink), std::vector<uint8_t>{});
  EXPECT_FALSE(rig.Tile().shown);
  EXPECT_EQ(rig.Messages(), (std::vector<OwnerMessage>{{WM_DEVICE_LINK_STATE, 0, 0}}));
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerReadAll), kLinkRetryMs);
  EXPECT_FALSE(rig.Device().IsLightThreadRunning());
}

TEST(MouseRead, AFreshMouseIsInitialisedOnce) {
  MouseRig rig("mouse:fresh");
  rig.AttachAndRead();
  EXPECT_EQ(rig.Sim().Mouse()->ReadBlock(SimBlock::DeviceInfo, 7, 1), std::vector<uint8_t>{0x15});
  EXPECT_TRUE(Contains(CommandsSeen(*rig.Sim().Mouse()), kCmdWriteDeviceInfo));
  EXPECT_EQ(rig.Messages(), (std::vector<OwnerMessage>{{WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0}}));

  rig.Sim().Mouse()->Frames().Clear();
  rig.FireTimer(kTimerReadAll);
  EXPECT_FALSE(Contains(CommandsSeen(*rig.Sim().Mouse()), kCmdWriteDeviceInfo)) << "initialised mice are not written again";
}

TEST(MouseRead, AnInformationBlockOfAnotherDeviceIsRejectedAndNothingElseIsRead) {
  MouseRig rig("mouse");
  const std::vector<uint8_t> foreignMarker = {0x33};
  rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 7, foreignMarker);
  rig.AttachAndRead();
  const std::vector<uint8_t> commands = CommandsSeen(*rig.Sim().Mouse());
  EXPECT_FALSE(Contains(commands, kCmdReadConfigImage));
  EXPECT_FALSE(Contains(commands, kCmdReadSettings));
  EXPECT_FALSE(Contains(commands, kCmdWriteDeviceInfo));
  EXPECT_EQ(rig.Messages(), (std::vector<OwnerMessage>{{WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0}}));
}

TEST(MouseRead, FirmwareOlderThan0103OffersTheUpdater) {
  struct Case {
    const char* list;
    bool offered;
  };
  for (const Case& test : {Case{"mouse:firmware=0x0102", true}, Case{"mouse:firmware=0x0103", false},
                           Case{"mouse:firmware=0x0200", false}}) {
    MouseRig rig(test.list);
    rig.AttachAndRead();
    const OwnerMessage offer{WM_FIRMWARE_UPDATE, 0x22A4, 0x0102};
    const auto& seen = rig.Messages();
    EXPECT_EQ(std::find(seen.begin(), seen.end(), offer) != seen.end(), test.offered) << test.list;
  }
}

TEST(MouseRead, EachSensorSetsItsSliderRangeAndShownNumbers) {
  struct Case {
    const char* list;
    int sliderMaximum;   // -1: the layout's own range stays
    const char* stage0;  // stage 0 of the factory profile stores 7
  };
  const Case cases[] = {
      {"mouse:sensor=13205", 519, "400"}, {"mouse:sensor=35109", 149, "400"}, {"mouse:sensor=12548", 152, "650"},
      {"mouse:sensor=112", 45000, "17"},  {"mouse:sensor=13093", -1, "400"},  {"mouse:sensor=4660", -1, "400"},
  };
  for (const Case& test : cases) {
    MouseRig rig(test.list);
    auto* slider = static_cast<CSliderUI*>(rig.Control("DPI_slider_0")->GetInterface("Slider"));
    const int layoutMaximum = slider->GetMaxValue();
    rig.AttachAndRead();
    EXPECT_EQ(slider->GetMaxValue(), test.sliderMaximum < 0 ? layoutMaximum : test.sliderMaximum) << test.list;
    EXPECT_EQ(rig.Control("DPI_edit_0")->GetText().str(), test.stage0) << test.list;
  }
}
