// Measures the mouse page's running costs against the virtual mouse: the time from attaching the
// command interface to the end of ReadAll, and the CPU an attached, idle mouse costs with its
// light thread and tile timers running. Prints the figures; it is not a test and asserts nothing.
//
//   mouse_benchmark [--reads N] [--idle-seconds S] [--simulate LIST] [--light-mode M]
//
// --light-mode sets the preview's effect for the idle run (0 static, 1 breathing, … 6 off);
// without it the mouse's own stored effect runs.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "devices/device_tile.h"
#include "devices/velmar_mouse_device.h"
#include "platform/clock.h"
#include "sim/simulation.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/controls/register_program_controls.h"
#include "ui/toolkit/ui_lib.h"

namespace {

constexpr uintptr_t kStopTimer = 1;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double WallSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A hidden window whose timers stand in for the selector tile's: each tile timer is a window
// timer that calls the device, as the tile will.
class CBenchWindow : public WindowImplBase, public IDeviceTile {
 public:
  LPCTSTR GetWindowClassName() const override { return "MouseBenchWnd"; }
  CDuiString GetSkinFile() override { return "<Window size=\"960,560\"><HorizontalLayout/></Window>"; }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
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

  void StartTileTimer(uint32_t timerId, uint32_t elapseMs) override { ::SetTimer(GetHWND(), timerId, elapseMs); }
  void StopTileTimer(uint32_t timerId) override { ::KillTimer(GetHWND(), timerId); }
  bool IsTileShown() const override { return true; }
  void ShowTile(bool) override {}
  bool IsTileSelected() const override { return true; }
  void ShowDisconnected() override {}
  void RepaintLightPreview() override {}

  CVelmarMouseDevice* device = nullptr;
};

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

}  // namespace

int main(int argc, char** argv) {
  int reads = 20;
  int idleSeconds = 10;
  std::string list = "mouse";
  int lightMode = -1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--reads") == 0) reads = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--idle-seconds") == 0) idleSeconds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--simulate") == 0) list = argv[i + 1];
    if (std::strcmp(argv[i], "--light-mode") == 0) lightMode = std::atoi(argv[i + 1]);
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char dataTemplate[] = "/tmp/t640-bench-XXXXXX";
  if (!mkdtemp(dataTemplate)) return 1;
  setenv("XDG_DATA_HOME", dataTemplate, 1);

  CUiApplication application(argc, argv);
  UseSkin();
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation(list, &error);
  if (!sim || !sim->Mouse() || !sim->Mouse()->IsPlugged()) {
    std::fprintf(stderr, "the list must plug in the mouse's cable: %s\n", error.c_str());
    return 1;
  }
  auto* window = new CBenchWindow;
  window->Create(nullptr, "bench", WS_POPUP, 0, 0, 0, 0, 0);
  CPaintManagerUI manager;
  const DeviceEntry entry = CableEntry(*sim);
  DeviceCreation created = CreateDeviceFromLayouts(manager, sim->Backend(), entry, window->GetHWND());
  auto* device =
      created.device ? static_cast<CVelmarMouseDevice*>(created.device->GetInterface("VelmarMouseDevice")) : nullptr;
  if (!device) {
    std::fprintf(stderr, "the mouse page did not build\n");
    return 1;
  }
  manager.AttachDialog(device);
  device->SetTile(window);

  // Attach to the end of ReadAll, without the tile's fixed 500 ms wait before the read.
  std::vector<double> readMs;
  for (int i = 0; i < reads; ++i) {
    device->DetachCommandInterface();
    const double start = WallSeconds();
    device->AttachCommandInterface(entry, entry);
    device->OnTileTimer(kTimerReadAll);
    readMs.push_back((WallSeconds() - start) * 1000.0);
  }
  std::sort(readMs.begin(), readMs.end());
  std::printf(
      "attach to end of ReadAll (cable, %d runs): median %.1f ms, worst %.1f ms "
      "(the tile waits a further %u ms before reading)\n",
      reads, readMs[readMs.size() / 2], readMs.back(), kReadAllDelayMs);

  if (lightMode >= 0) {
    const LightEffectParams params = device->GetLightEffect();
    device->SetLightEffect(lightMode, params.speed, params.brightness,
                           params.colour.r | (params.colour.g << 8) | (params.colour.b << 16));
  }
  const int mode = device->GetLightEffect().mode;
  window->device = device;
  ::SetTimer(window->GetHWND(), kStopTimer, static_cast<UINT>(idleSeconds) * 1000u);
  const double cpuStart = ProcessCpuSeconds();
  const double wallStart = WallSeconds();
  CPaintManagerUI::MessageLoop();
  const double cpu = ProcessCpuSeconds() - cpuStart;
  const double wall = WallSeconds() - wallStart;
  std::printf(
      "idle attached mouse, light mode %d, light thread and tile timers running, %.1f s: "
      "%.3f s CPU = %.2f %% of one core\n",
      mode, wall, cpu, 100.0 * cpu / wall);

  window->device = nullptr;
  manager.AttachDialog(nullptr);
  delete device;
  delete created.power;
  DestroyWindow(window->GetHWND());
  return 0;
}
