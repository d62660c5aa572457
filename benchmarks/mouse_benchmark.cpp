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

#include "bench_mouse_rig.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "devices/velmar_mouse_device.h"
#include "platform/clock.h"
#include "sim/simulation.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/ui_lib.h"

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
  if (!PrepareBenchRun()) return 1;

  CUiApplication application(argc, argv);
  UseSkin();
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation(list, &error);
  if (!sim || !sim->Mouse() || !sim->Mouse()->IsPlugged()) {
    std::fprintf(stderr, "the list must plug in the mouse's cable: %s\n", error.c_str());
    return 1;
  }
  auto* window = new CBenchWindow("MouseBenchWnd");
  CPaintManagerUI manager;
  DeviceCreation created;
  CVelmarMouseDevice* device = BuildBenchMouse(manager, *sim, *window, created);
  if (!device) return 1;
  const DeviceEntry entry = CableEntry(*sim);

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
