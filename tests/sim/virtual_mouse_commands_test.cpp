#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "sim/mouse_factory_memory.h"
#include "sim/sim_hid_backend.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_mouse.h"
#include "support/sim_frame_exchange.h"
#include "transport/hid_device.h"

namespace {

std::vector<uint8_t> Payload(const SimFrame& reply, size_t length) {
  auto first = reply.begin() + kSimFramePayloadOffset;
  return {first, first + static_cast<std::ptrdiff_t>(length)};
}

std::vector<uint8_t> Pattern(size_t length, uint8_t seed) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + 7 * i);
  return bytes;
}

class VirtualMouseCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Plug(mouse_));
    ASSERT_EQ(OpenSimCommandPort(backend_, *mouse_, port_), 1);
  }

  SimFrame Exchange(const SimFrame& request) {
    std::optional<SimFrame> reply = ExchangeSimFrame(port_, request);
    EXPECT_TRUE(reply.has_value());
    return reply.value_or(SimFrame{});
  }

  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
  CSimHidBackend backend_;
  CHidDevice port_{backend_};
};

TEST_F(VirtualMouseCommands, AcceptedRequestsEchoTheirHeaderAndCarryTheFactoryData) {
  struct Case {
    const char* name;
    uint8_t command, length;
    uint16_t offset;
    std::vector<uint8_t> payload;
  };
  const Case cases[] = {
      {"begin config", kSimCmdBeginConfig, 0, 0, {}},
      {"end config", kSimCmdEndConfig, 0, 0, {}},
      {"host ready goes without a checksum", kSimCmdHostReady, 0, 0, {}},
      {"light control on", kSimCmdLightControlOn, 0, 0, {}},
      {"information block: signature, N, macro units, marker, sensor, step, limit, base",
       kSimCmdReadDeviceInfo,
       34,
       0,
       {0xAA, 0x55, 0, 0, 0, 16, 32, 0x15, 0, 0x95, 0x33, 50, 162, 0, 50, 0}},
      {"information block through the receiver's chunking", kSimCmdReadDeviceInfo, 10, 24, std::vector<uint8_t>(10, 0)},
      {"configuration image opens with left and right",
       kSimCmdReadConfigImage,
       6,
       0,
       {0x10, 0x01, 0x00, 0x10, 0x02, 0x00}},
      {"configuration image: logical button 10 is record 10", kSimCmdReadConfigImage, 3, 30, {0x14, 0x78, 0x02}},
      {"configuration image past the buttons is empty", kSimCmdReadConfigImage, 15, 33, std::vector<uint8_t>(15, 0)},
      {"config third", kSimCmdReadConfigThird, 3, 0, {0x10, 0x01, 0x00}},
      {"active profile", kSimCmdReadSettings, 1, 0, {0}},
      {"settings page 2 starts with its number and mode", kSimCmdReadSettings, 2, 256, {2, 1}},
      {"live status: battery and charging", kSimCmdReadStatus, 2, 0, {80, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimFrame reply = Exchange(SimCommandFrame(c.command, c.length, c.offset));
    EXPECT_EQ(reply[kSimFrameReportIdByte], kSimCommandReportId);
    EXPECT_EQ(reply[kSimFrameCommandByte], c.command);
    EXPECT_EQ(reply[kSimFrameLengthByte], c.length);
    EXPECT_EQ(SimFrameOffset(reply), c.offset);
    EXPECT_EQ(reply[kSimFrameStatusByte], kSimStatusAccepted);
    EXPECT_EQ(Payload(reply, c.payload.size()), c.payload);
  }
}

TEST_F(VirtualMouseCommands, WritesPersistAndReadBack) {
  struct Case {
    const char* name;
    uint8_t write, read;  // read 0: the block has no read command, so the memory is inspected
    SimBlock block;
    uint16_t offset;
    std::vector<uint8_t> data;
  };
  std::vector<uint8_t> info = SimDeviceInfoBlock(true);
  info[9] = 0x04;
  info[10] = 0x31;
  const Case cases[] = {
      {"information block", kSimCmdWriteDeviceInfo, kSimCmdReadDeviceInfo, SimBlock::DeviceInfo, 0, info},
      {"settings page 2, second chunk", kSimCmdWriteSettings, kSimCmdReadSettings, SimBlock::Settings, 312,
       Pattern(31, 1)},
      {"configuration image, bank 0",
       kSimCmdWriteConfigImage,
       kSimCmdReadConfigImage,
       SimBlock::ConfigImage,
       3,
       {0x70, 0x00, 0x00}},
      {"macro data", kSimCmdWriteMacroData, 0, SimBlock::MacroData, 56, Pattern(56, 2)},
      {"recoil data", kSimCmdWriteShootData, 0, SimBlock::RecoilData, 2912, Pattern(8, 3)},
      {"light stream", kSimCmdWriteLightStream, 0, SimBlock::LightStream, 24, Pattern(24, 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const uint8_t length = static_cast<uint8_t>(c.data.size());
    EXPECT_EQ(Exchange(SimCommandFrame(c.write, length, c.offset, c.data))[kSimFrameStatusByte], kSimStatusAccepted);
    EXPECT_EQ(mouse_->ReadBlock(c.block, c.offset, c.data.size()), c.data);
    if (c.read != 0) {
      EXPECT_EQ(Payload(Exchange(SimCommandFrame(c.read, length, c.offset)), length), c.data);
    }
  }
}

TEST_F(VirtualMouseCommands, BadRequestsGetErrorStatusAndChangeNothing) {
  auto withByte = [](SimFrame frame, size_t index, uint8_t value) {
    frame[index] = value;
    return frame;
  };
  const std::vector<uint8_t> data = Pattern(8, 9);
  struct Case {
    const char* name;
    SimFrame request;
  };
  const Case cases[] = {
      {"report id other than 4", withByte(SimCommandFrame(kSimCmdWriteSettings, 8, 0, data), 0, 5)},
      {"checksum low byte cleared", withByte(SimCommandFrame(kSimCmdWriteSettings, 8, 0, data), 1, 0)},
      {"length above 56", SimCommandFrame(kSimCmdReadDeviceInfo, 57, 0)},
      {"information block read past its 34 bytes", SimCommandFrame(kSimCmdReadDeviceInfo, 10, 30)},
      {"information block write past its 34 bytes", SimCommandFrame(kSimCmdWriteDeviceInfo, 8, 30, data)},
      {"settings read past the area", SimCommandFrame(kSimCmdReadSettings, 56, 600)},
      {"configuration image write outside bank 0", SimCommandFrame(kSimCmdWriteConfigImage, 8, 512, data)},
      {"configuration image read past 3 N bytes", SimCommandFrame(kSimCmdReadConfigImage, 8, 44)},
      {"macro write past the macro memory", SimCommandFrame(kSimCmdWriteMacroData, 8, 4092, data)},
      {"status read past its 2 bytes", SimCommandFrame(kSimCmdReadStatus, kSimMouseStatusSize + 1, 0)},
      {"bank block: keyboard only", SimCommandFrame(kSimCmdReadBankBlock, 8, 0)},
      {"unused command 8", SimCommandFrame(8, 0, 0)},
      {"link test over the cable", SimCommandFrame(kSimCmdLinkTest, 0, 0)},
  };
  std::array<std::vector<uint8_t>, kSimBlockCount> before;
  for (size_t b = 0; b < kSimBlockCount; ++b) {
    before[b] = mouse_->Block(static_cast<SimBlock>(b));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimFrame reply = Exchange(c.request);
    EXPECT_EQ(reply[kSimFrameStatusByte], kSimStatusError);
    EXPECT_EQ(reply[kSimFrameCommandByte], c.request[kSimFrameCommandByte]);
    EXPECT_EQ(reply[kSimFrameLengthByte], c.request[kSimFrameLengthByte]);
    EXPECT_EQ(SimFrameOffset(reply), SimFrameOffset(c.request));
    EXPECT_EQ(Payload(reply, kSimFrameMaxPayload), std::vector<uint8_t>(kSimFrameMaxPayload, 0));
  }
  for (size_t b = 0; b < kSimBlockCount; ++b) {
    EXPECT_EQ(mouse_->Block(static_cast<SimBlock>(b)), before[b]) << "block " << b;
  }
}

TEST_F(VirtualMouseCommands, EveryReceivedFrameIsLoggedWithItsCollection) {
  Exchange(SimCommandFrame(kSimCmdBeginConfig, 0, 0));
  Exchange(SimCommandFrame(kSimCmdReadDeviceInfo, 34, 0));
  std::vector<SimLoggedFrame> log = mouse_->Frames().Snapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].interfaceNumber, 1);
  EXPECT_EQ(log[1].collectionNumber, 2);
  EXPECT_EQ(log[1].path, SimReportPath::Interrupt);
  EXPECT_FALSE(log[1].throughReceiver);
  EXPECT_EQ(mouse_->Frames().Commands(), (std::vector<uint8_t>{kSimCmdBeginConfig, kSimCmdReadDeviceInfo}));
}

TEST_F(VirtualMouseCommands, EventsReachOnlyTheEventCollection) {
  CHidDevice events(backend_), pointer(backend_);
  ASSERT_EQ(OpenSimEventPort(backend_, *mouse_, events), 1);
  ASSERT_EQ(pointer.Open(backend_.PathsOf(*mouse_).front(), true, false, true, false), 1);
  mouse_->SendEvent(kSimEventReReadRequest);
  EXPECT_EQ(ReadSimReport(events, 1000), (std::vector<uint8_t>{3, 0x01, 0x04}));
  EXPECT_FALSE(ReadSimReport(port_, 20));
  EXPECT_FALSE(ReadSimReport(pointer, 20));
}

TEST_F(VirtualMouseCommands, PlayedPointerMovesShareTheCommandInterfaceButNotItsCollection) {
  const std::vector<std::string> paths = backend_.PathsOf(*mouse_);
  CHidDevice macroPointer(backend_), pointer(backend_);
  ASSERT_EQ(macroPointer.Open(paths.back(), true, false, true, false), 1);  // interface 1, collection 3
  ASSERT_EQ(macroPointer.GetInterfaceNumber(), 1);
  ASSERT_EQ(pointer.Open(paths.front(), true, false, true, false), 1);
  mouse_->PlayPointerMove(5, -1);
  EXPECT_EQ(ReadSimReport(macroPointer, 1000),
            (std::vector<uint8_t>{kSimMacroPointerReportId, 0, 0x05, 0x00, 0xFF, 0xFF, 0, 0}));
  EXPECT_FALSE(ReadSimReport(port_, 20));
  EXPECT_FALSE(ReadSimReport(pointer, 20));
}

TEST_F(VirtualMouseCommands, ProfileButtonStoresTheProfileAndStageAndAnnouncesThem) {
  CHidDevice events(backend_);
  ASSERT_EQ(OpenSimEventPort(backend_, *mouse_, events), 1);
  mouse_->ChangeProfileAndStage(3, 2);
  EXPECT_EQ(ReadSimReport(events, 1000), (std::vector<uint8_t>{3, 0x23, 0x11}));
  EXPECT_EQ(Payload(Exchange(SimCommandFrame(kSimCmdReadSettings, 1, 0)), 1), std::vector<uint8_t>{3});
  EXPECT_EQ(mouse_->ReadBlock(SimBlock::Settings, 3 * kSimMouseSettingsPageStride + kSimMouseStageByte, 1),
            std::vector<uint8_t>{2});

  mouse_->ChangeProfile(1);
  EXPECT_EQ(ReadSimReport(events, 1000), (std::vector<uint8_t>{3, 0x01, 0x10}));
  EXPECT_EQ(mouse_->ActiveProfile(), 1);
}

TEST_F(VirtualMouseCommands, LiveStatusFollowsBatteryAndCharging) {
  mouse_->SetBattery(37);
  mouse_->SetCharging(true);
  EXPECT_EQ(Payload(Exchange(SimCommandFrame(kSimCmdReadStatus, 2, 0)), 2), (std::vector<uint8_t>{37, 1}));
}

}  // namespace
