#include "sim/virtual_receiver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sim/sim_hid_backend.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_mouse.h"
#include "support/sim_frame_exchange.h"
#include "transport/hid_device.h"

namespace {

bool AnyFrameThroughReceiver(const CVirtualMouse& mouse) {
  for (const SimLoggedFrame& frame : mouse.Frames().Snapshot()) {
    if (frame.throughReceiver) return true;
  }
  return false;
}

class VirtualReceiver : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Plug(mouse_));
    ASSERT_TRUE(backend_.Plug(receiver_));
    ASSERT_EQ(OpenSimCommandPort(backend_, *receiver_, receiverPort_), 1);
    ASSERT_EQ(OpenSimCommandPort(backend_, *mouse_, cablePort_), 1);
  }

  SimFrame ThroughReceiver(const SimFrame& request) {
    std::optional<SimFrame> reply = ExchangeSimFrame(receiverPort_, request);
    EXPECT_TRUE(reply.has_value());
    return reply.value_or(SimFrame{});
  }

  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>(SimMouseOptions{.firmwareVersion = 0x0102});
  std::shared_ptr<CVirtualReceiver> receiver_ = CVirtualReceiver::Create(mouse_);
  CSimHidBackend backend_;
  CHidDevice receiverPort_{backend_};
  CHidDevice cablePort_{backend_};
};

TEST_F(VirtualReceiver, LinkTestAnswersInByteEight) {
  struct Case {
    bool linked;
    uint8_t answer;
  };
  for (const Case& c : {Case{true, 0xFF}, Case{false, 0x00}}) {
    SCOPED_TRACE(c.linked ? "linked" : "unlinked");
    receiver_->SetLinked(c.linked);
    SimFrame reply = ThroughReceiver(SimCommandFrame(kSimCmdLinkTest, 0, 0));
    EXPECT_EQ(reply[kSimFrameCommandByte], kSimNotLinkedEcho);
    EXPECT_EQ(reply[kSimFrameStatusByte], kSimStatusAccepted);
    EXPECT_EQ(reply[kSimFramePayloadOffset], c.answer);
  }
}

TEST_F(VirtualReceiver, CableAndReceiverReachTheSameMouse) {
  const std::vector<uint8_t> page = {0, 4, 3, 1};
  EXPECT_EQ(ThroughReceiver(SimCommandFrame(kSimCmdWriteSettings, 4, 128, page))[kSimFrameStatusByte],
            kSimStatusAccepted);
  std::optional<SimFrame> reply = ExchangeSimFrame(cablePort_, SimCommandFrame(kSimCmdReadSettings, 4, 128));
  ASSERT_TRUE(reply);
  EXPECT_EQ(std::vector<uint8_t>(reply->begin() + 8, reply->begin() + 12), page);
  EXPECT_TRUE(AnyFrameThroughReceiver(*mouse_));
}

TEST_F(VirtualReceiver, UnlinkedReceiverAnswersEveryFrameWithNotLinkedAndPassesNothingOn) {
  receiver_->SetLinked(false);
  for (uint8_t command : {kSimCmdBeginConfig, kSimCmdReadDeviceInfo, kSimCmdWriteSettings, kSimCmdReadStatus}) {
    SCOPED_TRACE(static_cast<int>(command));
    EXPECT_EQ(ThroughReceiver(SimCommandFrame(command, 1, 0))[kSimFrameCommandByte], kSimNotLinkedEcho);
  }
  EXPECT_FALSE(AnyFrameThroughReceiver(*mouse_));
  EXPECT_EQ(receiver_->Frames().Size(), 4u);

  receiver_->SetLinked(true);
  SimFrame reply = ThroughReceiver(SimCommandFrame(kSimCmdReadStatus, 2, 0));
  EXPECT_EQ(reply[kSimFrameCommandByte], kSimCmdReadStatus);
  EXPECT_EQ(reply[kSimFramePayloadOffset], 80);
}

TEST_F(VirtualReceiver, BadLinkTestGetsErrorStatus) {
  SimFrame request = SimCommandFrame(kSimCmdLinkTest, 0, 0);
  request[kSimFrameChecksumByte] ^= 1;
  EXPECT_EQ(ThroughReceiver(request)[kSimFrameStatusByte], kSimStatusError);
}

TEST_F(VirtualReceiver, EachPortReportsItsOwnProductAndReleaseNumber) {
  EXPECT_EQ(receiverPort_.GetAttributes().ProductID, kSimMouseReceiverProductId);
  EXPECT_EQ(receiverPort_.GetAttributes().VersionNumber, SimReceiverOptions{}.version);
  EXPECT_EQ(cablePort_.GetAttributes().ProductID, kSimMouseCableProductId);
  EXPECT_EQ(cablePort_.GetAttributes().VersionNumber, 0x0102);
}

TEST_F(VirtualReceiver, MouseEventsComeThroughTheReceiverOnlyWhileLinked) {
  CHidDevice receiverEvents(backend_), cableEvents(backend_);
  ASSERT_EQ(OpenSimEventPort(backend_, *receiver_, receiverEvents), 1);
  ASSERT_EQ(OpenSimEventPort(backend_, *mouse_, cableEvents), 1);

  mouse_->SendEvent(kSimEventReactiveTrigger);
  EXPECT_EQ(ReadSimReport(receiverEvents, 1000), (std::vector<uint8_t>{3, 0x03, 0x04}));
  EXPECT_EQ(ReadSimReport(cableEvents, 1000), (std::vector<uint8_t>{3, 0x03, 0x04}));

  receiver_->SetLinked(false);
  mouse_->SendEvent(kSimEventReactiveTrigger);
  EXPECT_TRUE(ReadSimReport(cableEvents, 1000));
  EXPECT_FALSE(ReadSimReport(receiverEvents, 20));
}

}  // namespace
