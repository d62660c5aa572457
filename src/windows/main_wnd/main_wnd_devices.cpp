// The device selector: one tile, page and battery display per device kind, and the arrival and
// removal of the devices' interfaces.
#include <algorithm>

#include "devices/device_attachment.h"
#include "devices/device_creation.h"
#include "devices/device_kind_table.h"
#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/light_editor/light_control_ui.h"
#include "platform/debug_output.h"
#include "platform/log_file.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/controls/text_key.h"
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

std::vector<CVelmarUSBDevice*> CMainWnd::ConnectedDevices() {
  // Keyboards first, then mice, mouse pads and headsets (rows of the kind table: mouse, keyboard,
  // mouse pad, headset).
  constexpr size_t kRowOrder[] = {1, 0, 2, 3};
  std::vector<CVelmarUSBDevice*> devices;
  for (size_t row : kRowOrder) {
    for (CVelmarUSBDevice* device : devicesByKindRow_[row]) {
      if (device->Channel().IsOpen()) devices.push_back(device);
    }
  }
  return devices;
}

void CMainWnd::FindOwnControls() {
  tileStrip_ = static_cast<CContainerUI*>(m_pm.FindControl(main_window::kTileStrip));
  devicePages_ = static_cast<CTabLayoutUI*>(m_pm.FindControl(main_window::kDevicePages));
  powerSwitch_ = static_cast<CTabLayoutUI*>(m_pm.FindControl(main_window::kPowerDisplays));
  noDeviceLayout_ = m_pm.FindControl(main_window::kNoDeviceLayout);
  noDeviceText_ = m_pm.FindControl(main_window::kNoDeviceText);
  notConnectedLayout_ = m_pm.FindControl(main_window::kNotConnectedLayout);
  deviceErrorLayout_ = m_pm.FindControl(main_window::kDeviceErrorLayout);
  previousButton_ = m_pm.FindControl(main_window::kSelectPreviousButton);
  nextButton_ = m_pm.FindControl(main_window::kSelectNextButton);
  UpdateSelectorArrows();
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

int CMainWnd::CountShown() const {
  int shown = 0;
  for (CDeviceOptionUI* tile : Tiles()) shown += tile->IsInStrip() ? 1 : 0;
  return shown;
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
  if (std::vector<CVelmarUSBDevice*>* list = DeviceListForKind(identity.DeviceKind)) {
    list->push_back(created.device);
    // The lists' rows (mouse, keyboard, mouse pad, headset) are the engine's kinds.
    const auto row = static_cast<size_t>(list - devicesByKindRow_.data());
    syncLight_.AddParticipant(static_cast<CSyncLightEngine::Kind>(row), created.device);
  }
  if (const DeviceKindTraits* traits = FindDeviceKindTraits(identity.DeviceKind); traits && traits->toldWindowHidden) {
    created.device->SetWindowHidden(presence_ != Presence::kShown);
  }
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
      // A device that still has its same-mode flag takes part in the shared lighting again.
      syncLight_.Wake();
      CDeviceOptionUI* tile = TileOf(device);
      if (tile && !IsReceiverKind(slot.DeviceKind)) {
        const std::vector<CDeviceOptionUI*> tiles = Tiles();
        const int index = static_cast<int>(std::find(tiles.begin(), tiles.end(), tile) - tiles.begin());
        SetTileState(index, true, noneReachable);
      }
    }
  }
  // A start in the tray stays there while the first scan finds the devices.
  if (options_.startInTray && trayShown_ && !firstScanDone_) return;
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
  // A device that does not answer, or has no battery, has no battery level to show.
  auto* display = static_cast<CMpDevicePowerUI*>(powerSwitch_->GetItemAt(tile->GetPowerIndex()));
  if (tile->GetPowerIndex() < 0 || !tile->IsReachable() || (display && !display->ShowsBattery())) {
    powerSwitch_->SetVisible(false);
    return;
  }
  powerSwitch_->SetVisible(true);
  powerSwitch_->SelectItem(tile->GetPowerIndex());
}

void CMainWnd::SelectTile(CDeviceOptionUI& tile) {
  if (auto* pages = static_cast<CTabLayoutUI*>(m_pm.FindControl(tile.GetPageContainer()))) {
    pages->SelectItem(tile.GetPageIndex());
  }
  ShowPowerPage(&tile);
  tile.RefreshPower();
  tile.Select(true);
}

void CMainWnd::SetTileState(int index, bool visible, bool select) {
  if (CDeviceOptionUI* tile = TileAt(index)) {
    tile->SetVisible(visible);
    if (select) SelectTile(*tile);
  }
  AfterTilesChanged();
}

void CMainWnd::AfterTilesChanged() {
  int synchronised = 0;
  for (CDeviceOptionUI* tile : Tiles()) {
    if (tile->IsReachable() && tile->IsSynchroSelected()) ++synchronised;
  }
  if (CountShown() == 0) {
    if (powerSwitch_) powerSwitch_->SelectItem(0);
    if (devicePages_) devicePages_->SelectItem(0);
  }
  UpdateNoDeviceLayout("DeviceSelectChanger");
  // Lighting in step needs two devices; with fewer, every device runs its own lighting again.
  const bool shareable = CountReachable() >= 2;
  ForEachDevice([shareable](CVelmarUSBDevice& device, const DeviceKindTraits&) {
    if (CLightControlUI* lighting = LightEditorOf(device)) lighting->SetSameModeAllowed(shareable);
    if (!shareable && device.Channel().SameMode()) device.LeaveSharedLighting();
  });
  if (synchronised <= 1) {
    for (CDeviceOptionUI* tile : Tiles()) tile->SetSynchroSelected(false);
  }
  UpdateNotConnectedLayout();
  UpdateSelectorArrows();
}

