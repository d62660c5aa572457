#include "mouse_rig.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls_harness.h"
#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/window_api.h"

void CFakeTile::StartTileTimer(uint32_t timerId, uint32_t elapseMs) {
  std::lock_guard<std::mutex> guard(mutex_);
  armed_[timerId] = elapseMs;
  started_.emplace_back(timerId, elapseMs);
}

void CFakeTile::StopTileTimer(uint32_t timerId) {
  std::lock_guard<std::mutex> guard(mutex_);
  armed_.erase(timerId);
}

bool CFakeTile::IsArmed(uint32_t timerId) const {
  std::lock_guard<std::mutex> guard(mutex_);
  return armed_.count(timerId) != 0;
}

uint32_t CFakeTile::PeriodOf(uint32_t timerId) const {
  std::lock_guard<std::mutex> guard(mutex_);
  const auto found = armed_.find(timerId);
  return found == armed_.end() ? 0 : found->second;
}

std::vector<std::pair<uint32_t, uint32_t>> CFakeTile::Started() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return started_;
}

void CFakeTile::ClearHistory() {
  std::lock_guard<std::mutex> guard(mutex_);
  started_.clear();
}

MouseRig::MouseRig(const std::string& list) : owner_("<Window size=\"100,100\"><Control/></Window>") {
  setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 1);
  UseShippedSkin();
  // The page is a sub-tree: in the program the main window has loaded the shared style sheet.
  CDialogBuilder sheet;
  sheet.Create("styles.xml");
  std::string error;
  sim_ = CreateSimulation(list, &error);
  EXPECT_TRUE(sim_) << error;
  if (sim_) sim_->AnswerAtOnce();
  owner_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
    messages_.push_back({message, wParam, lParam});
    handled = true;
    return 0;
  };
  owner_.CreateHidden();
  const DeviceEntry identity = CableSlot();
  const DeviceCreation created =
      CreateDeviceFromLayouts(manager_, sim_->Backend(), identity, owner_.GetHWND(), clock_);
  EXPECT_NE(created.device, nullptr) << "the shipped mouse page builds";
  device_ = static_cast<CVelmarMouseDevice*>(created.device->GetInterface("VelmarMouseDevice"));
  power_ = created.power;
  manager_.AttachDialog(device_);
  device_->SetTile(&tile_);
  device_->SetDeviceFolder(data_.MakeFolder("T640/mouse") + "/");
}

MouseRig::~MouseRig() {
  // The page (with the device and its threads) goes with the manager; the simulation after it.
  manager_.AttachDialog(nullptr);
  delete device_;
  delete power_;
  DestroyWindow(owner_.GetHWND());
}

namespace {

DeviceEntry SlotFor(size_t row, const std::string& path) {
  DeviceEntry entry;
  static_cast<SupportedDevice&>(entry) = kSupportedDevices[row];
  entry.DevicePath = path;
  entry.Connected = path.empty() ? 0 : 1;
  return entry;
}

constexpr size_t kMouseCableRow = 4;
constexpr size_t kMouseReceiverRow = 6;

}  // namespace

DeviceEntry MouseRig::CableSlot() const {
  const auto& mouse = sim_->Mouse();
  return SlotFor(kMouseCableRow, mouse && mouse->IsPlugged() ? sim_->Backend().CommandPathOf(*mouse) : "");
}

DeviceEntry MouseRig::ReceiverSlot() const {
  const auto& receiver = sim_->Receiver();
  return SlotFor(kMouseReceiverRow, receiver ? sim_->Backend().CommandPathOf(*receiver) : "");
}

bool MouseRig::AttachCable() { return device_->AttachCommandInterface(CableSlot(), CableSlot()); }

bool MouseRig::AttachReceiver() { return device_->AttachCommandInterface(ReceiverSlot(), CableSlot()); }

void MouseRig::AttachAndRead() {
  if (sim_->Mouse() && sim_->Mouse()->IsPlugged()) {
    ASSERT_TRUE(AttachCable());
  } else {
    ASSERT_TRUE(AttachReceiver());
  }
  FireTimer(kTimerReadAll);
}

CControlUI* MouseRig::Control(const std::string& name) {
  CControlUI* control = manager_.FindSubControlByName(device_, name.c_str());
  EXPECT_NE(control, nullptr) << name;
  return control;
}

std::vector<uint8_t> CommandsSeen(CVirtualDevice& device) { return device.Frames().Commands(); }
