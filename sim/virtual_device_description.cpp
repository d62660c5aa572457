#include "sim/virtual_device_description.h"

std::vector<SimCollectionAddress> ListSimCollections(const SimDeviceDescription& description) {
  std::vector<SimCollectionAddress> list;
  for (const SimInterface& interface : description.interfaces) {
    for (size_t i = 0; i < interface.collections.size(); ++i) {
      list.push_back({interface.number, static_cast<int>(i + 1), &interface.collections[i]});
    }
  }
  return list;
}
