#include "editors/device_editors.h"

#include "devices/page/device_page_controls.h"
#include "devices/page/page_lookup.h"
#include "devices/velmar_usb_device.h"
#include "devices/device_kind_table.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "editors/profile_panel/device_profile_ui.h"

CDeviceProfileUI* ProfilePanelOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CDeviceProfileUI>(&device, device_page::kProfilePanel, "DeviceProfile");
}

CKeySetControlUI* KeyEditorOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CKeySetControlUI>(&device, device_page::kKeyEditor, "KeySetControl");
}

void BindDeviceEditors(CVelmarUSBDevice& device, IEditorHost& host) {
  CDeviceProfileUI* panel = ProfilePanelOf(device);
  if (panel) {
    panel->Bind(device, host);
    device.AddRouteTarget(panel);
  }
  if (CKeySetControlUI* keys = KeyEditorOf(device)) {
    keys->Bind(device, host);
    device.AddRouteTarget(keys);
    // A page with the key editor offers its tab.
    if (panel) panel->EnableTab(kKeyTab);
  }
}
