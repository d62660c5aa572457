#pragma once

class CVelmarUSBDevice;
class IEditorHost;

// Binds the editors on a device's page to the device and the host window, and adds each to the
// routes of the page, after the page is built and before the device is first read. Editors the
// page does not have are skipped.
void BindDeviceEditors(CVelmarUSBDevice& device, IEditorHost& host);

class CDeviceProfileUI;

// The profile panel on a device's page, or null when the page has none.
CDeviceProfileUI* ProfilePanelOf(CVelmarUSBDevice& device);

class CKeySetControlUI;

// The key assignment editor on a device's page, or null when the page has none.
CKeySetControlUI* KeyEditorOf(CVelmarUSBDevice& device);

class CMacroControlUI;

// The macro editor on a device's page, or null when the page has none.
CMacroControlUI* MacroEditorOf(CVelmarUSBDevice& device);

class CLightControlUI;

// The lighting editor on a device's page, or null when the page has none.
CLightControlUI* LightEditorOf(CVelmarUSBDevice& device);

class CShootControlUI;

// The recoil editor on a device's page, or null when the page has none.
CShootControlUI* RecoilEditorOf(CVelmarUSBDevice& device);

class CMoreSettingsUI;

// The "More" page of a device's page, or null when the page has none.
CMoreSettingsUI* MorePageOf(CVelmarUSBDevice& device);
