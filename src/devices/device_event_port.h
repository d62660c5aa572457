#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "devices/device_worker.h"
#include "platform/clock.h"
#include "transport/hid_device.h"

// A device's consumer-control event interface (on the cable or through the receiver) and the
// listener thread that waits for its reports. The handler runs on the listener thread with the raw
// report (report id first); it must hand anything that touches controls to the user-interface
// thread.
class CDeviceEventPort {
 public:
  using ReportHandler = std::function<void(const uint8_t* report, uint32_t length)>;

  // A listener whose read failed waits by `clock` before it reads again.
  explicit CDeviceEventPort(IHidBackend& backend, IClock& clock = SystemClock()) : port_(backend), clock_(clock) {}
  ~CDeviceEventPort() { Detach(); }
  CDeviceEventPort(const CDeviceEventPort&) = delete;
  CDeviceEventPort& operator=(const CDeviceEventPort&) = delete;

  // Detaches first, then opens the path and starts the listener. False when the path did not open
  // (no listener runs then).
  // `exitTrace` is the debug line the listener writes when it ends.
  bool Attach(const std::string& path, ReportHandler handler, std::string exitTrace);
  // Stops the listener (aborting a read in progress) and closes the port.
  void Detach();
  bool IsOpen() const { return open_.load(); }
  bool IsListening() const { return listener_.IsRunning(); }
  CHidDevice& Port() { return port_; }

 private:
  void Listen(CEvent& stop, const ReportHandler& handler, const std::string& exitTrace);

  CHidDevice port_;
  IClock& clock_;
  std::mutex lock_;  // taken around opening and closing; the listener reads without it
  std::atomic<bool> open_{false};
  CDeviceWorker listener_;
};
