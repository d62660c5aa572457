#pragma once
#include <cstdint>
#include <mutex>

#include "platform/hidraw/udev_handles.h"

// Counts hidraw nodes coming and going, from the kernel's own uevents (so no udev daemon is
// needed). When no monitor can be made, every call returns a new number and callers simply
// enumerate every time.
class CHidrawChangeMonitor {
 public:
  CHidrawChangeMonitor();
  CHidrawChangeMonitor(const CHidrawChangeMonitor&) = delete;
  CHidrawChangeMonitor& operator=(const CHidrawChangeMonitor&) = delete;

  // Reads every event waiting without blocking; the number grows when any arrived.
  uint64_t Generation();
  bool IsMonitoring() const { return monitor_ != nullptr; }

 private:
  std::mutex lock_;  // the libudev objects below may not be used by two threads at once
  UdevContext context_;
  UdevMonitor monitor_;
  uint64_t generation_ = 1;
};
