#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/uhid/uhid_plug.h"
#include "sim/uhid/uhid_system.h"
#include "sim/uhid/wake_event_fd.h"
#include "sim/virtual_device.h"

// What the kernel made of one USB interface of a plugged device.
struct UhidInterfaceInfo {
  uint8_t interfaceNumber = 0;
  std::string phys;
  UhidNode node;
};

// Exposes virtual devices to the kernel's HID stack: one uhid device per USB interface, with a
// report descriptor built from the device's layout, so hid-generic binds to it, hidraw makes its
// nodes and the machine sees it as it would see the real device. The same emulated firmware
// answers as behind the simulated backend: output reports the kernel passes on (written to
// hidraw or sent with HIDIOCSOUTPUT, which reach uhid alike) go to the firmware, and its replies,
// events and other input reports go back as UHID_INPUT2.
//
// One worker thread waits in poll() on every uhid descriptor, a wake-up eventfd and the time the
// next delayed reply is due; it is stopped and joined by the destructor, which also unplugs every
// device still plugged in.
class CUhidBridge {
 public:
  // How long Plug waits for the kernel to make each hidraw node.
  static constexpr uint32_t kNodeTimeoutMs = 10000;

  explicit CUhidBridge(IUhidSystem& system);
  ~CUhidBridge();
  CUhidBridge(const CUhidBridge&) = delete;
  CUhidBridge& operator=(const CUhidBridge&) = delete;

  // Creates the device's uhid devices one interface after the other, each once the previous one
  // has its hidraw node, so their nodes are numbered in interface order. On failure nothing of
  // the device stays behind; `detail` (optional) gets the reason of a BadDescription.
  UhidError Plug(const std::shared_ptr<CVirtualDevice>& device, std::string* detail = nullptr);
  void Unplug(CVirtualDevice& device) { device.Unplug(); }
  // One entry per USB interface in description order; empty when the device is not plugged here.
  std::vector<UhidInterfaceInfo> InterfacesOf(const CVirtualDevice& device) const;

 private:
  struct PendingReport {
    std::chrono::steady_clock::time_point dueAt;
    std::shared_ptr<CUhidPlug> plug;
    size_t interfaceIndex = 0;
    std::vector<uint8_t> report;
  };

  void Run();
  void HandleEvents(const std::shared_ptr<CUhidPlug>& plug, size_t interfaceIndex);
  void Schedule(const std::shared_ptr<CUhidPlug>& plug, size_t interfaceIndex, UhidScheduledReport report);
  int MillisecondsToNextDue() const;
  void SendDueReports();

  IUhidSystem& system_;
  const std::shared_ptr<CWakeEventFd> wake_;
  std::atomic<bool> stop_{false};

  mutable std::mutex mutex_;  // guards plugs_
  std::vector<std::shared_ptr<CUhidPlug>> plugs_;

  std::vector<PendingReport> pending_;  // the worker's alone, ordered by dueAt
  std::thread worker_;
};
