#pragma once
#include <cstdint>

class CEvent;

// Time as the device code sees it: the time now, a pause, and a wait on an event with a time-out
// (the way a worker waits on its stop event). The device objects, their command channels and
// their workers take a clock when they are made, so tests run them on virtual time.
class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds on a monotonic clock.
  virtual uint64_t NowMs() = 0;
  virtual void SleepMs(uint32_t milliseconds) = 0;
  // True when the event was (or became) set within the time-out; kInfiniteWait waits for the event.
  virtual bool WaitMs(CEvent& event, uint32_t timeoutMs) = 0;
};

// The machine's monotonic clock, for the whole process.
IClock& SystemClock();

// Milliseconds on the system clock (the counterpart of GetTickCount, without its 49-day wrap).
uint64_t GetTickCountMs();

void SleepMs(uint32_t milliseconds);
