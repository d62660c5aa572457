#include "windows/device_selector/register_device_selector_controls.h"

#include <new>

#include "ui/toolkit/control_factory.h"
#include "windows/device_selector/device_option_ui.h"

namespace {

CControlUI* CreateDeviceOption() { return new (std::nothrow) CDeviceOptionUI; }

}  // namespace

void RegisterDeviceSelectorControls() {
  CControlFactory::GetInstance()->RegistControl("CDeviceOptionUI", CreateDeviceOption);
}
