#include "bench_mouse_rig.h"

#include <stdlib.h>
#include <time.h>

#include <cstdio>

#include "ui/controls/mp_device_power_ui.h"
#include "ui/controls/register_program_controls.h"

namespace {

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

double ProcessCpuSeconds() { return Seconds(CLOCK_PROCESS_CPUTIME_ID); }
double WallSeconds() { return Seconds(CLOCK_MONOTONIC); }

LRESULT CBenchWindow::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_TIMER) {
    if (wParam == kStopTimer) {
      PostQuitMessage(0);
    } else if (device) {
      device->OnTileTimer(static_cast<uint32_t>(wParam));
    }
    return 0;
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

bool PrepareBenchRun() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static char dataTemplate[] = "/tmp/t640-bench-XXXXXX";
  if (!mkdtemp(dataTemplate)) return false;
  setenv("XDG_DATA_HOME", dataTemplate, 1);
  return true;
}

void UseSkin() {
  const std::string source = T640_SOURCE_DIR;
  setenv("T640_PROGRAM_FOLDER", source.c_str(), 0);
  CPaintManagerUI::SetResourcePath((source + "skin/").c_str());
  CResourceManager::GetInstance()->LoadResource("res.xml");
  CResourceManager::GetInstance()->LoadLanguage((source + "DefaultData/lan_en.xml").c_str());
  RegisterProgramControls();
  CDialogBuilder sheet;
  sheet.Create("styles.xml");
}

DeviceEntry CableEntry(CSimulation& sim) {
  DeviceEntry entry;
  static_cast<SupportedDevice&>(entry) = kSupportedDevices[4];
  entry.DevicePath = sim.Backend().CommandPathOf(*sim.Mouse());
  entry.Connected = 1;
  return entry;
}

CVelmarMouseDevice* BuildBenchMouse(CPaintManagerUI& manager, CSimulation& sim, CBenchWindow& window,
                                    DeviceCreation& created) {
  window.Create(nullptr, "bench", WS_POPUP, 0, 0, 0, 0, 0);
  created = CreateDeviceFromLayouts(manager, sim.Backend(), CableEntry(sim), window.GetHWND());
  auto* device =
      created.device ? static_cast<CVelmarMouseDevice*>(created.device->GetInterface("VelmarMouseDevice")) : nullptr;
  if (!device) {
    std::fprintf(stderr, "the mouse page did not build\n");
    return nullptr;
  }
  manager.AttachDialog(device);
  device->SetTile(&window);
  return device;
}
