// Smoke test of the kernel test VM: proves that a virtual HID device made through uhid shows up as a hidraw
// node with the sysfs attributes and ioctls a hidraw backend reads, and that a 64-byte report makes the full
// round trip hidraw write -> UHID_OUTPUT -> UHID_INPUT2 -> hidraw read. Prints one PASS or FAIL line per check.
//
//   uhid_smoke                     the round trip; needs /dev/uhid, so runs as root
//   uhid_smoke --expect-no-access  runs as the unprivileged user and checks /dev/uhid is closed to it
#include <linux/hidraw.h>
#include <linux/input.h>
#include <linux/uhid.h>

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kVendorId = 0x320F;
constexpr uint32_t kProductId = 0x22A4;
constexpr const char* kDeviceName = "T640 uhid smoke device";
constexpr const char* kPhys = "usb-0000:00:14.0-1/input1";
// The kernel names a HID device "BUS:VENDOR:PRODUCT.INSTANCE" with four hex digits each, while its uevent
// HID_ID uses eight for vendor and product; a backend matching either must use the right width.
constexpr const char* kHidDevicePrefix = "0003:320F:22A4.";
constexpr const char* kUeventHidId = "HID_ID=0003:0000320F:000022A4";
constexpr uint8_t kVendorReportId = 4;
constexpr size_t kReportSize = 64;  // report id included, as the hidraw write and read see it
constexpr int kEventTimeoutMs = 2000;
constexpr int kNodeTimeoutMs = 5000;
constexpr uid_t kPlayerUid = 1000;

// Two top-level collections, like a gaming mouse's interface: a keyboard (report 1) for its macro keys,
// and a vendor page with 63-byte input and output reports (64 with the report id) for commands.
constexpr auto kReportDescriptor = std::to_array<uint8_t>({
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifier bits
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x00,  //   Usage Maximum (255)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x06,        //   Report Count (6)
    0x81, 0x00,        //   Input (Data, Array): key codes
    0xC0,              // End Collection
    0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (0x01)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x02,        //   Usage (0x02)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
});

int g_failures = 0;

bool Check(bool ok, const std::string& what, const std::string& detail = {}) {
  if (ok) {
    std::printf("PASS: %s\n", what.c_str());
  } else {
    ++g_failures;
    std::printf("FAIL: %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
  return ok;
}

std::string ErrnoText() {
  return std::strerror(errno);
}

class CFileDescriptor {
 public:
  explicit CFileDescriptor(int fd = -1) : m_fd(fd) {}
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;
  ~CFileDescriptor() { Close(); }

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  void Close() {
    if (m_fd >= 0) {
      close(m_fd);
      m_fd = -1;
    }
  }

 private:
  int m_fd;
};

// Waits until fd is readable; false on time-out or error.
bool WaitReadable(int fd, int timeoutMs) {
  pollfd entry{fd, POLLIN, 0};
  int ready;
  do {
    ready = poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (entry.revents & POLLIN);
}

std::optional<std::string> ReadTextFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The HID device a hidraw node belongs to, by the name of its "device" link in sysfs.
std::string HidDeviceNameOf(const std::string& node) {
  std::error_code error;
  fs::path target = fs::read_symlink(fs::path("/sys/class/hidraw") / node / "device", error);
  return error ? std::string() : target.filename().string();
}

// Our hidraw node, once both its sysfs entry and its /dev node exist (devtmpfs adds the node a moment
// after the sysfs class link).
std::optional<std::string> FindOurHidrawNode() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/sys/class/hidraw", error)) {
    std::string node = entry.path().filename().string();
    if (HidDeviceNameOf(node).starts_with(kHidDevicePrefix) && fs::exists(fs::path("/dev") / node, error)) {
      return node;
    }
  }
  return std::nullopt;
}

// Waits on inotify events in /dev for the node to come or go. uhid adds the HID device from a kernel worker,
// so the node appears some time after UHID_CREATE2 returns. The short poll slice also rescans in case an
// event was missed; the whole wait is bounded.
bool WaitForNode(int inotifyFd, bool present) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kNodeTimeoutMs);
  while (FindOurHidrawNode().has_value() != present) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    if (WaitReadable(inotifyFd, 100)) {
      std::array<char, 4096> drain;
      (void)!read(inotifyFd, drain.data(), drain.size());
    }
  }
  return true;
}

bool WriteEvent(int uhidFd, const uhid_event& event) {
  ssize_t written = write(uhidFd, &event, sizeof(event));
  return written == static_cast<ssize_t>(sizeof(event));
}

bool CreateDevice(int uhidFd) {
  uhid_event event{};
  event.type = UHID_CREATE2;
  auto& create = event.u.create2;
  std::snprintf(reinterpret_cast<char*>(create.name), sizeof(create.name), "%s", kDeviceName);
  std::snprintf(reinterpret_cast<char*>(create.phys), sizeof(create.phys), "%s", kPhys);
  create.rd_size = kReportDescriptor.size();
  create.bus = BUS_USB;
  create.vendor = kVendorId;
  create.product = kProductId;
  std::memcpy(create.rd_data, kReportDescriptor.data(), kReportDescriptor.size());
  return Check(WriteEvent(uhidFd, event), "UHID_CREATE2 accepted", ErrnoText());
}

