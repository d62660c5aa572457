#include "support/test_clock.h"

#include <chrono>

#include "platform/event.h"

namespace {

// An event cannot wake the clock, so a waiter looks at its event this often (real time). Only
// workers waiting on the test clock do it, and only in tests.
constexpr auto kEventCheck = std::chrono::milliseconds(20);

}  // namespace

uint64_t CTestClock::NowMs() {
  std::lock_guard<std::mutex> guard(mutex_);
  return now_;
}

void CTestClock::Advance(uint32_t milliseconds) {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    now_ += milliseconds;
  }
  moved_.notify_all();
}

int CTestClock::Waiters() {
  std::lock_guard<std::mutex> guard(mutex_);
  return waiters_;
}

bool CTestClock::WaitMs(CEvent& event, uint32_t timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  const bool forever = timeoutMs == kInfiniteWait;
  const uint64_t deadline = now_ + timeoutMs;
  ++waiters_;
  bool set = false;
  for (;;) {
    lock.unlock();
    set = event.Wait(0);
    lock.lock();
    if (set || (!forever && now_ >= deadline)) break;
    moved_.wait_for(lock, kEventCheck);
  }
  --waiters_;
  return set;
}
