// The mouse's transactions against the virtual mouse, on its cable and through its receiver: the
// frames each one sends, what lands in the mouse's memory, and what is kept of what was read.
#include "devices/mouse/driver/mouse_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulation.h"
#include "support/test_clock.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"

namespace {

// A virtual mouse and a channel opened on it the way the device opens one, with its driver. On
// the test clock (the default) the mouse answers at once and no pause takes real time.
class DriverRig {
 public:
  explicit DriverRig(const std::string& list, IClock* clock = nullptr) {
    std::string error;
    sim_ = CreateSimulation(list, &error);
    EXPECT_TRUE(sim_) << error;
    if (!clock) sim_->AnswerAtOnce();
    channel_ = std::make_unique<CUsbCommandChannel>(sim_->Backend(), clock ? *clock : testClock_);
    const bool cable = sim_->Mouse() && sim_->Mouse()->IsPlugged();
    CVirtualDevice& target = cable ? static_cast<CVirtualDevice&>(*sim_->Mouse()) : *sim_->Receiver();
    CHidDevice& port = cable ? channel_->DirectPort() : channel_->ReceiverPort();
    EXPECT_EQ(port.Open(sim_->Backend().CommandPathOf(target), true, true, true, false), 1);
    channel_->SetConnectionType(cable ? kConnectionTypeCable : kConnectionTypeReceiver);
    channel_->SetIsOpen(1);
    driver_ = std::make_unique<CMouseDriver>(*channel_);
    receiving_ = cable ? nullptr : sim_->Receiver().get();
  }
  ~DriverRig() {
    driver_.reset();
    channel_.reset();
  }

  CMouseDriver& Driver() { return *driver_; }
  CVirtualMouse& Mouse() { return *sim_->Mouse(); }
  CSimulation& Sim() { return *sim_; }
  // The frames the host sent, as the device that took them logged them.
  CVirtualDevice& Wire() { return receiving_ ? *receiving_ : static_cast<CVirtualDevice&>(*sim_->Mouse()); }
  std::vector<uint8_t> Commands() { return Wire().Frames().Commands(); }
  std::vector<uint8_t> CommandsWithoutLinkTests() {
    std::vector<uint8_t> commands = Commands();
    commands.erase(std::remove(commands.begin(), commands.end(), kCmdDeviceIsLink), commands.end());
    return commands;
  }
  DeviceInfoBlock ReadInfo() {
    DeviceInfoBlock info;
    EXPECT_EQ(driver_->ReadInfoBlock(info), kResultSuccess);
    return info;
  }

 private:
  CTestClock testClock_;
  std::unique_ptr<CSimulation> sim_;
  std::unique_ptr<CUsbCommandChannel> channel_;
  std::unique_ptr<CMouseDriver> driver_;
  CVirtualDevice* receiving_ = nullptr;
};

std::vector<uint8_t> Pattern(size_t length, uint8_t seed) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + 3 * i);
  return bytes;
}

}  // namespace

TEST(MouseDriver, ReadsTheInformationBlockAndButtonImageInConfigurationSessions) {
  struct Case {
    const char* list;
    std::vector<uint8_t> frames;  // link tests left out
    bool linkTested;
  };
  const Case cases[] = {
      // 56-byte chunks: the block and the 16-record image take one frame each.
      {"mouse", {kCmdBeginConfig, kCmdReadDeviceInfo, kCmdEndConfig, kCmdBeginConfig, kCmdReadConfigImage, kCmdEndConfig}, false},
      // 24-byte chunks through the receiver: two frames each.
      {"mouse-receiver", {kCmdBeginConfig, kCmdReadDeviceInfo, kCmdReadDeviceInfo, kCmdEndConfig, kCmdBeginConfig, kCmdReadConfigImage, kCmdReadConfigImage, kCmdEndConfig}, true},
  };
  for (const Case& test : cases) {
    DriverRig rig(test.list);
    const DeviceInfoBlock info = rig.ReadInfo();
    ASSERT_EQ(rig.Driver().ReadConfigImage(info), kResultSuccess) << test.list;
    EXPECT_EQ(rig.CommandsWithoutLinkTests(), test.frames) << test.list;
    EXPECT_EQ(rig.Commands().size() != rig.CommandsWithoutLinkTests().size(), test.linkTested) << test.list;
    const std::vector<uint8_t> stored = rig.Mouse().Block(SimBlock::DeviceInfo);
    EXPECT_EQ(std::vector<uint8_t>(info.bytes.begin(), info.bytes.end()),
              std::vector<uint8_t>(stored.begin(), stored.begin() + kDeviceInfoBlockSize));
    EXPECT_EQ(rig.Driver().ConfigImage(), rig.Mouse().ReadBlock(SimBlock::ConfigImage, 0, info.ConfigImageSize()));
    EXPECT_EQ(rig.Driver().ButtonMap()[0], 0) << "the left button's factory record is the first";
    EXPECT_EQ(rig.Driver().ButtonMap()[10], 10);
  }
}

