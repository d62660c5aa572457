#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hid/report_descriptor.h"

// Turns what sysfs tells about one hidraw node into the interface paths the device table matches
// against, one per top-level collection, tagged exactly as Windows tags them. Pure functions:
// nothing here touches the machine.

inline constexpr uint16_t kHidBusUsb = 0x0003;
inline constexpr uint16_t kHidBusBluetooth = 0x0005;

struct HidrawNodeAttributes {
  std::string node;      // "hidraw5"
  std::string instance;  // the HID device's sysfs name, "0003:320F:22A4.0007"
  uint16_t busType = 0;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
  int interfaceNumber = -1;  // -1 when the node's interface is unknown
  bool composite = false;    // the USB device has more than one interface
};

struct HidInstanceId {
  uint16_t busType = 0;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
};

// Reads "BBBB:VVVV:PPPP.NNNN", the name the kernel gives every HID device.
std::optional<HidInstanceId> ParseHidInstanceName(std::string_view name);

// The interface number at the end of a HID device's physical path ("usb-0000:00:14.0-1/input1"
// gives 1); -1 when the path does not end in "/inputN".
int InterfaceNumberFromPhys(std::string_view phys);

// The N of "hidrawN", or -1 for any other name (which also keeps a crafted path from naming a
// file outside /dev).
int HidrawNodeNumber(std::string_view node);

std::vector<std::string> BuildHidrawInterfacePaths(const HidrawNodeAttributes& attributes,
                                                   const HidDescriptorSummary& summary);
