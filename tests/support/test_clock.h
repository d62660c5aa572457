#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/clock.h"

// Virtual time for tests: a pause moves the time on at once, without sleeping, and a wait on an
// event ends when the event is set or when the time has been moved past its deadline (by the
// test's Advance or by a pause on any thread). A worker on this clock neither sleeps for its
// periods nor spins: it wakes when somebody moves the time.
class CTestClock : public IClock {
 public:
  explicit CTestClock(uint64_t startMs = 1'000'000) : now_(startMs) {}

  uint64_t NowMs() override;
  void SleepMs(uint32_t milliseconds) override { Advance(milliseconds); }
  bool WaitMs(CEvent& event, uint32_t timeoutMs) override;
  void Advance(uint32_t milliseconds);
  // How many threads wait on the clock now, so a test can move the time once they do.
  int Waiters();

 private:
  std::mutex mutex_;
  std::condition_variable moved_;
  uint64_t now_;
  int waiters_ = 0;
};
