#include "platform/event.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/clock.h"

TEST(Event, TimedWaitOnAnUnsignalledEventTimesOut) {
  CEvent event(true);
  uint64_t start = GetTickCountMs();
  EXPECT_FALSE(event.Wait(30));
  EXPECT_GE(GetTickCountMs() - start, 25u);
}

TEST(Event, ManualResetStaysSetUntilReset) {
  CEvent event(true);
  event.Set();
  EXPECT_TRUE(event.Wait(0));
  EXPECT_TRUE(event.Wait(0));
  event.Reset();
  EXPECT_FALSE(event.Wait(0));
}

TEST(Event, AutoResetReleasesOneWaitAndClears) {
  CEvent event(false);
  event.Set();
  EXPECT_TRUE(event.Wait(0));
  EXPECT_FALSE(event.Wait(0));
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait) {
  CEvent event(false);
  std::thread setter([&] {
    SleepMs(20);
    event.Set();
  });
  EXPECT_TRUE(event.Wait(kInfiniteWait));
  setter.join();
}
