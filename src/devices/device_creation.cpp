#include "devices/device_creation.h"

#include <cstring>
#include <string>

#include "devices/device_page_table.h"
#include "devices/velmar_mouse_device.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"

namespace {

// A receiver kind is looked up as its cable kind.
uint16_t CableKindOf(uint16_t kind) {
  if (kind == kDeviceKindMouseReceiver) return kDeviceKindMouse;
  if (kind == kDeviceKindKeyboardReceiver) return kDeviceKindKeyboard;
  return kind;
}

template <typename T>
T* BuildAs(const std::string& layout, LPCTSTR interfaceName, IDialogBuilderCallback* callback,
           CPaintManagerUI& manager) {
  CDialogBuilder builder;
  CControlUI* root = builder.Create(layout.c_str(), nullptr, callback, &manager);
  if (!root) return nullptr;
  if (auto* typed = static_cast<T*>(root->GetInterface(interfaceName))) return typed;
  delete root;
  return nullptr;
}

}  // namespace

CControlUI* CDeviceControlCallback::CreateControl(LPCTSTR pstrClass) {
  if (std::strcmp(pstrClass, "VelmarMouseDevice") == 0) return new CVelmarMouseDevice(backend_);
  if (std::strcmp(pstrClass, "VelmarUSBDevice") == 0) return new CVelmarUSBDevice(backend_);
  return nullptr;
}

DeviceCreation CreateDeviceFromLayouts(CPaintManagerUI& manager, IHidBackend& backend, const DeviceEntry& identity,
                                       HWND owner) {
  const int kindRow = FindDeviceKindRow(identity.VendorId, identity.ProductId, CableKindOf(identity.DeviceKind),
                                        identity.InterfaceRole);
  const DevicePageRow* page = FindDevicePageRow(kindRow);
  if (!page) return {};
  const DeviceKindRow& kind = kDeviceKindRows[static_cast<size_t>(kindRow)];

  CDeviceControlCallback callback(backend);
  auto* power = BuildAs<CMpDevicePowerUI>(kPowerDisplayLayoutFile, "MpDevicePower", &callback, manager);
  if (!power) return {};
  auto* device = BuildAs<CVelmarUSBDevice>(std::string(page->PageLayoutFile), "VelmarUSBDevice", &callback, manager);
  if (!device) {
    delete power;
    return {};
  }
  power->SetPowerKind(identity.DeviceKind, identity.InterfaceRole);

  device->SetPageLayoutFile(std::string(page->PageLayoutFile));
  device->SetOwnerWindow(owner);
  device->SetKeyCount(page->KeyCount);
  device->SetLightEntryCount(page->LightEntryCount);
  device->SetKindRowIndex(kindRow);
  device->SetHasPowerDisplay(page->HasPowerDisplay);
  device->SetMouseExtra(page->MouseExtra);
  device->SetKindName(std::string(kind.KindName));
  device->SetPowerDisplay(power);
  device->SetDeviceEntry(identity);
  device->SetIconIndex(kind.IconIndex);
  device->SetLightControlName(std::string(page->LightControlName));
  device->InitDevicePage();
  return {device, power, kindRow};
}
