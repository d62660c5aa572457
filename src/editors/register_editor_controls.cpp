#include "editors/register_editor_controls.h"

#include <new>

#include "editors/profile_panel/device_profile_ui.h"
#include "ui/toolkit/control_factory.h"

namespace {

CControlUI* CreateDeviceProfile() { return new (std::nothrow) CDeviceProfileUI; }

}  // namespace

void RegisterEditorControls() { CControlFactory::GetInstance()->RegistControl("CDeviceProfileUI", CreateDeviceProfile); }
