#pragma once

#include <memory>
#include <string>

#include "devices/velmar_mouse_pad_device.h"
#include "mouse_rig.h"
#include "sim/simulation.h"
#include "sim/virtual_mouse_pad.h"
#include "support/temp_data_folder.h"
#include "support/test_clock.h"
#include "test_window.h"
#include "ui/toolkit/paint_manager_ui.h"

// A mouse pad page built from the shipped skin with its device attached to a simulation, a tile
// that records timers and a data folder of its own; as MouseRig for the mouse.
class PadRig {
 public:
  explicit PadRig(const std::string& list = "mousepad");
  ~PadRig();

  CVelmarMousePadDevice& Device() { return *device_; }
  CVirtualMousePad& Pad() { return *sim_->MousePad(); }
  CSimulation& Sim() { return *sim_; }
  CTestClock& Clock() { return clock_; }
  CFakeTile& Tile() { return tile_; }
  CPaintManagerUI& Manager() { return manager_; }

  DeviceEntry CommandSlot() const;
  bool Attach() { return device_->AttachCommandInterface(CommandSlot(), CommandSlot()); }
  bool AttachEvents();
  void FireTimer(uint32_t timerId) { device_->OnTileTimer(timerId); }
  void AttachAndRead();

 private:
  TempDataFolder data_;
  CTestClock clock_;
  std::unique_ptr<CSimulation> sim_;
  CFakeTile tile_;
  CTestWindow owner_;
  CPaintManagerUI manager_;
  CVelmarMousePadDevice* device_ = nullptr;
  CMpDevicePowerUI* power_ = nullptr;
};
