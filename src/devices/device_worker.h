#pragma once

#include <functional>
#include <thread>

#include "platform/event.h"

// One of a device's background threads (an event listener or the light thread) with its
// manual-reset stop event. The thread body polls the event; Stop sets it, runs `release` so a body
// blocked in a device read wakes at once (the caller aborts the read, for example by closing the
// port), and joins. A thread is never ended by force.
class CDeviceWorker {
 public:
  CDeviceWorker() = default;
  ~CDeviceWorker() { Stop(); }
  CDeviceWorker(const CDeviceWorker&) = delete;
  CDeviceWorker& operator=(const CDeviceWorker&) = delete;

  // Stops a running thread first.
  void Start(std::function<void(CEvent& stop)> body);
  void Stop(const std::function<void()>& release = {});
  bool IsRunning() const { return thread_.joinable(); }

 private:
  CEvent stop_{true};
  std::thread thread_;
};