void CheckSysfs(const std::string& node) {
  std::string hidDevice = HidDeviceNameOf(node);
  Check(hidDevice.size() == std::strlen(kHidDevicePrefix) + 4, "sysfs: " + node + "/device links to " + hidDevice);

  fs::path device = fs::path("/sys/class/hidraw") / node / "device";
  std::error_code error;
  std::string driver = fs::read_symlink(device / "driver", error).filename().string();
  Check(driver == "hid-generic", "sysfs: bound to hid-generic", driver);

  auto descriptor = ReadTextFile(device / "report_descriptor");
  bool sameDescriptor = descriptor && descriptor->size() == kReportDescriptor.size() &&
                        std::memcmp(descriptor->data(), kReportDescriptor.data(), kReportDescriptor.size()) == 0;
  Check(sameDescriptor, "sysfs: report_descriptor holds the created descriptor",
        descriptor ? std::to_string(descriptor->size()) + " bytes" : "unreadable");

  std::string uevent = ReadTextFile(device / "uevent").value_or("");
  auto hasLine = [&uevent](const std::string& line) { return uevent.find(line + "\n") != std::string::npos; };
  Check(hasLine(kUeventHidId), "sysfs: uevent has " + std::string(kUeventHidId));
  Check(hasLine("HID_PHYS=" + std::string(kPhys)), "sysfs: uevent has HID_PHYS=" + std::string(kPhys));
  Check(hasLine("HID_NAME=" + std::string(kDeviceName)), "sysfs: uevent has HID_NAME");
}

void CheckHidrawIoctls(int hidrawFd) {
  hidraw_devinfo info{};
  bool gotInfo = ioctl(hidrawFd, HIDIOCGRAWINFO, &info) == 0;
  Check(gotInfo && info.bustype == BUS_USB && static_cast<uint16_t>(info.vendor) == kVendorId &&
            static_cast<uint16_t>(info.product) == kProductId,
        "HIDIOCGRAWINFO: USB 320F:22A4");

  std::array<char, 256> phys{};
  int physLength = ioctl(hidrawFd, HIDIOCGRAWPHYS(phys.size()), phys.data());
  Check(physLength > 0 && std::string(phys.data()) == kPhys, "HIDIOCGRAWPHYS: " + std::string(kPhys), phys.data());

  int descriptorSize = 0;
  hidraw_report_descriptor descriptor{};
  bool gotDescriptor = ioctl(hidrawFd, HIDIOCGRDESCSIZE, &descriptorSize) == 0 &&
                       descriptorSize == static_cast<int>(kReportDescriptor.size());
  descriptor.size = static_cast<uint32_t>(descriptorSize);
  gotDescriptor = gotDescriptor && ioctl(hidrawFd, HIDIOCGRDESC, &descriptor) == 0 &&
                  std::memcmp(descriptor.value, kReportDescriptor.data(), kReportDescriptor.size()) == 0;
  Check(gotDescriptor, "HIDIOCGRDESCSIZE/HIDIOCGRDESC: the created descriptor");
}

// libudev reads sysfs directly, so enumeration and properties work in the VM although no udev daemon runs.
void CheckLibudev(const std::string& node) {
  udev* context = udev_new();
  if (!Check(context != nullptr, "libudev: context")) {
    return;
  }
  udev_enumerate* enumerate = udev_enumerate_new(context);
  udev_enumerate_add_match_subsystem(enumerate, "hidraw");
  udev_enumerate_scan_devices(enumerate);
  bool listed = false;
  udev_list_entry* entry;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
    listed = listed || fs::path(udev_list_entry_get_name(entry)).filename() == node;
  }
  udev_enumerate_unref(enumerate);
  Check(listed, "libudev: enumerating hidraw lists " + node);

  udev_device* hidraw = udev_device_new_from_subsystem_sysname(context, "hidraw", node.c_str());
  const char* devnode = hidraw ? udev_device_get_devnode(hidraw) : nullptr;
  Check(devnode && "/dev/" + node == devnode, "libudev: devnode /dev/" + node, devnode ? devnode : "none");
  udev_device* hid = hidraw ? udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr) : nullptr;
  const char* hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
  Check(hidId && std::string("HID_ID=") + hidId == kUeventHidId, "libudev: parent hid device has HID_ID",
        hidId ? hidId : "none");
  if (hidraw) {
    udev_device_unref(hidraw);  // also releases the parent, which it owns
  }
  udev_unref(context);
}

