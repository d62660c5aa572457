#pragma once

#include "ui/toolkit/ui_interfaces.h"

// A device page's root is the device class itself ("VelmarMouseDevice", …), which the program
// creates with its driver behind it. Previews have no devices: a plain horizontal layout, which
// is what the device classes lay out as, stands in for them — and for the device selector's tile.
class CDeviceStandInCallback : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(LPCTSTR pstrClass) override;
};
