#include "pad_rig.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls_harness.h"
#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/window_api.h"

namespace {

constexpr size_t kPadCommandRow = 8;

}  // namespace

PadRig::PadRig(const std::string& list) : owner_("<Window size=\"100,100\"><Control/></Window>") {
  setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 1);
  UseShippedSkin();
  CDialogBuilder sheet;
  sheet.Create("styles.xml");
  std::string error;
  sim_ = CreateSimulation(list, &error);
  EXPECT_TRUE(sim_) << error;
  if (sim_) sim_->AnswerAtOnce();
  owner_.CreateHidden();
  const DeviceCreation created = CreateDeviceFromLayouts(manager_, sim_->Backend(), CommandSlot(), owner_.GetHWND(), clock_);
  EXPECT_NE(created.device, nullptr) << "the shipped mouse pad page builds";
  device_ = static_cast<CVelmarMousePadDevice*>(created.device->GetInterface("VelmarMousePadDevice"));
  power_ = created.power;
  manager_.AttachDialog(device_);
  device_->SetTile(&tile_);
  device_->SetDeviceFolder(data_.MakeFolder("T640/MousePad") + "/");
}

PadRig::~PadRig() {
  manager_.AttachDialog(nullptr);
  delete device_;
  delete power_;
  DestroyWindow(owner_.GetHWND());
}

DeviceEntry PadRig::CommandSlot() const {
  DeviceEntry entry;
  static_cast<SupportedDevice&>(entry) = kSupportedDevices[kPadCommandRow];
  const auto& pad = sim_->MousePad();
  entry.DevicePath = pad && pad->IsPlugged() ? sim_->Backend().CommandPathOf(*pad) : "";
  entry.Connected = entry.DevicePath.empty() ? 0 : 1;
  return entry;
}

bool PadRig::AttachEvents() {
  return device_->AttachEventPort(kDeviceKindMousePad, sim_->Backend().EventPathOf(Pad()));
}

void PadRig::AttachAndRead() {
  ASSERT_TRUE(Attach());
  FireTimer(kTimerReadAll);
}
