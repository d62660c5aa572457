#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Interface paths in the form the device table matches against: one path per top-level
// collection, carrying the tags "vid_", "pid_", "&mi_" and "&col" exactly where a Windows HID
// interface path carries them, e.g.
//   \\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0007#hidraw5
// The part after the first '#' that follows the tags names the backend's device instance, the
// last part its node; both are opaque above the backend.
struct HidInterfacePathParts {
  bool usb = true;            // a device on another bus gets no "vid_"/"pid_" tags, so no row matches it
  uint16_t busType = 0x0003;  // used in the tag block of a device that is not on USB
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  int interfaceNumber = -1;   // "&mi_XX" only for a composite USB device; -1 leaves it out
  int collectionNumber = 0;   // "&colXX" (1-based) only when the descriptor has several collections
  std::string instance;
  std::string node;
};

std::string BuildHidInterfacePath(const HidInterfacePathParts& parts);

// Takes a path built by BuildHidInterfacePath apart again; nullopt for anything else.
std::optional<HidInterfacePathParts> ParseHidInterfacePath(const std::string& path);
