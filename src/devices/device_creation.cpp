#include "devices/device_creation.h"

#include <cstring>
#include <string>

#include "devices/device_page_table.h"
#include "devices/velmar_mouse_device.h"
#include "devices/velmar_mouse_pad_device.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"

namespace {

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
  if (std::strcmp(pstrClass, "VelmarMouseDevice") == 0) return new CVelmarMouseDevice(backend_, clock_);
  if (std::strcmp(pstrClass, "VelmarMousePadDevice") == 0) return new CVelmarMousePadDevice(backend_, clock_);
  if (std::strcmp(pstrClass, "VelmarUSBDevice") == 0) return new CVelmarUSBDevice(backend_, clock_);
  return nullptr;
}

DeviceCreation CreateDeviceFromLayouts(CPaintManagerUI& manager, IHidBackend& backend, const DeviceEntry& identity,
                                       HWND owner, IClock& clock) {
  const int kindRow = FindDeviceKindRow(identity.VendorId, identity.ProductId, CableKindOf(identity.DeviceKind),
                                        identity.InterfaceRole);
  const DevicePageRow* page = FindDevicePageRow(kindRow);
  if (!page) return {};
  const DeviceKindRow& kind = kDeviceKindRows[static_cast<size_t>(kindRow)];

  CDeviceControlCallback callback(backend, clock);
  auto* power = BuildAs<CMpDevicePowerUI>(kPowerDisplayLayoutFile, "MpDevicePower", &callback, manager);
  if (!power) return {};
  auto* device = BuildAs<CVelmarUSBDevice>(std::string(page->PageLayoutFile), "VelmarUSBDevice", &callback, manager);
  if (!device) {
    delete power;
    return {};
  }
  power->SetPowerKind(identity.DeviceKind, identity.InterfaceRole);

  DeviceKindData data;
  data.pageLayoutFile = page->PageLayoutFile;
  data.kindName = kind.KindName;
  data.lightControlName = page->LightControlName;
  data.kindRowIndex = kindRow;
  data.iconIndex = kind.IconIndex;
  data.keyCount = page->KeyCount;
  data.lightEntryCount = page->LightEntryCount;
  data.hasPowerDisplay = page->HasPowerDisplay;
  data.mouseExtra = page->MouseExtra;
  device->SetKindData(data);
  device->SetOwnerWindow(owner);
  device->SetPowerDisplay(power);
  device->SetDeviceEntry(identity);
  device->InitDevicePage();
  return {device, power, kindRow};
}
