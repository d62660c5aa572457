// The device selector: one tile, page and battery display per device kind, and the arrival and
// removal of the devices' interfaces.
#include <algorithm>

#include "devices/device_attachment.h"
#include "devices/device_creation.h"
#include "devices/device_kind_table.h"
#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "platform/debug_output.h"
#include "platform/log_file.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "windows/device_selector/device_option_ui.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/main_wnd/main_wnd_controls.h"

std::vector<CVelmarUSBDevice*>* CMainWnd::DeviceListForKind(uint16_t kind) {
  const DeviceKindTraits* traits = FindDeviceKindTraits(kind);
  if (!traits || traits->pageRow < 0 || static_cast<size_t>(traits->pageRow) >= devicesByKindRow_.size()) return nullptr;
  return &devicesByKindRow_[static_cast<size_t>(traits->pageRow)];
}

void CMainWnd::ForEachDevice(const std::function<void(CVelmarUSBDevice&, const DeviceKindTraits&)>& visit) const {
  for (const std::vector<CVelmarUSBDevice*>& list : devicesByKindRow_) {
    for (CVelmarUSBDevice* device : list) {
      if (const DeviceKindTraits* traits = FindDeviceKindTraits(device->GetDeviceKind())) visit(*device, *traits);
    }
  }
}

void CMainWnd::FindOwnControls() {
  tileStrip_ = static_cast<CContainerUI*>(m_pm.FindControl(main_window::kTileStrip));
  devicePages_ = static_cast<CTabLayoutUI*>(m_pm.FindControl(main_window::kDevicePages));
  powerSwitch_ = static_cast<CTabLayoutUI*>(m_pm.FindControl(main_window::kPowerDisplays));
  noDeviceLayout_ = m_pm.FindControl(main_window::kNoDeviceLayout);
  deviceErrorLayout_ = m_pm.FindControl(main_window::kDeviceErrorLayout);
}

std::vector<CDeviceOptionUI*> CMainWnd::Tiles() const {
  std::vector<CDeviceOptionUI*> tiles;
  if (!tileStrip_) return tiles;
  for (int i = 0; i < tileStrip_->GetCount(); ++i) {
    if (auto* tile = static_cast<CDeviceOptionUI*>(tileStrip_->GetItemAt(i)->GetInterface("DeviceOption"))) {
      tiles.push_back(tile);
    }
  }
  return tiles;
}

CDeviceOptionUI* CMainWnd::TileAt(int index) const {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  return index >= 0 && static_cast<size_t>(index) < tiles.size() ? tiles[static_cast<size_t>(index)] : nullptr;
}

CDeviceOptionUI* CMainWnd::TileOf(CVelmarUSBDevice* device) const {
  for (CDeviceOptionUI* tile : Tiles()) {
    if (tile->GetDevice() == device) return tile;
  }
  return nullptr;
}

int CMainWnd::CountReachable() const {
  int reachable = 0;
  for (CDeviceOptionUI* tile : Tiles()) reachable += tile->IsReachable() ? 1 : 0;
  return reachable;
}

CVelmarUSBDevice* CMainWnd::GetSelectedDevice() {
  for (CDeviceOptionUI* tile : Tiles()) {
    if (tile->IsReachable() && tile->IsSelected()) return tile->GetDevice();
  }
  return nullptr;
}

CVelmarUSBDevice* CMainWnd::FindDeviceByIdentity(uint16_t kind, const DeviceEntry& key) {
  std::vector<CVelmarUSBDevice*>* list = DeviceListForKind(kind);
  if (!list) return nullptr;
  for (CVelmarUSBDevice* device : *list) {
    if (IsSameInterface(device->GetDeviceEntry(), key)) return device;
  }
  return nullptr;
}

