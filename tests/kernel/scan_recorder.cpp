#include "scan_recorder.h"

#include <chrono>
#include <utility>

void CScanRecorder::Add(ScanEvent event) {
  {
    std::lock_guard guard(mutex_);
    events_.push_back(std::move(event));
  }
  changed_.notify_all();
}

std::vector<ScanEvent> CScanRecorder::Take() {
  std::lock_guard guard(mutex_);
  return std::exchange(events_, {});
}

std::vector<ScanEvent> CScanRecorder::TakeWhenCount(size_t count, uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return events_.size() >= count; });
  return std::exchange(events_, {});
}
