#pragma once
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/hidraw/udev_handles.h"

enum class UhidError {
  None,
  Missing,         // no /dev/uhid: the uhid module is not loaded
  AccessDenied,    // /dev/uhid exists but this user may not open it
  Failed,          // the kernel refused the device, or the bridge could not start
  BadDescription,  // the virtual device's layout cannot be made into a report descriptor
  NoNode,          // the kernel made no hidraw node for the device in time
  AlreadyPlugged,  // the virtual device is plugged in somewhere already
};

// One line a user can act on, naming the uhid device file.
std::string DescribeUhidError(UhidError error, const std::string& uhidPath);

// The hidraw node the kernel made for one uhid device.
struct UhidNode {
  std::string node;      // "hidraw3"
  std::string instance;  // the HID device's sysfs name, "0003:320F:22A4.0004"
};

// Where uhid devices are made: the kernel's /dev/uhid, or in tests a socket that plays the kernel.
class IUhidSystem {
 public:
  virtual ~IUhidSystem() = default;
  // A non-blocking descriptor that makes one device; -1 with the reason.
  virtual int OpenDevice(UhidError* error) = 0;
  // Waits until the kernel has made the hidraw node of the device created with this uniq and phys
  // string; false when none appeared in time.
  virtual bool WaitForNode(const std::string& uniq, const std::string& phys, uint32_t timeoutMs, UhidNode* node) = 0;
};

// The real thing. A uevent monitor made up front sees every hidraw node arrive, so a wait never
// misses the node of a device created after the monitor.
class CKernelUhidSystem final : public IUhidSystem {
 public:
  static constexpr const char* kDefaultPath = "/dev/uhid";

  explicit CKernelUhidSystem(std::string path = kDefaultPath);

  const std::string& Path() const { return path_; }
  int OpenDevice(UhidError* error) override;
  bool WaitForNode(const std::string& uniq, const std::string& phys, uint32_t timeoutMs, UhidNode* node) override;

 private:
  bool FindNode(const std::string& uniq, const std::string& phys, UhidNode* node);

  const std::string path_;
  std::mutex lock_;  // the libudev objects below serve one wait at a time
  UdevContext context_;
  UdevMonitor monitor_;
};
