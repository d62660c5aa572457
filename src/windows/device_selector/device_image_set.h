#pragma once

#include <optional>
#include <string>

// The pictures of a device tile's selector option and the language key of its tooltip. The
// synchronised pair is shown while the device takes part in synchronised lighting.
struct DeviceImageSet {
  std::string normal;
  std::string selected;
  std::string synchroNormal;
  std::string synchroSelected;
  std::string tooltipKey;
};

// The set of the unknown device, which a tile shows until it is told its kind.
DeviceImageSet UnknownDeviceImageSet();

// The set for a device kind and sub-kind (for a mouse pad: 0 hard, 1 soft). A mouse pad of any
// other sub-kind has no set of its own: nullopt, the tile keeps what it shows. Kinds the table
// does not know get the unknown device's set.
std::optional<DeviceImageSet> DeviceImageSetFor(int kind, int subKind);