// Reads uhid events until UHID_OUTPUT; START and OPEN come first and are not part of the exchange.
std::optional<uhid_output_req> ReadOutputEvent(int uhidFd) {
  for (int events = 0; events < 16; ++events) {
    if (!WaitReadable(uhidFd, kEventTimeoutMs)) {
      return std::nullopt;
    }
    uhid_event event{};
    if (read(uhidFd, &event, sizeof(event)) <= 0) {
      return std::nullopt;
    }
    if (event.type == UHID_OUTPUT) {
      return event.u.output;
    }
  }
  return std::nullopt;
}

void CheckRoundTrip(int uhidFd, int hidrawFd) {
  std::array<uint8_t, kReportSize> request{};
  request[0] = kVendorReportId;
  for (size_t i = 1; i < request.size(); ++i) {
    request[i] = static_cast<uint8_t>(i * 7 + 3);
  }
  ssize_t written = write(hidrawFd, request.data(), request.size());
  if (!Check(written == static_cast<ssize_t>(request.size()), "hidraw: 64-byte write with report id 4",
             written < 0 ? ErrnoText() : std::to_string(written) + " bytes")) {
    return;
  }

  auto output = ReadOutputEvent(uhidFd);
  bool sameOutput = output && output->size == request.size() && output->rtype == UHID_OUTPUT_REPORT &&
                    std::memcmp(output->data, request.data(), request.size()) == 0;
  if (!Check(sameOutput, "uhid: UHID_OUTPUT carries the written report",
             output ? "size " + std::to_string(output->size) : "no UHID_OUTPUT event")) {
    return;
  }

  uhid_event reply{};
  reply.type = UHID_INPUT2;
  reply.u.input2.size = static_cast<uint16_t>(request.size());
  std::memcpy(reply.u.input2.data, request.data(), request.size());
  if (!Check(WriteEvent(uhidFd, reply), "uhid: UHID_INPUT2 accepted", ErrnoText())) {
    return;
  }

  std::array<uint8_t, kReportSize * 2> received{};
  ssize_t length = WaitReadable(hidrawFd, kEventTimeoutMs) ? read(hidrawFd, received.data(), received.size()) : -1;
  bool echoed = length == static_cast<ssize_t>(request.size()) &&
                std::memcmp(received.data(), request.data(), request.size()) == 0;
  Check(echoed, "hidraw: read returns the echoed 64-byte input report",
        length < 0 ? "nothing to read" : std::to_string(length) + " bytes");
}

int RunRoundTrip() {
  CFileDescriptor uhid(open("/dev/uhid", O_RDWR | O_CLOEXEC));
  if (!Check(uhid.IsOpen(), "open /dev/uhid", ErrnoText())) {
    return 1;
  }
  // Watch before creating, so the node's arrival cannot slip between a scan and the watch.
  CFileDescriptor inotify(inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
  if (!Check(inotify.IsOpen() && inotify_add_watch(inotify.Get(), "/dev", IN_CREATE | IN_DELETE) >= 0,
             "inotify watch on /dev", ErrnoText())) {
    return 1;
  }
  if (!CreateDevice(uhid.Get())) {
    return 1;
  }
  if (!Check(WaitForNode(inotify.Get(), true), "hidraw node appears")) {
    return 1;
  }
  std::string node = FindOurHidrawNode().value_or("");
  std::printf("info: device is /dev/%s (%s)\n", node.c_str(), HidDeviceNameOf(node).c_str());

  CheckSysfs(node);
  CheckLibudev(node);
  {
    CFileDescriptor hidraw(open(("/dev/" + node).c_str(), O_RDWR | O_CLOEXEC));
    if (Check(hidraw.IsOpen(), "open /dev/" + node, ErrnoText())) {
      CheckHidrawIoctls(hidraw.Get());
      CheckRoundTrip(uhid.Get(), hidraw.Get());
    }
  }

  uhid_event destroy{};
  destroy.type = UHID_DESTROY;
  Check(WriteEvent(uhid.Get(), destroy), "UHID_DESTROY accepted", ErrnoText());
  Check(WaitForNode(inotify.Get(), false), "hidraw node disappears after UHID_DESTROY");
  std::error_code error;
  Check(!fs::exists(fs::path("/sys/class/hidraw") / node, error), "sysfs entry gone after UHID_DESTROY");
  return g_failures == 0 ? 0 : 1;
}

// Without a udev rule granting access, device nodes stay root's: a backend test that runs as a plain user
// relies on exactly that to reach its "no permission" path.
int RunExpectNoAccess() {
  Check(getuid() == kPlayerUid, "runs as uid " + std::to_string(kPlayerUid), std::to_string(getuid()));
  int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  int openError = errno;
  if (fd >= 0) {
    close(fd);
  }
  Check(fd < 0 && openError == EACCES, "open /dev/uhid refused with EACCES",
        fd >= 0 ? "opened" : std::strerror(openError));
  return g_failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    return RunRoundTrip();
  }
  if (args.size() == 1 && args[0] == "--expect-no-access") {
    return RunExpectNoAccess();
  }
  std::fprintf(stderr, "usage: uhid_smoke [--expect-no-access]\n");
  return 2;
}
