#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devices/device_tile.h"
#include "devices/velmar_mouse_device.h"
#include "sim/simulation.h"
#include "support/temp_data_folder.h"
#include "support/test_clock.h"
#include "test_window.h"
#include "ui/toolkit/paint_manager_ui.h"

// The selector tile as the device sees it: records the timers the device starts so a test can
// fire them one by one.
class CFakeTile : public IDeviceTile {
 public:
  void StartTileTimer(uint32_t timerId, uint32_t elapseMs) override;
  void StopTileTimer(uint32_t timerId) override;
  bool IsTileShown() const override { return shown; }
  void ShowTile(bool show) override { shown = show; }
  bool IsTileSelected() const override { return selected; }
  void ShowDisconnected() override { ++disconnectedShown; }
  void RepaintLightPreview() override { ++previewRepaints; }

  bool IsArmed(uint32_t timerId) const;
  uint32_t PeriodOf(uint32_t timerId) const;  // 0 when not armed
  std::vector<std::pair<uint32_t, uint32_t>> Started() const;
  void ClearHistory();

  bool shown = false;
  bool selected = true;
  int disconnectedShown = 0;
  int previewRepaints = 0;

 private:
  mutable std::mutex mutex_;  // the listener threads start timers too
  std::map<uint32_t, uint32_t> armed_;
  std::vector<std::pair<uint32_t, uint32_t>> started_;
};

struct OwnerMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool operator==(const OwnerMessage&) const = default;
};

// A mouse page built from the shipped skin with its device attached to a simulation, a tile that
// records timers, an owner window that records the device's messages and a data folder of its
// own. Everything a device test needs, torn down in a safe order. The device runs on the test
// clock and the virtual devices answer at once, so no exchange waits for real time.
class MouseRig {
 public:
  // `list` is a --simulate list ("mouse", "mouse-receiver:unlinked", …).
  explicit MouseRig(const std::string& list);
  ~MouseRig();

  CVelmarMouseDevice& Device() { return *device_; }
  CSimulation& Sim() { return *sim_; }
  CTestClock& Clock() { return clock_; }
  CFakeTile& Tile() { return tile_; }
  CPaintManagerUI& Manager() { return manager_; }
  const std::vector<OwnerMessage>& Messages() const { return messages_; }
  const std::string& DataFolder() const { return data_.Path(); }

  // The supported-device slot of the cable's or the receiver's command interface, claimed.
  DeviceEntry CableSlot() const;
  DeviceEntry ReceiverSlot() const;
  // Opens the command interface the simple way (cable, else receiver).
  bool AttachCable();
  bool AttachReceiver();
  void FireTimer(uint32_t timerId) { device_->OnTileTimer(timerId); }
  // Attaches and runs the read the tile would run 500 ms later.
  void AttachAndRead();
  CControlUI* Control(const std::string& name);

 private:
  TempDataFolder data_;
  CTestClock clock_;
  std::unique_ptr<CSimulation> sim_;
  CFakeTile tile_;
  CTestWindow owner_;
  std::vector<OwnerMessage> messages_;
  CPaintManagerUI manager_;
  CVelmarMouseDevice* device_ = nullptr;
  CMpDevicePowerUI* power_ = nullptr;
};

// The command bytes the virtual mouse received, oldest first.
std::vector<uint8_t> CommandsSeen(CVirtualDevice& device);
