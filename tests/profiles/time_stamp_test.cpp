#include "profiles/storage/time_stamp.h"

#include <gtest/gtest.h>

#include <mutex>
#include <regex>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(TimeStamp, FormatsLocalWallClockFieldsWithMilliseconds) {
  // 2026-01-17 09:05:03.042 counted as local wall-clock milliseconds since 1970-01-01 00:00.
  EXPECT_EQ(FormatTimeStamp(1768640703042LL), "2026_01_17_09_05_03_042");
  EXPECT_EQ(FormatTimeStamp(0), "1970_01_01_00_00_00_000");
}

TEST(TimeStamp, HasTheFixedLayout) {
  EXPECT_TRUE(std::regex_match(MakeTimeStamp(), std::regex(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}_\d{3})")));
}

TEST(TimeStamp, RapidCallsFromOneThreadRiseStrictly) {
  std::string previous = MakeTimeStamp();
  for (int i = 0; i < 2000; ++i) {
    std::string next = MakeTimeStamp();
    ASSERT_LT(previous, next) << "call " << i;
    previous = next;
  }
}

TEST(TimeStamp, NeverRepeatsAcrossThreads) {
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::mutex lock;
  std::set<std::string> seen;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      std::vector<std::string> mine;
      for (int i = 0; i < kEach; ++i) mine.push_back(MakeTimeStamp());
      std::lock_guard guard(lock);
      seen.insert(mine.begin(), mine.end());
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kEach));
}

}  // namespace
