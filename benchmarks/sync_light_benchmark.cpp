// Measures the shared lighting's thread driving the virtual mouse, then the mouse and the virtual
// mouse pad together: the steps per second against the rate the speed asks for, the steps lost,
// and the CPU the process spends meanwhile (the engine's steps and the preview pushes they cause).
// Each run lasts S seconds. Prints the figures; it is not a test and asserts nothing.
//
//   sync_light_benchmark [--seconds S] [--effect E] [--speed L]   (S per run; 30 unless given)
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
#include "devices/velmar_mouse_pad_device.h"
#include "platform/clock.h"
#include "sim/simulation.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/ui_lib.h"

namespace {

struct RunFigures {
  uint64_t steps = 0;
  uint64_t lost = 0;
  double cpu = 0;
  double wall = 0;
};

// Runs the message loop (the devices' tile timers and preview pushes) for `seconds`.
RunFigures Measure(CSyncLightEngine& engine, CBenchWindow& window, int seconds) {
  ::SetTimer(window.GetHWND(), kStopTimer, static_cast<UINT>(seconds) * 1000u);
  const double cpuStart = ProcessCpuSeconds();
  const double wallStart = WallSeconds();
  const uint64_t stepsStart = engine.Steps();
  const uint64_t lostStart = engine.LostSteps();
  CPaintManagerUI::MessageLoop();
  ::KillTimer(window.GetHWND(), kStopTimer);
  return {engine.Steps() - stepsStart, engine.LostSteps() - lostStart, ProcessCpuSeconds() - cpuStart,
          WallSeconds() - wallStart};
}

void Print(const char* devices, int effect, int speed, const RunFigures& run) {
  const double period = SyncLightTicksPerStep(static_cast<uint8_t>(speed)) * kLightTickMs / 1000.0;
  std::printf("shared lighting on %s, effect %d, speed level %d, %.1f s:\n", devices, effect, speed, run.wall);
  std::printf("  steps: %llu = %.2f /s (the speed's rate: %.2f /s, expected %.0f), lost %llu\n",
              static_cast<unsigned long long>(run.steps), run.steps / run.wall, 1.0 / period, run.wall / period,
              static_cast<unsigned long long>(run.lost));
  std::printf("  CPU: %.3f s = %.2f %% of one core\n", run.cpu, 100.0 * run.cpu / run.wall);
}

DeviceEntry PadEntry(CSimulation& sim) {
  DeviceEntry entry;
  static_cast<SupportedDevice&>(entry) = kSupportedDevices[8];
  entry.DevicePath = sim.Backend().CommandPathOf(*sim.MousePad());
  entry.Connected = 1;
  return entry;
}

}  // namespace

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
  std::unique_ptr<CSimulation> sim = CreateSimulation("mouse,mousepad", &error);
  if (!sim || !sim->Mouse() || !sim->MousePad()) {
    std::fprintf(stderr, "no virtual mouse and pad: %s\n", error.c_str());
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
  const RunFigures mouseRun = Measure(engine, *window, seconds);
  Print("the virtual mouse", effect, speed, mouseRun);
  std::printf("  the mouse's own light thread meanwhile: %llu steps\n",
              static_cast<unsigned long long>(device->LightSteps() - ownStepsStart));

  // The pad joins, as after a same-mode copy: its page, its read, its flag.
  auto* padWindow = new CBenchWindow("SyncLightBenchPadWnd");
  padWindow->Create(nullptr, "bench pad", WS_POPUP, 0, 0, 0, 0, 0);
  CPaintManagerUI padManager;
  const DeviceEntry padEntry = PadEntry(*sim);
  const DeviceCreation padCreated = CreateDeviceFromLayouts(padManager, sim->Backend(), padEntry, padWindow->GetHWND());
  auto* pad = padCreated.device
                  ? static_cast<CVelmarMousePadDevice*>(padCreated.device->GetInterface("VelmarMousePadDevice"))
                  : nullptr;
  if (!pad) {
    std::fprintf(stderr, "the mouse pad page did not build\n");
    return 1;
  }
  padManager.AttachDialog(pad);
  pad->SetTile(padWindow);
  padWindow->device = pad;
  pad->AttachCommandInterface(padEntry, padEntry);
  pad->OnTileTimer(kTimerReadAll);
  engine.AddParticipant(CSyncLightEngine::Kind::kMousePad, pad);
  pad->Channel().SetSameMode(1);
  pad->LightPreview().Poke();
  engine.Wake();
  const uint64_t padOwnStart = pad->LightSteps();
  const RunFigures bothRun = Measure(engine, *window, seconds);
  Print("the virtual mouse and mouse pad", effect, speed, bothRun);
  std::printf("  the devices' own light threads meanwhile: mouse %llu, pad %llu steps\n",
              static_cast<unsigned long long>(device->LightSteps() - ownStepsStart),
              static_cast<unsigned long long>(pad->LightSteps() - padOwnStart));
  engine.Stop();

  padWindow->device = nullptr;
  padManager.AttachDialog(nullptr);
  delete pad;
  delete padCreated.power;
  DestroyWindow(padWindow->GetHWND());
  window->device = nullptr;
  manager.AttachDialog(nullptr);
  delete device;
  delete created.power;
  DestroyWindow(window->GetHWND());
  return 0;
}
