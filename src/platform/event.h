#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

inline constexpr uint32_t kInfiniteWait = 0xFFFFFFFFu;

// A signalled/unsignalled flag that threads wait on, with the Windows event semantics the device
// code is written against: a manual-reset event stays signalled until Reset; an auto-reset event
// releases one waiter and clears itself.
class CEvent {
 public:
  explicit CEvent(bool manualReset, bool initiallySet = false);
  CEvent(const CEvent&) = delete;
  CEvent& operator=(const CEvent&) = delete;

  void Set();
  void Reset();
  // True when the event was (or became) signalled within the time-out; kInfiniteWait waits forever.
  bool Wait(uint32_t timeoutMs);
  bool IsSet() const;

 private:
  const bool manualReset_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_;
};
