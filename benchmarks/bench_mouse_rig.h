#pragma once
// What the mouse benchmarks share: the clocks they read, a hidden window whose timers stand in for
// the selector tile's, and the mouse's page built from the shipped skin over a simulation.

#include <cstdint>
#include <string>

#include "devices/device_creation.h"
#include "devices/device_tile.h"
#include "devices/velmar_mouse_device.h"
#include "sim/simulation.h"
#include "ui/toolkit/ui_lib.h"

inline constexpr uintptr_t kStopTimer = 1;

double ProcessCpuSeconds();
double WallSeconds();

// Each tile timer is a window timer that calls the device, as the tile will; kStopTimer ends the
// message loop.
class CBenchWindow : public WindowImplBase, public IDeviceTile {
 public:
  explicit CBenchWindow(const char* className) : className_(className) {}
  LPCTSTR GetWindowClassName() const override { return className_; }
  CDuiString GetSkinFile() override { return "<Window size=\"960,560\"><HorizontalLayout/></Window>"; }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  void StartTileTimer(uint32_t timerId, uint32_t elapseMs) override { ::SetTimer(GetHWND(), timerId, elapseMs); }
  void StopTileTimer(uint32_t timerId) override { ::KillTimer(GetHWND(), timerId); }
  bool IsTileShown() const override { return true; }
  void ShowTile(bool) override {}
  bool IsTileSelected() const override { return true; }
  void ShowDisconnected() override {}
  void RepaintLightPreview() override {}

  CVelmarUSBDevice* device = nullptr;

 private:
  const char* className_;
};

// The run's own data folder (XDG_DATA_HOME) and the offscreen platform unless one is set; false
// when the folder could not be made.
bool PrepareBenchRun();
// The shipped skin, texts and controls, from the source tree.
void UseSkin();
DeviceEntry CableEntry(CSimulation& sim);

// The mouse's page for the simulation's cable mouse, built into `manager` and given `window` as
// its tile; null (and a line on stderr) when the page did not build. The caller deletes the
// device and `created.power`.
CVelmarMouseDevice* BuildBenchMouse(CPaintManagerUI& manager, CSimulation& sim, CBenchWindow& window,
                                    DeviceCreation& created);
