#pragma once
#include <cstdint>

#include "sim/virtual_device_description.h"

// The HID layouts of the supported devices as they enumerate on a real machine: the vendor command
// collection and the consumer-control event collection sit among the device's ordinary
// collections at the interface and collection numbers the supported-device table expects.

inline constexpr uint16_t kSimMouseVendorId = 0x320F;
inline constexpr uint16_t kSimMouseCableProductId = 0x22A4;
inline constexpr uint16_t kSimMouseReceiverProductId = 0x226F;
inline constexpr uint16_t kSimMousePadProductId = 0x1004;
inline constexpr uint16_t kSimHeadsetVendorId = 0x0C76;
inline constexpr uint16_t kSimHeadsetProductId = 0x1630;

inline constexpr uint16_t kSimVendorUsagePage = 0xFF1C;
inline constexpr uint16_t kSimVendorUsage = 0x92;
inline constexpr uint16_t kSimConsumerUsagePage = 0x0C;
inline constexpr uint16_t kSimConsumerUsage = 0x01;
inline constexpr uint16_t kSimGenericDesktopPage = 0x01;
inline constexpr uint16_t kSimMouseUsage = 0x02;
inline constexpr uint8_t kSimMacroPointerReportId = 6;

// Interface 0: pointer, keyboard, consumer control (events); interface 1: system control, the
// vendor command collection and the pointer through which the firmware plays macros and recoil
// patterns (so pointer reports can crowd the node the command replies arrive on).
SimDeviceDescription SimMouseCableLayout(uint16_t firmwareVersion);
// The receiver enumerates with the same two interfaces as the mouse on its cable.
SimDeviceDescription SimMouseReceiverLayout(uint16_t version);
// Interface 0 ends with the consumer event collection (3), interface 1 with the command
// collection (4).
SimDeviceDescription SimMousePadLayout(uint16_t version);
// A single consumer-control collection on interface 3 that carries the command frames, the
// 3-byte consumer input reports and the 17-byte lighting output reports.
SimDeviceDescription SimHeadsetLayout(uint16_t version);
