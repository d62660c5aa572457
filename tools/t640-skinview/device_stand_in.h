#pragma once

#include "ui/toolkit/ui_interfaces.h"

// A device page's root is the device class itself ("VelmarMouseDevice", …), which the program
// creates with its driver behind it. Previews have no devices: a plain horizontal layout, which
// is what the device classes lay out as, stands in for them — and for the device selector's tile.
// The profile panel ("DeviceProfile") is answered by the program's control when the previewer has
// it registered, else by a row that builds the panel's layout into itself as that control does,
// holding a sample profile.
class CDeviceStandInCallback : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(LPCTSTR pstrClass) override;
};
