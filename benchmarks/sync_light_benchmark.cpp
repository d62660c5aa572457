// Measures the shared lighting's thread driving the virtual mouse: the steps per second against
// the rate the speed asks for, the steps lost, and the CPU the process spends meanwhile (the
// engine's steps and the preview pushes they cause). Prints the figures; it is not a test and
// asserts nothing.
//
//   sync_light_benchmark [--seconds S] [--effect E] [--speed L]
//
// --effect 0 breathing (the default), 1 steady, 2 flashing, 3 spectrum, 4 off; --speed 0 … 4 (the
// slowest and the default is 0), larger counts as a step on every tick.
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
#include "devices/lighting/sync_light_engine.h"
#include "devices/velmar_mouse_device.h"
#include "platform/clock.h"
#include "sim/simulation.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/ui_lib.h"

int main(int argc, char** argv) {
  int seconds = 30;
  int effect = 0;
  int speed = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--effect") == 0) effect = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--speed") == 0) speed = std::atoi(argv[i + 1]);
  }
  if (!PrepareBenchRun()) return 1;

  CUiApplication application(argc, argv);
  UseSkin();
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation("mouse", &error);
  if (!sim || !sim->Mouse()) {
    std::fprintf(stderr, "no virtual mouse: %s\n", error.c_str());
    return 1;
  }
  auto* window = new CBenchWindow("SyncLightBenchWnd");
  CPaintManagerUI manager;
  DeviceCreation created;
  CVelmarMouseDevice* device = BuildBenchMouse(manager, *sim, *window, created);
  if (!device) return 1;
  const DeviceEntry entry = CableEntry(*sim);
  device->AttachCommandInterface(entry, entry);
  device->OnTileTimer(kTimerReadAll);
  window->device = device;

  CSyncLightEngine engine;
  engine.AddParticipant(CSyncLightEngine::Kind::kMouse, device);
  engine.SetEffectSettings({static_cast<uint8_t>(effect), 4, static_cast<uint8_t>(speed), 0, 1, Rgb{0, 64, 255}});
  engine.Start();
  device->LeaveSharedLighting();
  device->Channel().SetSameMode(1);
  device->LightPreview().Poke();
  engine.Wake();

  const uint64_t ownStepsStart = device->LightSteps();
  ::SetTimer(window->GetHWND(), kStopTimer, static_cast<UINT>(seconds) * 1000u);
  const double cpuStart = ProcessCpuSeconds();
  const double wallStart = WallSeconds();
  const uint64_t stepsStart = engine.Steps();
  CPaintManagerUI::MessageLoop();
  const uint64_t steps = engine.Steps() - stepsStart;
  const double cpu = ProcessCpuSeconds() - cpuStart;
  const double wall = WallSeconds() - wallStart;
  engine.Stop();

  const double period = SyncLightTicksPerStep(static_cast<uint8_t>(speed)) * kLightTickMs / 1000.0;
  std::printf("shared lighting on the virtual mouse, effect %d, speed level %d, %.1f s:\n", effect, speed, wall);
  std::printf("  steps: %llu = %.2f /s (the speed's rate: %.2f /s, expected %.0f), lost %llu\n",
              static_cast<unsigned long long>(steps), steps / wall, 1.0 / period, wall / period,
              static_cast<unsigned long long>(engine.LostSteps()));
  std::printf("  the mouse's own light thread meanwhile: %llu steps\n",
              static_cast<unsigned long long>(device->LightSteps() - ownStepsStart));
  std::printf("  CPU: %.3f s = %.2f %% of one core\n", cpu, 100.0 * cpu / wall);

  window->device = nullptr;
  manager.AttachDialog(nullptr);
  delete device;
  delete created.power;
  DestroyWindow(window->GetHWND());
  return 0;
}
