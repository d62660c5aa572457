#pragma once
#include <cstdint>
#include <vector>

// Whatever a virtual device is plugged into: the simulated backend, or the kernel through uhid.
// The device reaches the machine only through its current plug, so its events and input reports
// go wherever it is plugged in.
class ISimDevicePlug {
 public:
  virtual ~ISimDevicePlug() = default;

  virtual bool IsPresent() const = 0;
  // Final for this plug: the device's interfaces disappear and its open connections fail.
  virtual void Unplug() = 0;
  // An event report (report id, then the code little-endian) on every event collection.
  virtual void DeliverEvent(uint16_t code) = 0;
  // An input report, report id first, on the USB interface with this number; the report id picks
  // the collection, as it does for a real device.
  virtual void DeliverInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) = 0;
};
