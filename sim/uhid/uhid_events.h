#pragma once
#include <linux/uhid.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/virtual_device_description.h"

// The uhid events the bridge writes, and the identity each uhid device is created with.

// What one uhid device is created with: one USB interface of a virtual device.
struct UhidDeviceIdentity {
  std::string name;
  // "usb-t640-uhid-P/inputN": the hidraw backend reads the interface number from the "/inputN"
  // end, since a uhid device has no USB interface above it in sysfs. A single-function device
  // gets no "/inputN", so it is not taken for an interface of a composite device.
  std::string phys;
  // Distinct for every plug, so the bridge can tell its own HID devices in sysfs.
  std::string uniq;
  uint16_t bus = 0;
  uint32_t vendor = 0;
  uint32_t product = 0;
  uint32_t version = 0;
};

UhidDeviceIdentity MakeUhidDeviceIdentity(const SimDeviceDescription& description, const SimInterface& interface,
                                          uint64_t plugNumber);

// False when the descriptor does not fit the event.
bool MakeUhidCreateEvent(const UhidDeviceIdentity& identity, const std::vector<uint8_t>& descriptor, uhid_event* event);
// The report goes to the kernel exactly as given: report id first only when the descriptor has ids.
bool MakeUhidInputEvent(const uint8_t* report, size_t size, uhid_event* event);
uhid_event MakeUhidDestroyEvent();
uhid_event MakeUhidGetReportReply(uint32_t requestId, uint16_t error);
uhid_event MakeUhidSetReportReply(uint32_t requestId, uint16_t error);

// Writes one whole event; false when the kernel refused it.
bool WriteUhidEvent(int fd, const uhid_event& event);
