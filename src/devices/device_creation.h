#pragma once

#include "platform/clock.h"
#include "platform/hid/hid_backend.h"
#include "transport/supported_devices.h"
#include "ui/toolkit/ui_interfaces.h"
#include "ui/toolkit/ui_types.h"

class CMpDevicePowerUI;
class CPaintManagerUI;
class CVelmarUSBDevice;

inline constexpr const char* kPowerDisplayLayoutFile = "XML\\CustomControlXML\\MpDevicePower.xml";

// Creates the device classes for the tags the page layouts use ("VelmarMouseDevice",
// "VelmarMousePadDevice", "VelmarUSBDevice"); every other tag is left to the control factory.
class CDeviceControlCallback : public IDialogBuilderCallback {
 public:
  CDeviceControlCallback(IHidBackend& backend, IClock& clock = SystemClock()) : backend_(backend), clock_(clock) {}
  CControlUI* CreateControl(LPCTSTR pstrClass) override;

 private:
  IHidBackend& backend_;
  IClock& clock_;
};

// A device's page and power display, built from its kind's layouts and set up with the kind's
// data. Placing them (the power switch, the page switch, the selector tile) is the main window's.
struct DeviceCreation {
  CVelmarUSBDevice* device = nullptr;  // the page's root control
  CMpDevicePowerUI* power = nullptr;
  int kindRow = -1;
};

// `identity` is the cable row's entry (a receiver slot's partner). Nothing is created — and
// nothing is left allocated — when the kind has no row or a layout cannot be built.
DeviceCreation CreateDeviceFromLayouts(CPaintManagerUI& manager, IHidBackend& backend, const DeviceEntry& identity,
                                       HWND owner, IClock& clock = SystemClock());
