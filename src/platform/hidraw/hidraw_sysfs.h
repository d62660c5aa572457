#pragma once
#include <libudev.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/hidraw/hidraw_node_paths.h"

// Everything the backend needs to know about one hidraw node, read from sysfs alone, so it works
// without a udev daemon and without permission to open the node.
struct HidrawNodeInfo {
  HidrawNodeAttributes attributes;
  std::vector<uint8_t> reportDescriptor;
  std::string devnode;  // "/dev/hidraw5"
};

// Reads the node's HID parent, USB interface and device. Nullopt (with a reason) when the node
// has no HID parent or its report descriptor cannot be read.
std::optional<HidrawNodeInfo> ReadHidrawNode(udev_device* hidraw, std::string* reason);

// The sysfs name of the HID device that owns "hidrawN" right now, or empty when the node is gone.
// Node numbers are reused, so this is how a path is checked against the node it names.
std::string CurrentHidInstanceOfNode(udev* context, const std::string& node);