int CMainWnd::CreateDeviceForKind(size_t slotIndex, uint16_t role) {
  if (slotIndex >= slots_.Size()) return 0;
  DeviceEntry identity = CommandIdentity(slots_, slotIndex);
  identity.InterfaceRole = role;
  if (!tileStrip_ || !devicePages_ || !powerSwitch_) return 0;

  const DeviceCreation created = CreateDeviceFromLayouts(m_pm, *backend_, identity, GetHWND());
  if (!created.device) return 0;
  const DeviceKindRow& kind = kDeviceKindRows[static_cast<size_t>(created.kindRow)];
  CDialogBuilder builder;
  CControlUI* tileRoot = builder.Create(std::string(kind.TileLayoutFile).c_str(), nullptr, this, &m_pm);
  auto* tile = tileRoot ? static_cast<CDeviceOptionUI*>(tileRoot->GetInterface("DeviceOption")) : nullptr;
  if (!tile) {
    delete tileRoot;
    delete created.device;
    delete created.power;
    return 0;
  }

  powerSwitch_->Add(created.power);
  powerDisplays_.push_back(created.power);
  devicePages_->Add(created.device);
  if (std::vector<CVelmarUSBDevice*>* list = DeviceListForKind(identity.DeviceKind)) list->push_back(created.device);
  BindDeviceEditors(*created.device, *this);

  tileStrip_->Add(tile);
  tile->SetSynchroVisible(false);
  tile->SetGroup(std::string(kind.TabHeaderControl).c_str());
  tile->BindPage(main_window::kDevicePages, devicePages_->GetCount() - 1);
  tile->SetPowerPage(main_window::kPowerDisplays, powerSwitch_->GetCount() - 1);
  tile->SetKind(kind.DeviceKind, kind.InterfaceRole);
  tile->SetVisible(false);
  tile->SetDeviceName(std::string(kind.KindName).c_str());
  tile->BindPowerDisplay(created.power);
  tile->SetDevice(created.device);
  created.device->SetTile(tile);
  return 1;
}

DeviceEntry CMainWnd::ReferenceSlotFor(size_t slotIndex) const {
  const DeviceEntry slot = slots_.Slot(slotIndex);
  if (slot.InterfaceRole == kInterfaceRoleEvent) {
    const int command = FindSupportedDevice(slot.VendorId, slot.ProductId, slot.DeviceKind, kInterfaceRoleCommand);
    if (command < 0) return slot;
    return CommandIdentity(slots_, static_cast<size_t>(command));
  }
  return CommandIdentity(slots_, slotIndex);
}

void CMainWnd::AttachSlot(size_t slotIndex) {
  if (slotIndex >= slots_.Size()) return;
  const DeviceEntry slot = slots_.Slot(slotIndex);
  if (const DeviceKindTraits* traits = FindDeviceKindTraits(slot.DeviceKind)) OutputDebugString(traits->arrivalTrace);
  const DeviceEntry reference = ReferenceSlotFor(slotIndex);
  CVelmarUSBDevice* device = FindDeviceByIdentity(slot.DeviceKind, reference);
  if (!device) {
    const int command = FindSupportedDevice(slot.VendorId, slot.ProductId, slot.DeviceKind, kInterfaceRoleCommand);
    if (command >= 0) CreateDeviceForKind(static_cast<size_t>(command), kInterfaceRoleCommand);
    device = FindDeviceByIdentity(slot.DeviceKind, reference);
  }
  if (device) {
    if (slot.InterfaceRole == kInterfaceRoleEvent) {
      device->AttachEventPort(slot.DeviceKind, slot.DevicePath);
    } else {
      const bool noneReachable = CountReachable() == 0;
      HandleCommandArrival(*device, slots_, slotIndex);
      CDeviceOptionUI* tile = TileOf(device);
      if (tile && !IsReceiverKind(slot.DeviceKind)) {
        const std::vector<CDeviceOptionUI*> tiles = Tiles();
        const int index = static_cast<int>(std::find(tiles.begin(), tiles.end(), tile) - tiles.begin());
        SetTileState(index, true, noneReachable);
      }
    }
  }
  BringToFront();
}

void CMainWnd::DetachSlot(size_t slotIndex) {
  if (slotIndex >= slots_.Size()) return;
  const DeviceEntry removed = slots_.Slot(slotIndex);
  if (const DeviceKindTraits* traits = FindDeviceKindTraits(removed.DeviceKind)) OutputDebugString(traits->removalTrace);
  CVelmarUSBDevice* device = FindDeviceByIdentity(removed.DeviceKind, ReferenceSlotFor(slotIndex));
  if (!device) return;
  if (removed.InterfaceRole == kInterfaceRoleEvent) {
    device->DetachEventPort(removed.DeviceKind);
    return;
  }
  // A detached channel makes the tile report the loss (WM_DEVICE_LINK_STATE 0), which hides it.
  HandleCommandRemoval(*device, slots_, removed, slotIndex);
}

