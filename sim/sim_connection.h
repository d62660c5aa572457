#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/hid/hid_backend.h"

class CSimPlug;

// One open collection of a plugged virtual device, behaving like an open hidraw descriptor: its
// own queue of input reports, transfers that fail once the device is gone, and an Abort that
// releases a blocked reader at once and for good.
//
// A queued report carries the moment it becomes readable, so the reply latency of an interrupt
// endpoint is modelled by the reader's timed wait instead of by a helper thread.
class CSimConnection : public IHidConnection {
 public:
  using Clock = std::chrono::steady_clock;
  // The kernel keeps this many reports per open descriptor and drops newer ones when it is full.
  static constexpr size_t kQueueCapacity = 64;

  CSimConnection(std::shared_ptr<CSimPlug> plug, size_t collectionIndex, const HidOpenMode& mode);

  const HidAttributes& Attributes() const override;
  const HidCaps& Caps() const override;
  HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) override;
  HidIoStatus Write(const uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesWritten) override;
  bool SetOutputReport(const uint8_t* buffer, size_t length) override;
  // Drops the reports that have already arrived; a reply still on its way is not touched.
  void FlushInput() override;
  void Abort() override;

  // Plug side.
  void Enqueue(const std::vector<uint8_t>& report, Clock::time_point readyAt);
  void MarkDeviceGone();

 private:
  struct QueuedReport {
    Clock::time_point readyAt;
    std::vector<uint8_t> bytes;
  };

  // Aborted or Failed when the connection can no longer transfer, else Ok.
  HidIoStatus StateLocked() const;
  HidIoStatus SendOutput(const uint8_t* buffer, size_t length, bool controlPipe);

  const std::shared_ptr<CSimPlug> plug_;
  const size_t collectionIndex_;
  const HidOpenMode mode_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<QueuedReport> queue_;  // ordered by readyAt
  bool aborted_ = false;
  bool gone_ = false;
};
