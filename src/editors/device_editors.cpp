#include "editors/device_editors.h"

#include "devices/device_kind_table.h"
#include "devices/page/device_page_controls.h"
#include "devices/page/page_lookup.h"
#include "devices/velmar_usb_device.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "editors/more_page/more_settings_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "ui/controls/named_child.h"

CDeviceProfileUI* ProfilePanelOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CDeviceProfileUI>(&device, device_page::kProfilePanel, "DeviceProfile");
}

CKeySetControlUI* KeyEditorOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CKeySetControlUI>(&device, device_page::kKeyEditor, "KeySetControl");
}

CMacroControlUI* MacroEditorOf(CVelmarUSBDevice& device) {
  CControlUI* place = FindNamedChild(&device, device_page::kMacroEditor);
  return place ? FindPageControlAs<CMacroControlUI>(place, macro_editor::kEditor, "MacroSetControlUI") : nullptr;
}

CLightControlUI* LightEditorOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CLightControlUI>(&device, device_page::kLightEditor, "LightControl");
}

CShootControlUI* RecoilEditorOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CShootControlUI>(&device, device_page::kRecoilEditor, "ShootControl");
}

CMoreSettingsUI* MorePageOf(CVelmarUSBDevice& device) {
  return FindPageControlAs<CMoreSettingsUI>(&device, device_page::kMorePage, "MoreSettings");
}

void BindDeviceEditors(CVelmarUSBDevice& device, IEditorHost& host) {
  CDeviceProfileUI* panel = ProfilePanelOf(device);
  if (panel) {
    panel->Bind(device, host);
    device.AddRouteTarget(panel);
  }
  if (CLightControlUI* lighting = LightEditorOf(device)) {
    lighting->Bind(device, host);
    device.AddRouteTarget(lighting);
    if (panel) panel->EnableTab(kLightingTab);
  }
  CKeySetControlUI* keys = KeyEditorOf(device);
  if (keys) {
    keys->Bind(device, host);
    device.AddRouteTarget(keys);
    // A page with the key editor offers its tab.
    if (panel) panel->EnableTab(kKeyTab);
  }
  if (CMacroControlUI* macros = MacroEditorOf(device)) {
    macros->Bind(device, host);
    device.AddRouteTarget(macros);
    // The key editor's macro choices follow the list.
    macros->SetMacroListListener(keys);
    if (panel) panel->EnableTab(kMacroTab);
  }
  if (CShootControlUI* recoil = RecoilEditorOf(device)) {
    recoil->Bind(device, host);
    device.AddRouteTarget(recoil);
    if (panel) panel->EnableTab(kCursorTab);
  }
  if (CMoreSettingsUI* more = MorePageOf(device)) {
    more->Bind(device, host);
    device.AddRouteTarget(more);
    if (panel) panel->EnableTab(kMoreTab);
  }
}
