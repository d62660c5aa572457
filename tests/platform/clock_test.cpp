// The clocks a worker waits on: the system's, and the virtual one of the tests, on which a wait
// ends when the time is moved on rather than when real time passes.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/event.h"
#include "support/test_clock.h"

TEST(SystemClockWait, EndsAtTheEventOrAfterTheTimeOut) {
  CEvent event(true);
  const uint64_t start = SystemClock().NowMs();
  EXPECT_FALSE(SystemClock().WaitMs(event, 30));
  EXPECT_GE(SystemClock().NowMs() - start, 30u);
  event.Set();
  EXPECT_TRUE(SystemClock().WaitMs(event, kInfiniteWait));
}

TEST(TestClockWait, PausesTakeNoRealTimeAndMoveEveryWaiterOn) {
  CTestClock clock;
  const auto realStart = std::chrono::steady_clock::now();
  const uint64_t start = clock.NowMs();
  clock.SleepMs(60'000);
  EXPECT_EQ(clock.NowMs() - start, 60'000u);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(1));

  CEvent stop(true);
  std::atomic<int> timeouts{0};
  std::thread worker([&] {
    while (!clock.WaitMs(stop, 100)) ++timeouts;
  });
  while (clock.Waiters() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  clock.Advance(99);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(timeouts.load(), 0) << "the deadline is not reached yet";
  clock.Advance(1);
  for (int i = 0; i < 200 && timeouts.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(timeouts.load(), 1);
  stop.Set();
  worker.join();
}
