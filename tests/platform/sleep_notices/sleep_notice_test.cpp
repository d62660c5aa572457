#include "platform/sleep_notices/sleep_notice.h"

#include <gtest/gtest.h>

TEST(SleepNoticeTest, SignalArgumentTellsSuspendFromResume) {
  const struct {
    bool start;
    SleepNotice expected;
  } kCases[] = {
      {true, SleepNotice::kSuspending},
      {false, SleepNotice::kResumed},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SleepNoticeFromSignal(c.start), c.expected) << "start=" << c.start;
  }
}
