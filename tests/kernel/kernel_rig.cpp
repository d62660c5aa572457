#include "kernel_rig.h"

#include <algorithm>

::testing::AssertionResult CKernelRig::Plug(const std::shared_ptr<CVirtualDevice>& device) {
  std::string detail;
  const UhidError error = bridge_.Plug(device, &detail);
  if (error == UhidError::None) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "plugging " << device->Description().name << ": "
                                       << DescribeUhidError(error, system_.Path()) << " " << detail;
}

std::vector<std::string> CKernelRig::PathsOf(const CVirtualDevice& device) {
  std::vector<std::string> instances;
  for (const UhidInterfaceInfo& interface : bridge_.InterfacesOf(device)) instances.push_back(interface.node.instance);
  std::vector<std::string> all;
  std::vector<std::string> paths;
  if (!backend_.EnumerateInterfaces(all)) return paths;
  for (const std::string& path : all) {
    if (std::find(instances.begin(), instances.end(), InstanceOfPath(path)) != instances.end()) paths.push_back(path);
  }
  return paths;
}

std::string CKernelRig::PathOf(const CVirtualDevice& device, uint8_t interfaceNumber, int collectionNumber) {
  const SimDeviceDescription& description = device.Description();
  auto interface = std::find_if(description.interfaces.begin(), description.interfaces.end(),
                                [&](const SimInterface& i) { return i.number == interfaceNumber; });
  if (interface == description.interfaces.end()) return {};
  // A lone collection carries no collection tag, as on Windows.
  const int tagged = interface->collections.size() > 1 ? collectionNumber : 0;
  for (const std::string& path : PathsOf(device)) {
    std::optional<HidInterfacePathParts> parts = ParseHidInterfacePath(path);
    const int pathInterface = parts && parts->interfaceNumber >= 0 ? parts->interfaceNumber : interfaceNumber;
    if (parts && pathInterface == interfaceNumber && parts->collectionNumber == tagged) {
      // Without an interface tag only the instance tells the interfaces apart.
      for (const UhidInterfaceInfo& info : bridge_.InterfacesOf(device)) {
        if (info.interfaceNumber == interfaceNumber && info.node.instance == parts->instance) return path;
      }
    }
  }
  return {};
}

std::string CKernelRig::CommandPathOf(const CVirtualDevice& device) {
  for (const SimCollectionAddress& address : ListSimCollections(device.Description())) {
    if (address.collection->commands) return PathOf(device, address.interfaceNumber, address.collectionNumber);
  }
  return {};
}

std::string NodeOfPath(const std::string& path) {
  std::optional<HidInterfacePathParts> parts = ParseHidInterfacePath(path);
  return parts ? parts->node : std::string();
}

std::string InstanceOfPath(const std::string& path) {
  std::optional<HidInterfacePathParts> parts = ParseHidInterfacePath(path);
  return parts ? parts->instance : std::string();
}
