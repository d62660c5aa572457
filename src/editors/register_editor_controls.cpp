#include "editors/register_editor_controls.h"

#include <new>

#include "editors/key_editor/key_set_control_ui.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/more_page/more_settings_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "ui/toolkit/control_factory.h"

namespace {

CControlUI* CreateDeviceProfile() { return new (std::nothrow) CDeviceProfileUI; }
CControlUI* CreateLightControl() { return new (std::nothrow) CLightControlUI; }
CControlUI* CreateKeySetControl() { return new (std::nothrow) CKeySetControlUI; }
CControlUI* CreateMacroEditor() { return new (std::nothrow) CMacroControlUI; }
CControlUI* CreateShootControl() { return new (std::nothrow) CShootControlUI; }
CControlUI* CreateMoreSettings() { return new (std::nothrow) CMoreSettingsUI; }

}  // namespace

void RegisterEditorControls() {
  CControlFactory::GetInstance()->RegistControl("CDeviceProfileUI", CreateDeviceProfile);
  CControlFactory::GetInstance()->RegistControl("CLightControlUI", CreateLightControl);
  CControlFactory::GetInstance()->RegistControl("CKeySetControlUI", CreateKeySetControl);
  CControlFactory::GetInstance()->RegistControl("MacroSetControlUI", CreateMacroEditor);
  CControlFactory::GetInstance()->RegistControl("CShootControlUI", CreateShootControl);
  CControlFactory::GetInstance()->RegistControl("CMoreSettingsUI", CreateMoreSettings);
}
