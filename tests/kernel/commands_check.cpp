// The command channel through the kernel: every frame goes hidraw write -> UHID_OUTPUT -> virtual
// firmware -> UHID_INPUT2 -> hidraw read, over the cable and through the receiver, chunked as the
// connection asks, including the receiver that has lost its mouse.
#include <gtest/gtest.h>

#include <numeric>

#include "kernel_rig.h"
#include "sim/sim_frame.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

// 170 button records make a 510-byte configuration image: 10 frames over the cable, 22 through the receiver.
constexpr uint8_t kRecordCount = 170;
constexpr uint32_t kSettingsPageLength = 87;
constexpr uint32_t kSettingsBase = 128;

std::vector<uint8_t> Pattern(size_t length, uint8_t seed) {
  std::vector<uint8_t> bytes(length);
  std::iota(bytes.begin(), bytes.end(), seed);
  return bytes;
}

// The lengths of the frames of one command the mouse received, over the given connection.
std::vector<uint8_t> FrameLengths(const CVirtualMouse& mouse, uint8_t command, bool throughReceiver) {
  std::vector<uint8_t> lengths;
  for (const SimLoggedFrame& frame : mouse.Frames().Snapshot()) {
    if (frame.Command() == command && frame.throughReceiver == throughReceiver) lengths.push_back(frame.bytes[4]);
  }
  return lengths;
}

class KernelCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig_.Plug(mouse_));
    ASSERT_TRUE(rig_.Plug(receiver_));
  }

  // Opens the channel's port for the connection as the device's attach code does.
  ::testing::AssertionResult Attach(CUsbCommandChannel& channel, bool receiver) {
    CHidDevice& port = receiver ? channel.ReceiverPort() : channel.DirectPort();
    const std::string path = rig_.CommandPathOf(receiver ? static_cast<CVirtualDevice&>(*receiver_) : *mouse_);
    if (path.empty() || !port.Open(path, true, true, true, false)) {
      return ::testing::AssertionFailure() << "cannot open the command collection \"" << path << "\"";
    }
    channel.SetConnectionType(receiver ? kConnectionTypeReceiver : kConnectionTypeCable);
    channel.SetIsOpen(1);
    return ::testing::AssertionSuccess();
  }

  CKernelRig rig_;
  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>(SimMouseOptions{.recordCount = kRecordCount});
  std::shared_ptr<CVirtualReceiver> receiver_ = CVirtualReceiver::Create(mouse_);
};

TEST_F(KernelCommands, ChunkedReadsAndWritesRoundTripOverCableAndReceiver) {
  struct Case {
    const char* name;
    bool receiver;
    std::vector<uint8_t> deviceInfoFrames;
    size_t configImageFrames;
    std::vector<uint8_t> recoilFrames;  // the port's chunks, for the recoil upload as for every block
  };
  for (const Case& c : {Case{"cable", false, {34}, 10, {56, 44}}, Case{"receiver", true, {24, 10}, 22, {24, 24, 24, 24, 4}}}) {
    SCOPED_TRACE(c.name);
    mouse_->Frames().Clear();
    CUsbCommandChannel channel(rig_.Backend());
    ASSERT_TRUE(Attach(channel, c.receiver));

    EXPECT_EQ(channel.BeginConfig(), kResultSuccess);
    std::vector<uint8_t> info(kDeviceInfoSize);
    ASSERT_EQ(channel.ReadDeviceInfo(info.data()), kResultSuccess);
    EXPECT_EQ(info, mouse_->Block(SimBlock::DeviceInfo));
    EXPECT_EQ(FrameLengths(*mouse_, kSimCmdReadDeviceInfo, c.receiver), c.deviceInfoFrames);

    ASSERT_EQ(channel.SetConfigSize(3 * kRecordCount), 1);
    std::vector<uint8_t> image(channel.ConfigSize());
    ASSERT_EQ(channel.ReadConfigImage(image.data(), static_cast<uint32_t>(image.size())), kResultSuccess);
    EXPECT_EQ(image, mouse_->Block(SimBlock::ConfigImage));
    EXPECT_EQ(FrameLengths(*mouse_, kSimCmdReadConfigImage, c.receiver).size(), c.configImageFrames);

    const std::vector<uint8_t> page = Pattern(kSettingsPageLength, c.receiver ? 0x40 : 0x10);
    ASSERT_EQ(channel.WriteSettings(page.data(), kSettingsPageLength, kSettingsBase), kResultSuccess);
    EXPECT_EQ(mouse_->ReadBlock(SimBlock::Settings, kSettingsBase, kSettingsPageLength), page);
    std::vector<uint8_t> readBack(kSettingsPageLength);
    ASSERT_EQ(channel.ReadSettings(readBack.data(), kSettingsPageLength, kSettingsBase), kResultSuccess);
    EXPECT_EQ(readBack, page);

    const std::vector<uint8_t> recoil = Pattern(100, 7);
    ASSERT_EQ(channel.WriteShootData(recoil.data(), static_cast<uint32_t>(recoil.size())), kResultSuccess);
    EXPECT_EQ(FrameLengths(*mouse_, kSimCmdWriteShootData, c.receiver), c.recoilFrames);

    uint8_t status[2] = {};
    ASSERT_EQ(channel.ReadStatus(status, 2, 0), kResultSuccess);
    EXPECT_EQ(status[0], 80);
    EXPECT_EQ(channel.SendHostReady(), kResultSuccess);
    EXPECT_EQ(channel.EndConfig(), kResultSuccess);
    EXPECT_TRUE(channel.Hid2_4GDeviceIsLink());
  }
}