TEST(MouseDriver, AFailedImageReadKeepsWhatWasReadBeforeAndStillEndsTheSession) {
  DriverRig rig("mouse");
  const DeviceInfoBlock info = rig.ReadInfo();
  ASSERT_EQ(rig.Driver().ReadConfigImage(info), kResultSuccess);
  const std::vector<uint8_t> before = rig.Driver().ConfigImage();
  rig.Mouse().WriteBlock(SimBlock::ConfigImage, 0, std::vector<uint8_t>{0x70, 0x01, 0x00});
  rig.Mouse().Faults().FailStatusForCommand(kCmdReadConfigImage, 0xFF);
  rig.Mouse().Frames().Clear();

  EXPECT_EQ(rig.Driver().ReadConfigImage(info), kResultDeviceError);
  EXPECT_EQ(rig.Driver().ConfigImage(), before);
  EXPECT_EQ(rig.Commands(), (std::vector<uint8_t>{kCmdBeginConfig, kCmdReadConfigImage, kCmdEndConfig}));
}

TEST(MouseDriver, TheSettingsPageIsReadOutsideAConfigurationSession) {
  DriverRig rig("mouse");
  const std::vector<uint8_t> active = {2};
  rig.Mouse().WriteBlock(SimBlock::Settings, 0, active);
  const std::vector<uint8_t> page = Pattern(kSettingsPageSize, 9);
  rig.Mouse().WriteBlock(SimBlock::Settings, 2 * kSettingsPageStride, page);
  rig.Mouse().Frames().Clear();

  uint8_t activePage = 0;
  SettingsPageBytes read{};
  ASSERT_EQ(rig.Driver().ReadSettingsPage(activePage, read), kResultSuccess);
  EXPECT_EQ(activePage, 2);
  EXPECT_EQ(std::vector<uint8_t>(read.begin(), read.end()), page);
  EXPECT_EQ(rig.Commands(), (std::vector<uint8_t>{kCmdReadSettings, kCmdReadSettings, kCmdReadSettings}));
}

TEST(MouseDriver, EachWriteLandsInItsBlockBetweenBeginAndEnd) {
  struct Case {
    const char* name;
    uint8_t command;
    SimBlock block;
    size_t offset;
    size_t length;
    std::function<int(CMouseDriver&, const std::vector<uint8_t>&)> write;
  };
  const Case cases[] = {
      {"settings page 1", kCmdWriteSettings, SimBlock::Settings, kSettingsPageStride, kSettingsPageSize,
       [](CMouseDriver& d, const std::vector<uint8_t>& bytes) {
         SettingsPageBytes page{};
         std::copy(bytes.begin(), bytes.end(), page.begin());
         return d.WriteSettingsPage(page, 1);
       }},
      {"button image", kCmdWriteConfigImage, SimBlock::ConfigImage, 0, 48,
       [](CMouseDriver& d, const std::vector<uint8_t>& bytes) { return d.WriteConfigImage(bytes); }},
      {"macro data", kCmdWriteMacroData, SimBlock::MacroData, 0, 100,
       [](CMouseDriver& d, const std::vector<uint8_t>& bytes) { return d.WriteMacroData(bytes); }},
      {"recoil tables", kCmdWriteShootData, SimBlock::RecoilData, 0, 130,
       [](CMouseDriver& d, const std::vector<uint8_t>& bytes) { return d.WriteRecoilData(bytes); }},
  };
  for (const Case& test : cases) {
    DriverRig rig("mouse");
    const DeviceInfoBlock info = rig.ReadInfo();
    ASSERT_EQ(rig.Driver().ReadConfigImage(info), kResultSuccess);
    rig.Mouse().Frames().Clear();
    const std::vector<uint8_t> bytes = Pattern(test.length, 40);
    EXPECT_EQ(test.write(rig.Driver(), bytes), kResultSuccess) << test.name;
    EXPECT_EQ(rig.Mouse().ReadBlock(test.block, test.offset, test.length), bytes) << test.name;
    const std::vector<uint8_t> commands = rig.Commands();
    ASSERT_GE(commands.size(), 3u) << test.name;
    EXPECT_EQ(commands.front(), kCmdBeginConfig) << test.name;
    EXPECT_EQ(commands.back(), kCmdEndConfig) << test.name;
    EXPECT_TRUE(std::all_of(commands.begin() + 1, commands.end() - 1, [&](uint8_t c) { return c == test.command; }))
        << test.name;
  }
}

