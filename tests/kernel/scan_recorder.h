#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "transport/device_scanner.h"

struct ScanEvent {
  char what = 0;  // 'A' arrival, 'R' removal
  size_t slot = 0;
  std::string path;  // the claimed path of an arrival; empty for a removal
  bool operator==(const ScanEvent&) const = default;
};

inline void PrintTo(const ScanEvent& event, std::ostream* out) {
  *out << event.what << event.slot << (event.path.empty() ? "" : " " + event.path);
}

// Records what the scan loop tells the main window, from whichever thread it runs on.
class CScanRecorder : public IDeviceScanSink {
 public:
  void OnDeviceArrival(size_t slot, const DeviceEntry& entry, CEvent&) override { Add({'A', slot, entry.DevicePath}); }
  void OnDeviceRemove(size_t slot, const DeviceEntry&, CEvent&) override { Add({'R', slot, {}}); }
  void PostFirstScanComplete() override {}

  // Everything recorded so far, which is then forgotten.
  std::vector<ScanEvent> Take();
  // Waits until `count` events are recorded (or the time is up), then takes them all.
  std::vector<ScanEvent> TakeWhenCount(size_t count, uint32_t timeoutMs);

 private:
  void Add(ScanEvent event);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ScanEvent> events_;
};
