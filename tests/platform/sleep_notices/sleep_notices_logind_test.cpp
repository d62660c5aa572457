// The notices against a private bus with a stand-in for logind on it. Skipped where dbus-daemon
// is not installed.
#include <gtest/gtest.h>

#include <QVariantList>

#include <memory>
#include <vector>

#include "platform/sleep_notices/sleep_notices.h"
#include "sleep_test_support.h"

namespace {

class SleepNoticesLogindTest : public CQtDBusTest {
 protected:
  void SetUp() override {
    CQtDBusTest::SetUp();
    if (IsSkipped()) return;
    bus_ = std::make_unique<CPrivateBus>();
    if (!bus_->IsRunning()) GTEST_SKIP() << "no private bus: " << bus_->Problem();
    logind_ = std::make_unique<CFakeLogind>(bus_->Address());
    ASSERT_TRUE(logind_->IsReady());
    notices_ = std::make_unique<CSleepNotices>(bus_->Address());
  }

  bool StartRecording() {
    return notices_->Start([this](bool suspending) { received_.push_back(suspending); });
  }
  bool WaitForNotices(size_t count) {
    return PumpUntil([&] { return received_.size() >= count; });
  }

  std::unique_ptr<CPrivateBus> bus_;
  std::unique_ptr<CFakeLogind> logind_;
  std::unique_ptr<CSleepNotices> notices_;
  std::vector<bool> received_;
};

TEST_F(SleepNoticesLogindTest, SuspendAndResumeReachTheHandler) {
  ASSERT_TRUE(StartRecording()) << notices_->FailureReason();
  EXPECT_TRUE(notices_->IsStarted());
  EXPECT_TRUE(notices_->FailureReason().empty());

  logind_->SendPrepareForSleep(true);
  ASSERT_TRUE(WaitForNotices(1));
  logind_->SendPrepareForSleep(false);
  ASSERT_TRUE(WaitForNotices(2));
  EXPECT_EQ(received_, (std::vector<bool>{true, false}));
}

TEST_F(SleepNoticesLogindTest, SignalsFromOtherSendersOrOfAnotherFormAreIgnored) {
  ASSERT_TRUE(StartRecording()) << notices_->FailureReason();
  CFakeLogind impostor(bus_->Address(), /*ownsLogindName=*/false);
  ASSERT_TRUE(impostor.IsReady());
  impostor.SendPrepareForSleep(true);
  impostor.Flush();

  const QVariantList kMalformed[] = {
      {},
      {QStringLiteral("true")},
      {1u},
      {true, QStringLiteral("extra")},
  };
  for (const QVariantList& arguments : kMalformed) logind_->SendPrepareForSleepWith(arguments);
  // Last, so that once it arrives everything above has had its chance to arrive too.
  logind_->SendPrepareForSleep(false);
  ASSERT_TRUE(WaitForNotices(1));
  EXPECT_EQ(received_, (std::vector<bool>{false}));
}

TEST_F(SleepNoticesLogindTest, StoppedNoticesStayQuietUntilStartedAgain) {
  ASSERT_TRUE(StartRecording()) << notices_->FailureReason();
  logind_->SendPrepareForSleep(true);
  ASSERT_TRUE(WaitForNotices(1));

  notices_->Stop();
  EXPECT_FALSE(notices_->IsStarted());
  logind_->SendPrepareForSleep(true);
  logind_->Flush();

  ASSERT_TRUE(StartRecording()) << notices_->FailureReason();
  logind_->SendPrepareForSleep(false);
  ASSERT_TRUE(WaitForNotices(2));
  EXPECT_EQ(received_, (std::vector<bool>{true, false}));
}

TEST_F(SleepNoticesLogindTest, HandlerMayStopOrDestroyTheNotices) {
  enum class Action { kStop, kDestroy };
  for (Action action : {Action::kStop, Action::kDestroy}) {
    SCOPED_TRACE(action == Action::kStop ? "stop" : "destroy");
    notices_ = std::make_unique<CSleepNotices>(bus_->Address());
    int calls = 0;
    ASSERT_TRUE(notices_->Start([&](bool) {
      ++calls;
      if (action == Action::kStop) {
        notices_->Stop();
      } else {
        notices_.reset();
      }
    })) << notices_->FailureReason();

    logind_->SendPrepareForSleep(true);
    ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
    EXPECT_TRUE(notices_ == nullptr || !notices_->IsStarted());
  }
}

}  // namespace