void CMainWnd::ShowPowerPage(CDeviceOptionUI* tile) {
  if (!powerSwitch_ || !tile) return;
  if (tile->GetPowerIndex() < 0) {
    powerSwitch_->SetVisible(false);
    return;
  }
  powerSwitch_->SetVisible(true);
  powerSwitch_->SelectItem(tile->GetPowerIndex());
}

void CMainWnd::SetTileState(int index, bool visible, bool select) {
  if (CDeviceOptionUI* tile = TileAt(index)) {
    tile->SetVisible(visible);
    if (select) {
      if (auto* pages = static_cast<CTabLayoutUI*>(m_pm.FindControl(tile->GetPageContainer()))) {
        pages->SelectItem(tile->GetPageIndex());
      }
      ShowPowerPage(tile);
      tile->RefreshPower();
      tile->Select(true);
    }
  }
  int reachable = 0;
  int synchronised = 0;
  for (CDeviceOptionUI* tile : Tiles()) {
    if (!tile->IsReachable()) continue;
    ++reachable;
    synchronised += tile->IsSynchroSelected() ? 1 : 0;
  }
  if (reachable == 0) {
    UpdateNoDeviceLayout("DeviceSelectChanger");
    if (powerSwitch_) powerSwitch_->SelectItem(0);
    if (devicePages_) devicePages_->SelectItem(0);
  } else {
    UpdateNoDeviceLayout("DeviceSelectChanger");
  }
  if (synchronised <= 1) {
    for (CDeviceOptionUI* tile : Tiles()) tile->SetSynchroSelected(false);
  }
}

void CMainWnd::HideTile(int index) {
  CDeviceOptionUI* tile = TileAt(index);
  if (!tile) return;
  int other = -1;
  if (tile->IsReachable() && tile->IsSelected()) {
    CloseAuxiliaryWindows();
    const std::vector<CDeviceOptionUI*> tiles = Tiles();
    for (size_t i = 0; i < tiles.size(); ++i) {
      if (static_cast<int>(i) != index && tiles[i]->IsReachable()) {
        other = static_cast<int>(i);
        break;
      }
    }
  }
  SetTileState(index, false, false);
  tile->Select(false);
  if (other >= 0) SetTileState(other, true, true);
}

// Devices name their tile by their kind row; the strip holds only the kinds that could be built,
// so the row is looked up rather than taken as a position.
int CMainWnd::TileIndexForKindRow(int kindRow) const {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (tiles[i]->GetDevice() && tiles[i]->GetDevice()->GetKindRowIndex() == kindRow) return static_cast<int>(i);
  }
  return -1;
}

void CMainWnd::OnDeviceLinkState(WPARAM kindRow, LPARAM linked) {
  const int index = TileIndexForKindRow(static_cast<int>(kindRow));
  if (index < 0) return;
  if (linked == 0) {
    HideTile(index);
    return;
  }
  CDeviceOptionUI* tile = TileAt(index);
  if (tile && tile->GetDevice() && !tile->IsReachable()) SetTileState(index, true, CountReachable() == 0);
}

void CMainWnd::SelectPrevious() {
  int previous = -1;
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (tiles[i]->IsReachable() && tiles[i]->IsSelected()) break;
    if (tiles[i]->IsReachable()) previous = static_cast<int>(i);
  }
  if (previous >= 0) SetTileState(previous, true, true);
}

void CMainWnd::SelectNext() {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  bool afterSelected = false;
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (afterSelected && tiles[i]->IsReachable()) {
      SetTileState(static_cast<int>(i), true, true);
      return;
    }
    if (tiles[i]->IsReachable() && tiles[i]->IsSelected()) afterSelected = true;
  }
}

void CMainWnd::OnTileSelectionChanged() {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (!tiles[i]->IsSelected()) continue;
    selectedTileIndex_ = static_cast<int>(i);
    ShowPowerPage(tiles[i]);
    return;
  }
}
