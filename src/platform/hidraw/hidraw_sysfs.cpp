// Reads a hidraw node's identity from sysfs with libudev, without a udev daemon and without
// opening the node. Where each piece comes from:
// - bus, vendor, product: the HID device's sysfs name "BBBB:VVVV:PPPP.NNNN" (the parent of the
//   hidraw node in subsystem "hid").
// - report descriptor: the HID device's binary attribute "report_descriptor", readable by anyone.
// - interface number: "bInterfaceNumber" of the parent usb_interface. A device with no USB parent
//   (a uhid virtual device) gets it from the "/inputN" suffix of HID_PHYS in the HID device's
//   uevent, and counts as composite exactly when that suffix is there.
// - composite: "bNumInterfaces" > 1 on the parent usb_device.
// - version: "bcdDevice" on the parent usb_device. Without one, the kernel shows the HID version
//   only on an input device that hid-input made for it (inputN/id/version); a vendor-only uhid
//   device has none, and reports 0.
#include "platform/hidraw/hidraw_sysfs.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/hidraw/udev_handles.h"

namespace {

// The kernel refuses descriptors past 4096 bytes; anything much bigger is not a descriptor.
constexpr size_t kMaxDescriptorFileBytes = 65536;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes->clear();
  uint8_t chunk[4096];
  bool ok = true;
  for (;;) {
    ssize_t count = read(fd, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      ok = count == 0;
      break;
    }
    bytes->insert(bytes->end(), chunk, chunk + count);
    if (bytes->size() > kMaxDescriptorFileBytes) {
      ok = false;
      break;
    }
  }
  close(fd);
  return ok;
}

std::optional<unsigned long> ParseNumber(const char* text, int base) {
  if (!text) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  unsigned long value = std::strtoul(text, &end, base);
  if (end == text || errno != 0) return std::nullopt;
  return value;
}

std::optional<unsigned long> SysattrNumber(udev_device* device, const char* name, int base) {
  return ParseNumber(udev_device_get_sysattr_value(device, name), base);
}

uint16_t VersionFromInputChild(const std::string& hidSyspath) {
  const std::string inputFolder = hidSyspath + "/input";
  DIR* folder = opendir(inputFolder.c_str());
  if (!folder) return 0;
  uint16_t version = 0;
  while (dirent* entry = readdir(folder)) {
    if (std::strncmp(entry->d_name, "input", 5) != 0) continue;
    std::vector<uint8_t> text;
    if (!ReadWholeFile(inputFolder + "/" + entry->d_name + "/id/version", &text)) continue;
    text.push_back(0);
    if (auto value = ParseNumber(reinterpret_cast<const char*>(text.data()), 16); value && *value <= 0xFFFF) {
      version = static_cast<uint16_t>(*value);
      break;
    }
  }
  closedir(folder);
  return version;
}

udev_device* HidParentOf(udev_device* hidraw) {
  return udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
}

}  // namespace

std::optional<HidrawNodeInfo> ReadHidrawNode(udev_device* hidraw, std::string* reason) {
  const char* node = udev_device_get_sysname(hidraw);
  udev_device* hid = HidParentOf(hidraw);
  const char* instance = hid ? udev_device_get_sysname(hid) : nullptr;
  const char* hidSyspath = hid ? udev_device_get_syspath(hid) : nullptr;
  if (!node || !instance || !hidSyspath) {
    if (reason) *reason = "no HID device above the node";
    return std::nullopt;
  }
  HidrawNodeInfo info;
  HidrawNodeAttributes& attributes = info.attributes;
  attributes.node = node;
  attributes.instance = instance;
  std::optional<HidInstanceId> id = ParseHidInstanceName(attributes.instance);
  if (!id) {
    if (reason) *reason = "unexpected HID device name " + attributes.instance;
    return std::nullopt;
  }
  attributes.busType = id->busType;
  attributes.vendorId = id->vendorId;
  attributes.productId = id->productId;
  if (!ReadWholeFile(std::string(hidSyspath) + "/report_descriptor", &info.reportDescriptor)) {
    if (reason) *reason = "report descriptor unreadable";
    return std::nullopt;
  }

  udev_device* usbInterface = udev_device_get_parent_with_subsystem_devtype(hid, "usb", "usb_interface");
  udev_device* usbDevice = udev_device_get_parent_with_subsystem_devtype(hid, "usb", "usb_device");
  if (usbInterface) {
    auto number = SysattrNumber(usbInterface, "bInterfaceNumber", 16);
    attributes.interfaceNumber = number && *number <= 0xFF ? static_cast<int>(*number) : -1;
  } else {
    const char* phys = udev_device_get_property_value(hid, "HID_PHYS");
    attributes.interfaceNumber = phys ? InterfaceNumberFromPhys(phys) : -1;
    attributes.composite = attributes.interfaceNumber >= 0;
  }
  if (usbDevice) {
    auto interfaces = SysattrNumber(usbDevice, "bNumInterfaces", 10);
    attributes.composite = interfaces && *interfaces > 1;
    auto release = SysattrNumber(usbDevice, "bcdDevice", 16);
    attributes.versionNumber = release && *release <= 0xFFFF ? static_cast<uint16_t>(*release) : 0;
  } else {
    attributes.versionNumber = VersionFromInputChild(hidSyspath);
  }

  const char* devnode = udev_device_get_devnode(hidraw);
  info.devnode = devnode ? devnode : "/dev/" + attributes.node;
  return info;
}

std::string CurrentHidInstanceOfNode(udev* context, const std::string& node) {
  UdevDevice hidraw(udev_device_new_from_subsystem_sysname(context, "hidraw", node.c_str()));
  if (!hidraw) return {};
  udev_device* hid = HidParentOf(hidraw.get());
  const char* instance = hid ? udev_device_get_sysname(hid) : nullptr;
  return instance ? instance : std::string();
}
