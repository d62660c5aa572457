#include "platform/event.h"

#include <chrono>

CEvent::CEvent(bool manualReset, bool initiallySet) : manualReset_(manualReset), signalled_(initiallySet) {}

void CEvent::Set() {
  {
    std::lock_guard guard(mutex_);
    signalled_ = true;
  }
  if (manualReset_) {
    changed_.notify_all();
  } else {
    changed_.notify_one();
  }
}

void CEvent::Reset() {
  std::lock_guard guard(mutex_);
  signalled_ = false;
}

bool CEvent::IsSet() const {
  std::lock_guard guard(mutex_);
  return signalled_;
}

bool CEvent::Wait(uint32_t timeoutMs) {
  std::unique_lock guard(mutex_);
  auto isSignalled = [this] { return signalled_; };
  if (timeoutMs == kInfiniteWait) {
    changed_.wait(guard, isSignalled);
  } else if (!changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs), isSignalled)) {
    return false;
  }
  if (!manualReset_) signalled_ = false;
  return true;
}
