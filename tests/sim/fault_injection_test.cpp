#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/event.h"
#include "sim/sim_hid_backend.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_receiver.h"
#include "support/sim_frame_exchange.h"
#include "transport/hid_device.h"

namespace {

constexpr uint32_t kNoReplyWaitMs = 40;

class FaultInjection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Plug(mouse_));
    ASSERT_EQ(OpenSimCommandPort(backend_, *mouse_, port_), 1);
  }

  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
  CSimHidBackend backend_;
  CHidDevice port_{backend_};
};

// What the host sees for one frame: no reply at all, or a reply with this echo and status.
struct Seen {
  bool replied = true;
  bool echoMatches = true;
  uint8_t status = kSimStatusAccepted;
};
constexpr Seen kNoReply{false, false, 0};
constexpr Seen kFine{};
constexpr Seen kWrongEcho{true, false, kSimStatusAccepted};
constexpr Seen Status(uint8_t status) { return {true, true, status}; }

TEST_F(FaultInjection, ArmedFaultsShapeTheRepliesOfTheFollowingFrames) {
  struct Case {
    const char* name;
    std::function<void(CSimFaultPlan&)> arm;
    std::vector<uint8_t> commands;
    std::vector<Seen> seen;
  };
  const uint8_t info = kSimCmdReadDeviceInfo, settings = kSimCmdReadSettings;
  const Case cases[] = {
      {"no reply to the next two frames",
       [](CSimFaultPlan& f) { f.DropReplies(2); },
       {info, info, info},
       {kNoReply, kNoReply, kFine}},
      {"no reply ever", [](CSimFaultPlan& f) { f.DropAllReplies(); }, {info, info}, {kNoReply, kNoReply}},
      {"wrong echo once", [](CSimFaultPlan& f) { f.WrongEchoOnce(); }, {info, info}, {kWrongEcho, kFine}},
      {"wrong echo always", [](CSimFaultPlan& f) { f.WrongEchoAlways(); }, {info, info}, {kWrongEcho, kWrongEcho}},
      {"status 0xFF once", [](CSimFaultPlan& f) { f.FailStatusOnce(0xFF); }, {info, info}, {Status(0xFF), kFine}},
      {"status 0xFE always",
       [](CSimFaultPlan& f) { f.FailStatusAlways(0xFE); },
       {info, settings},
       {Status(0xFE), Status(0xFE)}},
      {"status 0xFE for the settings read only",
       [](CSimFaultPlan& f) { f.FailStatusForCommand(settings, 0xFE); },
       {info, settings, info, settings},
       {kFine, Status(0xFE), kFine, Status(0xFE)}},
      {"cleared faults are gone",
       [](CSimFaultPlan& f) {
         f.DropAllReplies();
         f.WrongEchoAlways();
         f.Clear();
       },
       {info},
       {kFine}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mouse_->Faults().Clear();
    c.arm(mouse_->Faults());
    for (size_t i = 0; i < c.commands.size(); ++i) {
      SCOPED_TRACE(i);
      const uint8_t length = c.commands[i] == info ? 34 : 1;
      std::optional<SimFrame> reply =
          ExchangeSimFrame(port_, SimCommandFrame(c.commands[i], length, 0), c.seen[i].replied ? 1000 : kNoReplyWaitMs);
      ASSERT_EQ(reply.has_value(), c.seen[i].replied);
      if (!reply) continue;
      EXPECT_EQ((*reply)[kSimFrameCommandByte] == c.commands[i], c.seen[i].echoMatches);
      EXPECT_NE((*reply)[kSimFrameCommandByte], kSimNotLinkedEcho);
      EXPECT_EQ((*reply)[kSimFrameStatusByte], c.seen[i].status);
    }
  }
}

TEST_F(FaultInjection, NumberedFaultsHitTheFrameOfThatNumberCountedFromTheFirst) {
  const uint8_t info = kSimCmdReadDeviceInfo;
  mouse_->Faults().DropReplyAt(2);
  mouse_->Faults().WrongEchoAt(3);
  mouse_->Faults().FailStatusAt(4, 0xFE);
  const Seen seen[] = {kFine, kNoReply, kWrongEcho, Status(0xFE), kFine};
  for (size_t i = 0; i < std::size(seen); ++i) {
    SCOPED_TRACE(i);
    std::optional<SimFrame> reply =
        ExchangeSimFrame(port_, SimCommandFrame(info, 34, 0), seen[i].replied ? 1000 : kNoReplyWaitMs);
    ASSERT_EQ(reply.has_value(), seen[i].replied);
    if (!reply) continue;
    EXPECT_EQ((*reply)[kSimFrameCommandByte] == info, seen[i].echoMatches);
    EXPECT_EQ((*reply)[kSimFrameStatusByte], seen[i].status);
  }
}

TEST_F(FaultInjection, ALateReplyComesAfterTheWaitAndBeforeTheNextFramesOwn) {
  mouse_->Faults().LateReplyAt(1, 200);
  const SimFrame first = SimCommandFrame(kSimCmdReadDeviceInfo, 24, 0);
  ASSERT_EQ(port_.WriteReport(first.data(), kSimFrameSize, nullptr, 1000), 1);
  EXPECT_FALSE(ReadSimReport(port_, kNoReplyWaitMs)) << "nothing before its time";
  const SimFrame second = SimCommandFrame(kSimCmdReadDeviceInfo, 10, 24);
  ASSERT_EQ(port_.WriteReport(second.data(), kSimFrameSize, nullptr, 1000), 1);
  std::optional<std::vector<uint8_t>> reply = ReadSimReport(port_, 1000);
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[kSimFrameOffsetByte], 24) << "the second frame's answer is in before the late one";
  reply = ReadSimReport(port_, 1000);
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[kSimFrameOffsetByte], 0);
}

