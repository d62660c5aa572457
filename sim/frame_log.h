#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// How an output report reached the device: written to the interrupt pipe (WriteReport) or sent
// through the control pipe (SetOutputReport).
enum class SimReportPath { Interrupt, Control };

struct SimLoggedFrame {
  SimReportPath path = SimReportPath::Interrupt;
  uint8_t interfaceNumber = 0;
  int collectionNumber = 1;      // 1-based within the interface
  bool throughReceiver = false;  // a mouse frame that came in over the 2.4 GHz link
  std::vector<uint8_t> bytes;    // as written, report id first

  uint8_t Command() const { return bytes.size() > 3 ? bytes[3] : 0; }
};

// Every output report a virtual device received, oldest first. Long runs (benchmarks) keep only
// the most recent frames so the log cannot grow without bound.
class CSimFrameLog {
 public:
  static constexpr size_t kCapacity = 65536;

  void Append(SimLoggedFrame frame);
  std::vector<SimLoggedFrame> Snapshot() const;
  // Command bytes (byte 3) of the logged frames in order.
  std::vector<uint8_t> Commands() const;
  size_t Size() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::deque<SimLoggedFrame> frames_;
};
