// Measures the transport's two running costs on virtual devices: how many command frames per
// second go through Exchange, and how much CPU the device scan loop burns while a mouse sits
// attached. Prints the figures; it is not a test and asserts nothing.
//
//   transport_benchmark [--frames N] [--scan-seconds S] [--hidraw]
//
// --hidraw also measures the scan loop on this machine's real HID interfaces.

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/hidraw/hidraw_backend.h"
#include "sim/simulation.h"
#include "transport/device_scanner.h"
#include "transport/usb_command_channel.h"

namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void MeasureExchange(int frames) {
  std::string error;
  auto simulation = CreateSimulation("mouse", &error);
  CSimHidBackend& backend = simulation->Backend();
  CUsbCommandChannel channel(backend);
  if (!channel.DirectPort().Open(backend.CommandPathOf(*simulation->Mouse()), true, true, true, false)) {
    std::fprintf(stderr, "cannot open the virtual mouse\n");
    std::exit(1);
  }
  channel.SetConnectionType(kConnectionTypeCable);
  channel.SetIsOpen(1);

  uint8_t request[64] = {4, 1, 0, 1};  // BeginConfig with its checksum
  uint8_t reply[64];
  int failures = 0;
  const uint64_t start = GetTickCountMs();
  const double cpuStart = ProcessCpuSeconds();
  for (int i = 0; i < frames; ++i) {
    if (channel.Exchange(request, sizeof request, reply, sizeof reply, nullptr) != 1) ++failures;
  }
  const double seconds = static_cast<double>(GetTickCountMs() - start) / 1000.0;
  const double cpu = ProcessCpuSeconds() - cpuStart;
  std::printf("Exchange on the virtual mouse (cable, ~1 ms reply latency): %d frames in %.2f s = %.1f frames/s, "
              "%.2f ms CPU per frame, %d failed\n",
              frames, seconds, frames / seconds, cpu * 1000.0 / frames, failures);
}

class IgnoringSink : public IDeviceScanSink {
 public:
  void OnDeviceArrival(size_t, const DeviceEntry&, CEvent&) override { ++arrivals; }
  void OnDeviceRemove(size_t, const DeviceEntry&, CEvent&) override {}
  void PostFirstScanComplete() override {}
  int arrivals = 0;
};

void MeasureScanLoop(IHidBackend& backend, const char* label, int seconds) {
  CDeviceSlotList slots;
  IgnoringSink sink;
  CDeviceScanner scanner(backend, slots, sink);
  const double cpuStart = ProcessCpuSeconds();
  scanner.Start();
  SleepMs(static_cast<uint32_t>(seconds) * 1000);
  scanner.Stop();
  const double cpu = ProcessCpuSeconds() - cpuStart;
  std::printf("Scan loop, %s: %.1f ms CPU over %d s (%.3f%% of one core), %d interfaces claimed\n", label,
              cpu * 1000.0, seconds, cpu * 100.0 / seconds, sink.arrivals);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 500;
  int scanSeconds = 10;
  bool hidraw = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--scan-seconds") && i + 1 < argc) {
      scanSeconds = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--hidraw")) {
      hidraw = true;
    } else {
      std::fprintf(stderr, "usage: transport_benchmark [--frames N] [--scan-seconds S] [--hidraw]\n");
      return 2;
    }
  }

  MeasureExchange(frames > 0 ? frames : 1);

  std::string error;
  auto simulation = CreateSimulation("mouse", &error);
  MeasureScanLoop(simulation->Backend(), "virtual mouse attached", scanSeconds);
  if (hidraw) {
    CHidrawBackend machine;
    MeasureScanLoop(machine, "this machine's hidraw interfaces", scanSeconds);
  }
  return 0;
}
