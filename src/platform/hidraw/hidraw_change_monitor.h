#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/hid/hid_change_listener.h"
#include "platform/hidraw/udev_handles.h"

// Counts hidraw nodes coming and going, from the kernel's own uevents (so no udev daemon is
// needed). When no monitor can be made, every call returns a new number and callers simply
// enumerate every time.
class CHidrawChangeMonitor {
 public:
  CHidrawChangeMonitor();
  ~CHidrawChangeMonitor();
  CHidrawChangeMonitor(const CHidrawChangeMonitor&) = delete;
  CHidrawChangeMonitor& operator=(const CHidrawChangeMonitor&) = delete;

  // Reads every event waiting without blocking; the number grows when any arrived.
  uint64_t Generation();
  bool IsMonitoring() const { return monitor_ != nullptr; }

  // Calls `listener` after each batch of events. The first listener starts a thread that sleeps in
  // the kernel until an event or the end comes. False when there is no monitor.
  bool SetListener(std::function<void()> listener);

 private:
  void WatchThreadProc();

  std::mutex lock_;  // the libudev objects below may not be used by two threads at once
  UdevContext context_;
  UdevMonitor monitor_;
  uint64_t generation_ = 1;

  CHidChangeListener listener_;
  int wakeFd_ = -1;  // an eventfd that ends the watch
  std::thread watcher_;
};
