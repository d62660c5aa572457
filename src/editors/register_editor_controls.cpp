#include "editors/register_editor_controls.h"

#include <new>

#include "editors/key_editor/key_set_control_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "ui/toolkit/control_factory.h"

namespace {

CControlUI* CreateDeviceProfile() { return new (std::nothrow) CDeviceProfileUI; }
CControlUI* CreateKeySetControl() { return new (std::nothrow) CKeySetControlUI; }

}  // namespace

void RegisterEditorControls() {
  CControlFactory::GetInstance()->RegistControl("CDeviceProfileUI", CreateDeviceProfile);
  CControlFactory::GetInstance()->RegistControl("CKeySetControlUI", CreateKeySetControl);
}
