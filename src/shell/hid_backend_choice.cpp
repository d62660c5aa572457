#include "shell/hid_backend_choice.h"

#include "platform/debug_output.h"
#include "platform/desktop_bus/bus_folder.h"
#include "platform/hidraw/hidraw_backend.h"
#include "sim/simulation.h"

std::shared_ptr<IHidBackend> MakeHidBackend(bool simulate, const std::string& simulateList, std::string* error,
                                            bool acceptFirmwareUpdates) {
  if (!simulate) return std::make_shared<CHidrawBackend>();
  std::shared_ptr<CSimulation> simulation = CreateSimulation(simulateList, error);
  if (!simulation) return nullptr;
  if (acceptFirmwareUpdates && simulation->Mouse()) {
    std::string problem;
    const std::string bus = OpenDesktopBusFolder(problem);
    if (bus.empty() || !simulation->ListenForFirmwareUpdates(bus, problem)) {
      OutputDebugString("the virtual mouse takes no firmware updates: " + problem);
    }
  }
  // The backend shares ownership of the whole simulation, so its virtual devices stay plugged in
  // for as long as anyone holds the backend.
  return std::shared_ptr<IHidBackend>(simulation, &simulation->Backend());
}
