#include "tools/t640ctl/interface_listing.h"

#include <cstdio>

#include "transport/device_slots.h"
#include "transport/hid_device.h"
#include "transport/hid_path_tags.h"

bool ListSupportedInterfaces(IHidBackend& backend, std::vector<ListedInterface>& out) {
  CHidDevice port(backend);
  if (!port.EnumerateDevicePaths()) return false;
  CDeviceSlotList slots;
  while (auto path = port.NextDevicePath()) {
    const uint16_t collection = GetCollectionFromPath(*path);
    const uint16_t interface = GetInterfaceFromPath(*path);
    if (!slots.FindFreeByPathTags(GetVidFromPath(*path), GetPidFromPath(*path), collection, interface)) continue;

    ListedInterface listed;
    listed.path = *path;
    CHidDevice probe(backend);
    listed.opened = probe.Open(*path, true, false, true, false) == 1;
    listed.openError = probe.GetLastOpenError();
    if (listed.opened) {
      listed.attributes = probe.GetAttributes();
      listed.caps = probe.GetCaps();
      probe.Close();
      auto slot = slots.FindFree(listed.attributes.VendorID, listed.attributes.ProductID, collection, interface,
                                 listed.caps.UsagePage, listed.caps.Usage);
      if (slot) {
        slots.Claim(*slot, *path);
        listed.slot = static_cast<int>(*slot);
        listed.deviceKind = kSupportedDevices[*slot].DeviceKind;
        listed.interfaceRole = kSupportedDevices[*slot].InterfaceRole;
      }
    }
    out.push_back(std::move(listed));
  }
  return true;
}

namespace {

std::string OpenState(const ListedInterface& listed) {
  if (listed.opened) return listed.slot >= 0 ? "yes" : "yes (usage differs: not claimed)";
  switch (listed.openError) {
    case HidOpenError::AccessDenied:
      return "no: permission denied (install packaging/70-t640.rules, see README \"Access to the devices\")";
    case HidOpenError::NotFound: return "no: gone";
    default: return "no: could not be opened";
  }
}

}  // namespace

std::string FormatInterfaceListing(const std::vector<ListedInterface>& interfaces) {
  std::string text = "slot  kind               role     vid:pid    usage      open\n";
  char line[160];
  for (const ListedInterface& listed : interfaces) {
    const char* role = listed.slot < 0 ? "-" : listed.interfaceRole == kInterfaceRoleCommand ? "command" : "event";
    std::string slot = listed.slot < 0 ? "-" : std::to_string(listed.slot);
    std::string kind = listed.slot < 0 ? "-" : std::string(DeviceKindLabel(listed.deviceKind));
    std::snprintf(line, sizeof line, "%-5s %-18s %-8s %04x:%04x  %04x:%04x  ", slot.c_str(), kind.c_str(), role,
                  listed.opened ? listed.attributes.VendorID : GetVidFromPath(listed.path),
                  listed.opened ? listed.attributes.ProductID : GetPidFromPath(listed.path), listed.caps.UsagePage,
                  listed.caps.Usage);
    text += line;
    text += OpenState(listed);
    text += "\n      ";
    text += listed.path;
    text += '\n';
  }
  return text;
}
