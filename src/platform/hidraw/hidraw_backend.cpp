// The Linux HID backend. Enumeration reads sysfs only (no udev daemon, no permission on the
// nodes needed); Open checks that the node named by the path still belongs to the same HID
// device, because the kernel hands node numbers out again after an unplug.
//
// What Linux cannot do as Windows does: hidraw has no open without access rights, so an open
// that asks for neither read nor write opens the node read-only; a write-only open opens it for
// reading too, because the connection drains the node before every write. Exclusive opens are
// not enforced.
#include "platform/hidraw/hidraw_backend.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "platform/debug_output.h"
#include "platform/hid/hid_interface_path.h"
#include "platform/hid/report_descriptor.h"
#include "platform/hidraw/hidraw_connection.h"
#include "platform/hidraw/hidraw_node_paths.h"
#include "platform/hidraw/hidraw_sysfs.h"
#include "platform/hidraw/udev_handles.h"

namespace {

std::optional<HidInterfacePathParts> ParseHidrawPath(const std::string& path) {
  std::optional<HidInterfacePathParts> parts = ParseHidInterfacePath(path);
  if (!parts || parts->instance.empty() || HidrawNodeNumber(parts->node) < 0) return std::nullopt;
  return parts;
}

std::optional<HidDescriptorSummary> SummariseNode(const HidrawNodeInfo& info) {
  std::string reason;
  auto summary = ParseReportDescriptor(info.reportDescriptor.data(), info.reportDescriptor.size(), &reason);
  if (!summary) {
    OutputDebugString("hidraw: skipping " + info.attributes.node + " (" + info.attributes.instance +
                      "): report descriptor " + reason);
  }
  return summary;
}

HidOpenError OpenErrorFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return HidOpenError::AccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return HidOpenError::NotFound;
    default:
      return HidOpenError::Failed;
  }
}

}  // namespace

bool CHidrawBackend::EnumerateInterfaces(std::vector<std::string>& paths) {
  paths.clear();
  UdevContext context(udev_new());
  if (!context) return false;
  UdevEnumerate enumerate(udev_enumerate_new(context.get()));
  if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw") < 0 ||
      udev_enumerate_scan_devices(enumerate.get()) < 0) {
    return false;
  }
  std::vector<std::pair<int, HidrawNodeInfo>> nodes;
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
    UdevDevice device(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
    if (!device) continue;  // unplugged between the listing and now
    std::string reason;
    std::optional<HidrawNodeInfo> info = ReadHidrawNode(device.get(), &reason);
    if (!info) {
      const char* name = udev_device_get_sysname(device.get());
      OutputDebugString(std::string("hidraw: skipping ") + (name ? name : "?") + ": " + reason);
      continue;
    }
    const int number = HidrawNodeNumber(info->attributes.node);
    nodes.emplace_back(number, std::move(*info));
  }
  // sysfs lists hidraw10 before hidraw2; the numeric order is the order the nodes appeared in.
  std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [number, info] : nodes) {
    std::optional<HidDescriptorSummary> summary = SummariseNode(info);
    if (!summary) continue;
    std::vector<std::string> nodePaths = BuildHidrawInterfacePaths(info.attributes, *summary);
    paths.insert(paths.end(), nodePaths.begin(), nodePaths.end());
  }
  return true;
}

std::shared_ptr<IHidConnection> CHidrawBackend::Open(const std::string& path, const HidOpenMode& mode,
                                                     HidOpenError* error) {
  auto fail = [error](HidOpenError reason) -> std::shared_ptr<IHidConnection> {
    if (error) *error = reason;
    return nullptr;
  };
  if (error) *error = HidOpenError::None;
  std::optional<HidInterfacePathParts> parts = ParseHidrawPath(path);
  if (!parts) return fail(HidOpenError::NotFound);
  UdevContext context(udev_new());
  if (!context) return fail(HidOpenError::Failed);
  UdevDevice device(udev_device_new_from_subsystem_sysname(context.get(), "hidraw", parts->node.c_str()));
  if (!device) return fail(HidOpenError::NotFound);
  std::string reason;
  std::optional<HidrawNodeInfo> info = ReadHidrawNode(device.get(), &reason);
  if (!info) {
    const bool sameDevice = CurrentHidInstanceOfNode(context.get(), parts->node) == parts->instance;
    return fail(sameDevice ? HidOpenError::Failed : HidOpenError::NotFound);
  }
  if (info->attributes.instance != parts->instance) return fail(HidOpenError::NotFound);
  std::optional<HidDescriptorSummary> summary = SummariseNode(*info);
  if (!summary) return fail(HidOpenError::Failed);

  // The path must be one this node would be listed under now; its digits may differ in case.
  const std::vector<std::string> nodePaths = BuildHidrawInterfacePaths(info->attributes, *summary);
  auto match = std::find(nodePaths.begin(), nodePaths.end(), BuildHidInterfacePath(*parts));
  if (match == nodePaths.end()) return fail(HidOpenError::NotFound);
  const HidTopLevelCollection& collection = summary->collections[static_cast<size_t>(match - nodePaths.begin())];

  const int access = mode.write ? O_RDWR : O_RDONLY;
  int fd = open(info->devnode.c_str(), access | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(OpenErrorFromErrno(errno));
  // The node may have been handed to another device between the check above and the open.
  if (CurrentHidInstanceOfNode(context.get(), parts->node) != parts->instance) {
    close(fd);
    return fail(HidOpenError::NotFound);
  }

  HidAttributes attributes;
  attributes.VendorID = info->attributes.vendorId;
  attributes.ProductID = info->attributes.productId;
  attributes.VersionNumber = info->attributes.versionNumber;
  HidCaps caps;
  caps.UsagePage = collection.usagePage;
  caps.Usage = collection.usage;
  caps.InputReportByteLength = collection.inputReportByteLength;
  caps.OutputReportByteLength = collection.outputReportByteLength;
  caps.FeatureReportByteLength = collection.featureReportByteLength;
  HidrawReportRouting routing{summary->usesReportIds, collection.inputReportIds};
  std::shared_ptr<CHidrawConnection> connection = CHidrawConnection::Create(fd, attributes, caps, std::move(routing));
  if (!connection) return fail(HidOpenError::Failed);
  return connection;
}

bool CHidrawBackend::IsPresent(const std::string& path) {
  std::optional<HidInterfacePathParts> parts = ParseHidrawPath(path);
  if (!parts) return false;
  UdevContext context(udev_new());
  if (!context) return false;
  return CurrentHidInstanceOfNode(context.get(), parts->node) == parts->instance;
}

uint64_t CHidrawBackend::ChangeGeneration() { return changes_.Generation(); }
