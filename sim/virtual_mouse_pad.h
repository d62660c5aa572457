#pragma once
#include "sim/virtual_device.h"
#include "sim/virtual_device_options.h"

// The lit mouse pad, on its cable only. It keeps its lighting in the shared lighting settings area
// and sends 0x0401 (kSimEventReReadRequest) when it wants the host to read it again.
class CVirtualMousePad : public CVirtualDevice {
 public:
  explicit CVirtualMousePad(const SimMousePadOptions& options = {});
  CVirtualMousePad(const SimMousePadOptions& options, SimDeviceDescription description);
};
