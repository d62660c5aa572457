#include "editors/device_editors.h"

#include "devices/page/device_page_controls.h"
#include "devices/page/page_lookup.h"
#include "devices/velmar_usb_device.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "ui/controls/named_child.h"
#include "editors/profile_panel/device_profile_ui.h"

CDeviceProfileUI* ProfilePanelOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CDeviceProfileUI>(&device, device_page::kProfilePanel, "DeviceProfile");
}

CMacroControlUI* MacroEditorOf(CVelmarUSBDevice& device) {
  CControlUI* place = FindNamedChild(&device, device_page::kMacroEditor);
  return place ? FindPageControlAs<CMacroControlUI>(place, macro_editor::kEditor, "MacroSetControlUI") : nullptr;
}

void BindDeviceEditors(CVelmarUSBDevice& device, IEditorHost& host) {
  if (CDeviceProfileUI* panel = ProfilePanelOf(device)) {
    panel->Bind(device, host);
    device.AddRouteTarget(panel);
  }
  if (CMacroControlUI* editor = MacroEditorOf(device)) {
    editor->Bind(device, host);
    device.AddRouteTarget(editor);
  }
}