TEST_F(KernelCommands, TheUnlinkedReceiverAnswersNotLinkedWithoutASecondAttempt) {
  CUsbCommandChannel channel(rig_.Backend());
  ASSERT_TRUE(Attach(channel, true));
  receiver_->SetLinked(false);
  receiver_->Frames().Clear();
  EXPECT_EQ(channel.BeginConfig(), kResultNotLinked);
  EXPECT_EQ(receiver_->Frames().Size(), 1u);
  EXPECT_FALSE(channel.Hid2_4GDeviceIsLink());
  EXPECT_EQ(FrameLengths(*mouse_, kSimCmdBeginConfig, true).size(), 0u) << "nothing reached the mouse";

  receiver_->SetLinked(true);
  EXPECT_EQ(channel.BeginConfig(), kResultSuccess);
  EXPECT_TRUE(channel.Hid2_4GDeviceIsLink());
}

TEST_F(KernelCommands, FirmwareErrorsComeBackAsTheirCodes) {
  CUsbCommandChannel channel(rig_.Backend());
  ASSERT_TRUE(Attach(channel, false));
  mouse_->Faults().FailStatusOnce(kSimStatusSecondError);
  EXPECT_EQ(channel.BeginConfig(), kResultDeviceSecondError);
  mouse_->Faults().WrongEchoOnce();
  EXPECT_EQ(channel.BeginConfig(), kResultSuccess) << "one re-send after a wrong echo";
}

TEST_F(KernelCommands, PadAndHeadsetAnswerThroughTheKernelToo) {
  auto pad = std::make_shared<CVirtualMousePad>();
  auto headset = std::make_shared<CVirtualHeadset>(SimHeadsetOptions{.batteryLevel = 55});
  ASSERT_TRUE(rig_.Plug(pad));
  ASSERT_TRUE(rig_.Plug(headset));
  for (CVirtualDevice* device :
       {static_cast<CVirtualDevice*>(pad.get()), static_cast<CVirtualDevice*>(headset.get())}) {
    SCOPED_TRACE(device->Description().name);
    CUsbCommandChannel channel(rig_.Backend());
    ASSERT_EQ(channel.DirectPort().Open(rig_.CommandPathOf(*device), true, true, true, false), 1);
    channel.SetConnectionType(kConnectionTypeCable);
    channel.SetIsOpen(1);
    std::vector<uint8_t> info(kDeviceInfoSize);
    EXPECT_EQ(channel.BeginConfig(), kResultSuccess);
    EXPECT_EQ(channel.ReadDeviceInfo(info.data()), kResultSuccess);
    EXPECT_EQ(info, device->Block(SimBlock::DeviceInfo));
    EXPECT_EQ(channel.EndConfig(), kResultSuccess);
  }

  // The headset's lighting report goes out with HIDIOCSOUTPUT, which uhid passes on like a write.
  CUsbCommandChannel channel(rig_.Backend());
  ASSERT_EQ(channel.DirectPort().Open(rig_.CommandPathOf(*headset), true, true, true, false), 1);
  channel.SetConnectionType(kConnectionTypeCable);
  channel.SetIsOpen(1);
  std::vector<uint8_t> lighting(kSimHeadsetLightingReportSize, 0x33);
  lighting[0] = kSimHeadsetLightingReportId;
  ASSERT_EQ(channel.DirectPort().SetOutputReport(lighting.data(), static_cast<uint32_t>(lighting.size())), 1);
  // The bridge takes the kernel's events in order, so once this reply is back the lighting report is in.
  uint8_t status[6] = {};
  ASSERT_EQ(channel.ReadStatus(status, 6, 0), kResultSuccess);
  EXPECT_EQ(status[kSimHeadsetBatteryByte], 55);
  EXPECT_EQ(headset->LightingReports(), std::vector<std::vector<uint8_t>>{lighting});
}

}  // namespace
