#pragma once
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"

// One HID interface whose path names a supported device, as the scan loop would see it.
struct ListedInterface {
  int slot = -1;  // the slot the scan loop would claim; -1 when none
  uint16_t deviceKind = 0;
  uint16_t interfaceRole = 0;
  std::string path;
  HidAttributes attributes;
  HidCaps caps;
  bool opened = false;
  HidOpenError openError = HidOpenError::None;
};

// Walks the present interfaces with the scan loop's two matching steps, but keeps the ones that
// could not be opened or whose usage differs, so that a user can see why a device is missing.
bool ListSupportedInterfaces(IHidBackend& backend, std::vector<ListedInterface>& out);

std::string FormatInterfaceListing(const std::vector<ListedInterface>& interfaces);