TEST(MouseDriver, WithoutTheLinkOnlyTheLinkTestIsSent) {
  DriverRig rig("mouse-receiver:unlinked");
  const std::vector<std::function<int(CMouseDriver&)>> transactions = {
      [](CMouseDriver& d) {
        DeviceInfoBlock info;
        return d.ReadInfoBlock(info);
      },
      [](CMouseDriver& d) {
        uint8_t active = 0;
        SettingsPageBytes page{};
        return d.ReadSettingsPage(active, page);
      },
      [](CMouseDriver& d) { return d.WriteSettingsPage(SettingsPageBytes{}, 0); },
      [](CMouseDriver& d) { return d.WriteMacroData({1, 2, 3}); },
      [](CMouseDriver& d) { return d.WriteRecoilData({1, 2, 3}); },
      [](CMouseDriver& d) { return d.WriteInfoBlock(DeviceInfoBlock{}); },
      [](CMouseDriver& d) { return d.KeepAlive(); },
  };
  for (const auto& transaction : transactions) EXPECT_EQ(transaction(rig.Driver()), kResultNotLinked);
  EXPECT_EQ(rig.CommandsWithoutLinkTests(), std::vector<uint8_t>{});
  EXPECT_FALSE(rig.Driver().LinkedForTransfer());
  EXPECT_FALSE(rig.Driver().IsLinkedThroughReceiver());
}

TEST(MouseDriver, AFailedWriteStillEndsTheSessionAndKeepsItsResult) {
  DriverRig rig("mouse");
  rig.Mouse().Faults().FailStatusForCommand(kCmdWriteSettings, 0xFE);
  EXPECT_EQ(rig.Driver().WriteSettingsPage(SettingsPageBytes{}, 0), kResultDeviceSecondError);
  EXPECT_EQ(rig.Commands(), (std::vector<uint8_t>{kCmdBeginConfig, kCmdWriteSettings, kCmdEndConfig}));
}

TEST(MouseDriver, AFreshMouseIsClaimedWithTheInitialisationMarker) {
  DriverRig rig("mouse:fresh");
  DeviceInfoBlock info = rig.ReadInfo();
  ASSERT_TRUE(info.IsFresh());
  rig.Mouse().Frames().Clear();
  EXPECT_EQ(rig.Driver().InitialiseFresh(info), kResultSuccess);
  EXPECT_EQ(info.InitMarker(), kDeviceInitialisedMarker);
  EXPECT_EQ(rig.Mouse().ReadBlock(SimBlock::DeviceInfo, 7, 1), std::vector<uint8_t>{kDeviceInitialisedMarker});
  EXPECT_EQ(rig.Commands(), (std::vector<uint8_t>{kCmdBeginConfig, kCmdWriteDeviceInfo, kCmdEndConfig}));
}

TEST(MouseDriver, OnlyACableMouseOlderThan0103AsksForTheUpdater) {
  struct Case {
    const char* list;
    std::optional<uint16_t> outdated;
  };
  const Case cases[] = {
      {"mouse:firmware=0x0102", uint16_t{0x0102}},
      {"mouse:firmware=0x0103", std::nullopt},
      {"mouse-receiver", std::nullopt},  // the receiver does not tell the mouse's version
  };
  for (const Case& test : cases) {
    DriverRig rig(test.list);
    EXPECT_EQ(rig.Driver().OutdatedCableFirmware(), test.outdated) << test.list;
  }
}

// The tests above run on virtual time; this one runs every transaction once on the real clock,
// with the mouse's real answer delay, through the receiver (the slowest path).
TEST(MouseDriver, EveryTransactionWorksOnTheRealClock) {
  DriverRig rig("mouse-receiver", &SystemClock());
  const DeviceInfoBlock info = rig.ReadInfo();
  ASSERT_EQ(rig.Driver().ReadConfigImage(info), kResultSuccess);
  uint8_t active = 0;
  SettingsPageBytes page{};
  ASSERT_EQ(rig.Driver().ReadSettingsPage(active, page), kResultSuccess);
  EXPECT_EQ(rig.Driver().WriteSettingsPage(page, active), kResultSuccess);
  EXPECT_EQ(rig.Driver().WriteConfigImage(rig.Driver().ConfigImage()), kResultSuccess);
  EXPECT_EQ(rig.Driver().WriteMacroData(Pattern(30, 1)), kResultSuccess);
  EXPECT_EQ(rig.Driver().WriteRecoilData(Pattern(30, 2)), kResultSuccess);
  EXPECT_EQ(rig.Driver().WriteInfoBlock(info), kResultInvalidArgument) << "the block goes over the cable only";
  EXPECT_EQ(rig.Driver().KeepAlive(), kResultSuccess);
}
