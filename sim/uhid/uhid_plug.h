#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_device_plug.h"
#include "sim/uhid/uhid_system.h"
#include "sim/uhid/wake_event_fd.h"
#include "sim/virtual_device.h"

// One uhid device: one USB interface of a plugged virtual device.
struct UhidInterface {
  uint8_t number = 0;
  int fd = -1;           // owned by the plug
  bool numbered = true;  // the descriptor uses report ids
  std::vector<SimCollectionAddress> collections;
  std::string phys;
  UhidNode node;
};

// An input report to send later: the firmware's reply after its latency.
struct UhidScheduledReport {
  std::vector<uint8_t> report;
  uint32_t delayMs = 0;
};

// One plugging-in of a virtual device through uhid. Its interfaces are fixed before the bridge
// publishes it; from then on the bridge's worker reads their events, while events and input
// reports of the device may be written from any thread. The descriptors close only when the last
// reference goes, so nobody ever writes to a descriptor number that has been reused.
class CUhidPlug final : public ISimDevicePlug {
 public:
  CUhidPlug(std::shared_ptr<CVirtualDevice> device, std::string uniq, std::shared_ptr<CWakeEventFd> wake);
  ~CUhidPlug() override;
  CUhidPlug(const CUhidPlug&) = delete;
  CUhidPlug& operator=(const CUhidPlug&) = delete;

  CVirtualDevice& Device() const { return *device_; }
  const std::shared_ptr<CVirtualDevice>& DevicePointer() const { return device_; }
  const std::string& Uniq() const { return uniq_; }
  const std::vector<UhidInterface>& Interfaces() const { return interfaces_; }
  // Before publishing only.
  UhidInterface& AddInterface(UhidInterface interface);

  bool IsPresent() const override { return present_; }
  // Destroys every uhid device of the plug: the kernel removes their nodes before this returns.
  void Unplug() override;
  void DeliverEvent(uint16_t code) override;
  void DeliverInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) override;

  // Worker side. An output report the kernel passed on (`report` starts with the report id, 0
  // without ids); the firmware's reply to send after its latency, if any.
  std::optional<UhidScheduledReport> ReceiveOutput(size_t interfaceIndex, const uint8_t* report, size_t size,
                                                   SimReportPath path);
  // Sends one input report, report id first (0 without ids), on the interface.
  bool SendInput(size_t interfaceIndex, const std::vector<uint8_t>& report);

 private:
  const SimCollectionAddress* CollectionForOutput(const UhidInterface& interface, uint8_t reportId) const;

  const std::shared_ptr<CVirtualDevice> device_;
  const std::string uniq_;
  const std::shared_ptr<CWakeEventFd> wake_;
  std::vector<UhidInterface> interfaces_;
  std::atomic<bool> present_{true};
};
