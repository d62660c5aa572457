// The device selector: one tile, page and battery display per device kind, and the arrival and
// removal of the devices' interfaces.
#include <algorithm>

#include "devices/device_attachment.h"
#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "platform/log_file.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "windows/device_selector/device_option_ui.h"
#include "windows/main_wnd/main_wnd.h"

namespace {

bool IsReceiverKind(uint16_t kind) { return kind == kDeviceKindMouseReceiver || kind == kDeviceKindKeyboardReceiver; }

const char* ArrivalTrace(uint16_t kind) {
  switch (kind) {
    case kDeviceKindKeyboard:
    case kDeviceKindKeyboardReceiver:
      return "添加一个键盘设备";
    case kDeviceKindMouse:
    case kDeviceKindMouseReceiver:
      return "添加一个鼠标设备";
    default:
      return "添加一个鼠标垫设备";
  }
}

const char* RemovalTrace(uint16_t kind) {
  switch (kind) {
    case kDeviceKindKeyboard:
    case kDeviceKindKeyboardReceiver:
      return "删除一个键盘设备";
    case kDeviceKindMouse:
    case kDeviceKindMouseReceiver:
      return "删除一个鼠标设备";
    default:
      return "删除一个鼠标垫设备";
  }
}

}  // namespace

std::vector<CVelmarUSBDevice*>* CMainWnd::DeviceListForKind(uint16_t kind) {
  switch (kind) {
    case kDeviceKindMouse:
    case kDeviceKindMouseReceiver:
      return &mice_;
    case kDeviceKindKeyboard:
    case kDeviceKindKeyboardReceiver:
      return &keyboards_;
    case kDeviceKindMousePad:
      return &mousePads_;
    case kDeviceKindHeadset:
      return &headsets_;
    default:
      return nullptr;
  }
}

std::vector<CDeviceOptionUI*> CMainWnd::Tiles() const {
  std::vector<CDeviceOptionUI*> tiles;
  auto* strip = static_cast<CContainerUI*>(m_pm.FindControl("device_select_layout"));
  if (!strip) return tiles;
  for (int i = 0; i < strip->GetCount(); ++i) {
    if (auto* tile = static_cast<CDeviceOptionUI*>(strip->GetItemAt(i)->GetInterface("DeviceOption"))) {
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
  auto* strip = static_cast<CContainerUI*>(m_pm.FindControl("device_select_layout"));
  auto* pages = static_cast<CContainerUI*>(m_pm.FindControl("device_switch"));
  auto* powers = static_cast<CContainerUI*>(m_pm.FindControl("device_power_switch"));
  if (!strip || !pages || !powers) return 0;

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

  powers->Add(created.power);
  powerDisplays_.push_back(created.power);
  pages->Add(created.device);
  if (std::vector<CVelmarUSBDevice*>* list = DeviceListForKind(identity.DeviceKind)) list->push_back(created.device);

  strip->Add(tile);
  tile->SetSynchroVisible(false);
  tile->SetGroup(std::string(kind.TabHeaderControl).c_str());
  tile->BindPage("device_switch", pages->GetCount() - 1);
  tile->SetPowerPage("device_power_switch", powers->GetCount() - 1);
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
  OutputDebugString(ArrivalTrace(slot.DeviceKind));
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
  OutputDebugString(RemovalTrace(removed.DeviceKind));
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
  auto* powers = static_cast<CTabLayoutUI*>(m_pm.FindControl("device_power_switch"));
  if (!powers || !tile) return;
  if (tile->GetPowerIndex() < 0) {
    powers->SetVisible(false);
    return;
  }
  powers->SetVisible(true);
  powers->SelectItem(tile->GetPowerIndex());
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
    if (auto* powers = static_cast<CTabLayoutUI*>(m_pm.FindControl("device_power_switch"))) powers->SelectItem(0);
    if (auto* pages = static_cast<CTabLayoutUI*>(m_pm.FindControl("device_switch"))) pages->SelectItem(0);
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
