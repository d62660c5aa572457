// The configuration bracket every device transaction runs in: which frames it sends around its
// steps, over the cable and through the receiver, and what it reports when something fails.
#include "transport/config_transaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulation.h"
#include "support/test_clock.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"

namespace {

// A channel open on a virtual mouse, on its cable or through its receiver.
class TransactionRig {
 public:
  explicit TransactionRig(const std::string& list) {
    std::string error;
    sim_ = CreateSimulation(list, &error);
    EXPECT_TRUE(sim_) << error;
    sim_->AnswerAtOnce();
    channel_ = std::make_unique<CUsbCommandChannel>(sim_->Backend(), clock_);
    receiver_ = !sim_->Mouse()->IsPlugged();
    CVirtualDevice& target = receiver_ ? static_cast<CVirtualDevice&>(*sim_->Receiver()) : *sim_->Mouse();
    CHidDevice& port = receiver_ ? channel_->ReceiverPort() : channel_->DirectPort();
    EXPECT_EQ(port.Open(sim_->Backend().CommandPathOf(target), true, true, true, false), 1);
    channel_->SetConnectionType(receiver_ ? kConnectionTypeReceiver : kConnectionTypeCable);
    channel_->SetIsOpen(1);
  }
  ~TransactionRig() { channel_.reset(); }

  CUsbCommandChannel& Channel() { return *channel_; }
  CSimulation& Sim() { return *sim_; }
  std::vector<uint8_t> Commands() {
    return receiver_ ? sim_->Receiver()->Frames().Commands() : sim_->Mouse()->Frames().Commands();
  }

 private:
  CTestClock clock_;
  std::unique_ptr<CSimulation> sim_;
  std::unique_ptr<CUsbCommandChannel> channel_;
  bool receiver_ = false;
};

constexpr uint8_t kLink = kCmdDeviceIsLink, kBegin = kCmdBeginConfig, kEnd = kCmdEndConfig, kStatus = kCmdReadStatus;

}  // namespace

TEST(ConfigTransaction, BracketsItsStepsWithTheLinkTestedBeforeEachFrameThroughTheReceiver) {
  struct Case {
    const char* list;
    CConfigTransaction::Bracket bracket;
    std::vector<uint8_t> frames;
  };
  const Case cases[] = {
      {"mouse", CConfigTransaction::Bracket::kBeginEnd, {kBegin, kStatus, kStatus, kEnd}},
      {"mouse", CConfigTransaction::Bracket::kNone, {kStatus, kStatus}},
      {"mouse-receiver",
       CConfigTransaction::Bracket::kBeginEnd,
       {kLink, kBegin, kLink, kStatus, kLink, kStatus, kLink, kEnd}},
      {"mouse-receiver", CConfigTransaction::Bracket::kNone, {kLink, kStatus, kLink, kStatus}},
  };
  for (const Case& test : cases) {
    TransactionRig rig(test.list);
    uint8_t status[2] = {};
    CConfigTransaction transaction(rig.Channel(), test.bracket);
    transaction.Step("first", [&] { return rig.Channel().ReadStatus(status, 2, 0); })
        .Step("second", [&] { return rig.Channel().ReadStatus(status, 2, 0); });
    EXPECT_EQ(transaction.Run(), kResultSuccess) << test.list;
    EXPECT_EQ(transaction.FailedStep(), nullptr) << test.list;
    EXPECT_EQ(rig.Commands(), test.frames) << test.list;
  }
}

TEST(ConfigTransaction, AFailedStepStopsTheStepsButStillEndsTheSession) {
  TransactionRig rig("mouse");
  bool thirdRan = false;
  CConfigTransaction transaction(rig.Channel());
  transaction.Step("first", [] { return kResultSuccess; })
      .Step("second", [] { return kResultDeviceError; })
      .Step("third", [&] {
        thirdRan = true;
        return kResultSuccess;
      });
  EXPECT_EQ(transaction.Run(), kResultDeviceError);
  EXPECT_STREQ(transaction.FailedStep(), "second");
  EXPECT_FALSE(thirdRan);
  EXPECT_EQ(rig.Commands(), (std::vector<uint8_t>{kBegin, kEnd}));
}

TEST(ConfigTransaction, NothingButTheLinkTestGoesToAnUnlinkedMouse) {
  TransactionRig rig("mouse-receiver:unlinked");
  bool ran = false;
  CConfigTransaction transaction(rig.Channel());
  transaction.Step("step", [&] {
    ran = true;
    return kResultSuccess;
  });
  EXPECT_EQ(transaction.Run(), kResultNotLinked);
  EXPECT_STREQ(transaction.FailedStep(), "Hid2_4GDeviceIsLink");
  EXPECT_FALSE(ran);
  EXPECT_EQ(rig.Commands(), std::vector<uint8_t>{kLink});
}

TEST(ConfigTransaction, ARefusedBeginOrAClosedChannelRunsNoStep) {
  TransactionRig rig("mouse");
  rig.Sim().Mouse()->Faults().FailStatusForCommand(kBegin, 0xFF);
  int runs = 0;
  CConfigTransaction refused(rig.Channel());
  refused.Step("step", [&] { return ++runs, kResultSuccess; });
  EXPECT_EQ(refused.Run(), kResultDeviceError);
  EXPECT_STREQ(refused.FailedStep(), "BeginConfig");
  EXPECT_EQ(rig.Commands(), std::vector<uint8_t>{kBegin}) << "a session that never began is not ended";

  rig.Channel().SetIsOpen(0);
  CConfigTransaction closed(rig.Channel());
  closed.Step("step", [&] { return ++runs, kResultSuccess; });
  EXPECT_EQ(closed.Run(), kResultNoReply);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(rig.Commands().size(), 1u);
}
