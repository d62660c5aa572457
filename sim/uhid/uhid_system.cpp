// Where the node's identity comes from: the hidraw node's parent in subsystem "hid" carries the
// uniq and phys strings the device was created with as HID_UNIQ and HID_PHYS in its uevent, which
// libudev reads from sysfs without a udev daemon.
#include "sim/uhid/uhid_system.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/clock.h"

std::string DescribeUhidError(UhidError error, const std::string& uhidPath) {
  switch (error) {
    case UhidError::None:
      return {};
    case UhidError::Missing:
      return uhidPath + " does not exist: load the uhid kernel module (sudo modprobe uhid)";
    case UhidError::AccessDenied:
      return "no permission to open " + uhidPath + ": run as root (for example with sudo)";
    case UhidError::Failed:
      return "the kernel refused to create a device through " + uhidPath;
    case UhidError::BadDescription:
      return "the virtual device's HID layout cannot be described to the kernel";
    case UhidError::NoNode:
      return "the kernel made no hidraw node for the device (are the hid-generic and hidraw drivers there?)";
    case UhidError::AlreadyPlugged:
      return "the virtual device is plugged in already";
  }
  return "unknown error";
}

CKernelUhidSystem::CKernelUhidSystem(std::string path) : path_(std::move(path)), context_(udev_new()) {
  if (!context_) return;
  UdevMonitor monitor(udev_monitor_new_from_netlink(context_.get(), "kernel"));
  if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor.get()) < 0) {
    return;
  }
  monitor_ = std::move(monitor);
}

int CKernelUhidSystem::OpenDevice(UhidError* error) {
  int fd = open(path_.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) {
    if (error) *error = UhidError::None;
    return fd;
  }
  if (error) {
    *error = errno == ENOENT || errno == ENODEV || errno == ENXIO ? UhidError::Missing
             : errno == EACCES || errno == EPERM                  ? UhidError::AccessDenied
                                                                  : UhidError::Failed;
  }
  return -1;
}

bool CKernelUhidSystem::FindNode(const std::string& uniq, const std::string& phys, UhidNode* node) {
  UdevEnumerate enumerate(udev_enumerate_new(context_.get()));
  if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw") < 0 ||
      udev_enumerate_scan_devices(enumerate.get()) < 0) {
    return false;
  }
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
    UdevDevice hidraw(udev_device_new_from_syspath(context_.get(), udev_list_entry_get_name(entry)));
    udev_device* hid = hidraw ? udev_device_get_parent_with_subsystem_devtype(hidraw.get(), "hid", nullptr) : nullptr;
    if (!hid) continue;
    const char* hidUniq = udev_device_get_property_value(hid, "HID_UNIQ");
    const char* hidPhys = udev_device_get_property_value(hid, "HID_PHYS");
    if (!hidUniq || !hidPhys || uniq != hidUniq || phys != hidPhys) continue;
    const char* name = udev_device_get_sysname(hidraw.get());
    const char* instance = udev_device_get_sysname(hid);
    const char* devnode = udev_device_get_devnode(hidraw.get());
    // sysfs shows the node a moment before devtmpfs has made its file; the uevent that follows the
    // file wakes the wait again.
    if (!name || !instance || !devnode || access(devnode, F_OK) != 0) continue;
    node->node = name;
    node->instance = instance;
    return true;
  }
  return false;
}

bool CKernelUhidSystem::WaitForNode(const std::string& uniq, const std::string& phys, uint32_t timeoutMs,
                                    UhidNode* node) {
  std::lock_guard guard(lock_);
  if (!context_ || !monitor_) return false;
  const uint64_t deadline = GetTickCountMs() + timeoutMs;
  const int monitorFd = udev_monitor_get_fd(monitor_.get());
  for (;;) {
    // Whatever arrived so far is only a hint to look again.
    while (UdevDevice(udev_monitor_receive_device(monitor_.get()))) {
    }
    if (FindNode(uniq, phys, node)) return true;
    const uint64_t now = GetTickCountMs();
    if (now >= deadline) return false;
    pollfd watched{monitorFd, POLLIN, 0};
    if (poll(&watched, 1, static_cast<int>(std::min<uint64_t>(deadline - now, INT_MAX))) < 0 && errno != EINTR) {
      return false;
    }
  }
}