TEST_F(FaultInjection, DelayedReplyArrivesOnlyAfterTheDelay) {
  mouse_->Faults().DelayReplies(300);
  ASSERT_EQ(port_.WriteReport(SimCommandFrame(kSimCmdBeginConfig, 0, 0).data(), kSimFrameSize, nullptr, 1000), 1);
  EXPECT_FALSE(ReadSimReport(port_, kNoReplyWaitMs));
  std::optional<std::vector<uint8_t>> late = ReadSimReport(port_, 5000);
  ASSERT_TRUE(late);
  EXPECT_EQ((*late)[kSimFrameCommandByte], kSimCmdBeginConfig);
}

TEST_F(FaultInjection, UnplugAfterFramesTakesTheNextFrameAndVanishesBeforeAnswering) {
  HidOpenError error;
  std::shared_ptr<IHidConnection> connection =
      backend_.Open(backend_.CommandPathOf(*mouse_), HidOpenMode{true, true, true, false}, &error);
  ASSERT_TRUE(connection);
  const std::string path = backend_.CommandPathOf(*mouse_);
  const uint64_t generation = backend_.ChangeGeneration();
  mouse_->Faults().UnplugAfterFrames(2);

  SimFrame request = SimCommandFrame(kSimCmdReadDeviceInfo, 24, 0);
  std::vector<uint8_t> reply(kSimFrameSize);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(connection->Write(request.data(), request.size(), 1000, nullptr), HidIoStatus::Ok);
    ASSERT_EQ(connection->Read(reply.data(), reply.size(), 1000, nullptr), HidIoStatus::Ok);
  }
  EXPECT_EQ(connection->Write(request.data(), request.size(), 1000, nullptr), HidIoStatus::Ok);
  EXPECT_EQ(connection->Read(reply.data(), reply.size(), kInfiniteWait, nullptr), HidIoStatus::Failed);
  EXPECT_EQ(connection->Write(request.data(), request.size(), 1000, nullptr), HidIoStatus::Failed);
  EXPECT_FALSE(mouse_->IsPlugged());
  EXPECT_FALSE(backend_.IsPresent(path));
  EXPECT_NE(backend_.ChangeGeneration(), generation);
  EXPECT_EQ(mouse_->Frames().Size(), 3u);
}

TEST_F(FaultInjection, UnplugNowFailsTransfersAndOpens) {
  const std::string path = backend_.CommandPathOf(*mouse_);
  mouse_->Unplug();
  EXPECT_FALSE(ExchangeSimFrame(port_, SimCommandFrame(kSimCmdBeginConfig, 0, 0)));
  CHidDevice again(backend_);
  EXPECT_EQ(again.Open(path, true, true, true, false), 0);
  EXPECT_EQ(again.GetLastOpenError(), HidOpenError::NotFound);
}

TEST(ReceiverFaults, FaultsArmedOnTheReceiverApplyToFramesThroughIt) {
  auto mouse = std::make_shared<CVirtualMouse>();
  auto receiver = CVirtualReceiver::Create(mouse);
  CSimHidBackend backend;
  ASSERT_TRUE(backend.Plug(receiver));
  CHidDevice port(backend);
  ASSERT_EQ(OpenSimCommandPort(backend, *receiver, port), 1);
  receiver->Faults().FailStatusOnce(0xFE);
  std::optional<SimFrame> reply = ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadStatus, 2, 0));
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[kSimFrameStatusByte], 0xFE);
}

}  // namespace