void CMainWnd::HideTile(int index) {
  CDeviceOptionUI* tile = TileAt(index);
  if (!tile) return;
  int other = -1;
  if (tile->IsInStrip() && tile->IsSelected()) {
    CloseDeviceWindows();
    const std::vector<CDeviceOptionUI*> tiles = Tiles();
    for (size_t i = 0; i < tiles.size(); ++i) {
      if (static_cast<int>(i) != index && tiles[i]->IsInStrip()) {
        other = static_cast<int>(i);
        break;
      }
    }
  }
  SetTileState(index, false, false);
  tile->Select(false);
  if (other >= 0) {
    SelectTile(*TileAt(other));
    AfterTilesChanged();
  }
}

void CMainWnd::ShowTileNotConnected(int index) {
  CDeviceOptionUI* tile = TileAt(index);
  if (!tile) return;
  tile->ShowNotConnected();
  bool otherSelected = false;
  for (CDeviceOptionUI* shown : Tiles()) otherSelected |= shown != tile && shown->IsInStrip() && shown->IsSelected();
  if (!otherSelected) SelectTile(*tile);
  AfterTilesChanged();
}

bool CMainWnd::IsNotConnectedLayoutShown() const { return notConnectedLayout_ && notConnectedLayout_->IsVisible(); }

void CMainWnd::UpdateNotConnectedLayout() {
  if (!notConnectedLayout_) return;
  bool show = false;
  for (CDeviceOptionUI* tile : Tiles()) show |= tile->IsNotConnected() && tile->IsSelected();
  notConnectedLayout_->SetVisible(show);
}

// The arrows step through the strip; one with nothing to step to says so instead of doing nothing.
void CMainWnd::UpdateSelectorArrows() {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  bool before = false;
  bool after = false;
  bool passedSelected = false;
  for (CDeviceOptionUI* tile : tiles) {
    if (!tile->IsInStrip()) continue;
    if (tile->IsSelected()) {
      passedSelected = true;
      continue;
    }
    (passedSelected ? after : before) = true;
  }
  if (!passedSelected) before = after = false;
  if (previousButton_) {
    previousButton_->SetEnabled(before);
    previousButton_->SetToolTip(before ? TextKey("main_tip_previous_device") : TextKey("main_tip_no_previous_device"));
  }
  if (nextButton_) {
    nextButton_->SetEnabled(after);
    nextButton_->SetToolTip(after ? TextKey("main_tip_next_device") : TextKey("main_tip_no_next_device"));
  }
}

void CMainWnd::OnInaccessibleDevices(bool present) {
  if (!noDeviceText_) return;
  noDeviceText_->SetText(present ? TextKey("main_no_device_access_text") : TextKey("main_no_device_text"));
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
  CDeviceOptionUI* tile = TileAt(index);
  CVelmarUSBDevice* device = tile ? tile->GetDevice() : nullptr;
  if (linked == 0) {
    // A receiver that is there while its device does not answer is a device switched off or out
    // of range, not a missing one.
    if (device && device->Channel().IsOpen() && device->Channel().ReceiverMode()) {
      ShowTileNotConnected(index);
    } else {
      HideTile(index);
    }
    return;
  }
  if (device && !tile->IsReachable()) SetTileState(index, true, CountReachable() == 0 || tile->IsSelected());
  syncLight_.Wake();
}

void CMainWnd::SelectPrevious() {
  CDeviceOptionUI* previous = nullptr;
  for (CDeviceOptionUI* tile : Tiles()) {
    if (tile->IsInStrip() && tile->IsSelected()) break;
    if (tile->IsInStrip()) previous = tile;
  }
  if (!previous) return;
  SelectTile(*previous);
  AfterTilesChanged();
}

void CMainWnd::SelectNext() {
  bool afterSelected = false;
  for (CDeviceOptionUI* tile : Tiles()) {
    if (afterSelected && tile->IsInStrip()) {
      SelectTile(*tile);
      AfterTilesChanged();
      return;
    }
    if (tile->IsInStrip() && tile->IsSelected()) afterSelected = true;
  }
}

void CMainWnd::OnTileSelectionChanged() {
  const std::vector<CDeviceOptionUI*> tiles = Tiles();
  for (size_t i = 0; i < tiles.size(); ++i) {
    if (!tiles[i]->IsSelected()) continue;
    selectedTileIndex_ = static_cast<int>(i);
    ShowPowerPage(tiles[i]);
    break;
  }
  UpdateNotConnectedLayout();
  UpdateSelectorArrows();
}

void CMainWnd::StartSharedLighting(int common, const LightInfoRecord& light) {
  syncLight_.SetEffectSettings({static_cast<uint8_t>(common), light.Light, light.Speed, light.Fx, light.MultiColor,
                                Rgb{light.Red, light.Green, light.Blue}});
  syncLight_.Wake();
}
