#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/hid/hid_backend.h"

// Which of the reports arriving on a node belong to the collection a connection was opened for.
// Without report ids nothing tells the collections apart, so each of them gets every report.
struct HidrawReportRouting {
  bool usesReportIds = false;
  std::vector<uint8_t> inputReportIds;  // this collection's, when the descriptor uses report ids
};

// One opened top-level collection over a descriptor that delivers one report per read: a
// /dev/hidraw node, or in tests one end of a SOCK_SEQPACKET socket pair.
class CHidrawConnection final : public IHidConnection {
 public:
  // Reports of this collection kept between reads; past it the oldest goes, as in the Windows
  // HID class's ring buffer.
  static constexpr size_t kMaxQueuedReports = 64;

  // Takes `fd` over (it is closed even when this fails); it must be non-blocking. Null when the
  // abort event cannot be made.
  static std::shared_ptr<CHidrawConnection> Create(int fd, const HidAttributes& attributes, const HidCaps& caps,
                                                   HidrawReportRouting routing);
  ~CHidrawConnection() override;
  CHidrawConnection(const CHidrawConnection&) = delete;
  CHidrawConnection& operator=(const CHidrawConnection&) = delete;

  const HidAttributes& Attributes() const override { return attributes_; }
  const HidCaps& Caps() const override { return caps_; }
  HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) override;
  HidIoStatus Write(const uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesWritten) override;
  bool SetOutputReport(const uint8_t* buffer, size_t length) override;
  void FlushInput() override;
  void Abort() override;

 private:
  enum class WaitResult { Ready, HungUp, TimedOut, Aborted, Failed };

  CHidrawConnection(int fd, int abortFd, const HidAttributes& attributes, const HidCaps& caps,
                    HidrawReportRouting routing);
  // Moves every report waiting on the descriptor into the queue, keeping this collection's.
  // False once the device is gone.
  bool DrainLocked();
  void KeepIfOurs(const uint8_t* report, size_t size);
  WaitResult WaitFor(short events, uint64_t deadlineMs, bool unlimited);

  const int fd_;
  const int abortFd_;  // an eventfd; Abort makes it readable for good
  const HidAttributes attributes_;
  const HidCaps caps_;
  const HidrawReportRouting routing_;
  std::atomic<bool> aborted_{false};

  std::mutex queueLock_;  // guards everything below
  std::deque<std::vector<uint8_t>> queue_;
  std::vector<uint8_t> scratch_;
  bool gone_ = false;
};
