#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/hid/hid_backend.h"

// A scriptable stand-in for the machine's HID interfaces, for tests of the command channel. Each
// fake device answers every 64-byte frame written to it with one reply that a reader of any of
// its connections can take. By default the reply echoes the command, length and offset with
// status 0; a read command is served from the device's memory and a write command stored into it.
// Faults and a custom responder change that per frame.

using FakeReport = std::vector<uint8_t>;

enum class FakeFault {
  None,
  NoReply,            // the frame is taken but never answered
  WrongEcho,          // the reply's command byte differs from the request's
  StatusError,        // status 0xFF
  StatusSecondError,  // status 0xFE
  NotLinked,          // the receiver answers 0xAA in the command byte: no device behind it
  WriteFails,         // the write itself fails; nothing is answered
};

struct FakeWrittenFrame {
  std::string path;
  FakeReport bytes;
  bool accepted = true;  // false when the write was made to fail
};

// The addressing of one written frame: command, length and offset, for comparing sequences.
struct FakeFrameShape {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t offset = 0;
  bool operator==(const FakeFrameShape&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FakeFrameShape& shape);
std::vector<FakeFrameShape> FrameShapes(const std::vector<FakeWrittenFrame>& frames);

class CFakeFrameLog {
 public:
  void Add(FakeWrittenFrame frame);
  std::vector<FakeWrittenFrame> Frames() const;
  std::vector<FakeWrittenFrame> FramesTo(const std::string& path) const;

 private:
  mutable std::mutex mutex_;
  std::vector<FakeWrittenFrame> frames_;
};

class CFakeHidDevice {
 public:
  // Returns the reports the device sends back for one request, in order (none: no reply), given
  // what it would have answered by default. Called with the device's lock held: it must not
  // call back into the device.
  using Responder = std::function<std::vector<FakeReport>(const FakeReport& request, const FakeReport& defaultReply)>;

  CFakeHidDevice(std::string path, CFakeFrameLog& log);

  const std::string& Path() const { return path_; }

  // Applies to every frame from now on.
  void SetFault(FakeFault fault);
  // Applies to one frame only: the frame with this index among all writes the device has seen,
  // counted from 0 (failed writes included). Takes precedence over SetFault.
  void SetFaultAt(size_t frameIndex, FakeFault fault);
  // Applies to the next frame only.
  void SetFaultOnce(FakeFault fault);
  // Replaces the default answer; faults still apply to each report the responder returns.
  void SetResponder(Responder responder);
  // Each reply becomes readable after a random delay within this range.
  void SetReplyLatency(uint32_t minMs, uint32_t maxMs);
  // While held, replies are queued but no reader gets them until ReleaseReplies.
  void HoldReplies();
  void ReleaseReplies();
  // Queues a report nobody asked for, as an event report or a late answer would be.
  void InjectInputReport(FakeReport report);

  // The memory behind a command's block. A read command and its write partner share one block:
  // device information (3/4), settings (5/6), configuration image (7/9), banks (10/11).
  void SetBlock(uint8_t command, uint32_t offset, const FakeReport& bytes);
  FakeReport Block(uint8_t command, uint32_t offset, uint32_t length) const;

  size_t FramesReceived() const;
  std::vector<FakeWrittenFrame> Frames() const { return log_.FramesTo(path_); }
  // Waits until at least `count` frames have been received.
  bool WaitForFrames(size_t count, uint32_t timeoutMs) const;
  size_t FlushCount() const;
  // Replies read by a different thread from the one that wrote their request.
  size_t CrossedReplies() const;

  // Called by the fake connections.
  HidIoStatus Write(const uint8_t* buffer, size_t length, size_t* bytesWritten);
  HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead, const bool& aborted);
  void Flush();
  void WakeReaders();
  std::mutex& Mutex() const { return mutex_; }

 private:
  struct PendingReply {
    FakeReport bytes;
    std::chrono::steady_clock::time_point readyAt;
    std::thread::id writer;  // default id for an injected report
  };

  FakeFault FaultForFrameLocked(size_t frameIndex);
  FakeReport& BlockLocked(uint8_t command);
  FakeReport DefaultReplyLocked(const FakeReport& request);

  const std::string path_;
  CFakeFrameLog& log_;

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  FakeFault fault_ = FakeFault::None;
  std::map<size_t, FakeFault> oneShotFaults_;
  Responder responder_;
  uint32_t minLatencyMs_ = 0;
  uint32_t maxLatencyMs_ = 0;
  std::mt19937 random_{640};
  bool holding_ = false;
  std::vector<PendingReply> queue_;
  std::map<uint8_t, FakeReport> blocks_;
  size_t framesReceived_ = 0;
  size_t flushCount_ = 0;
  size_t crossedReplies_ = 0;
};

class CFakeHidBackend : public IHidBackend {
 public:
  CFakeHidBackend();
  ~CFakeHidBackend() override;

  CFakeHidDevice& AddDevice(const std::string& path);
  CFakeHidDevice& Device(const std::string& path);
  // Every frame written to any device, in the order they arrived.
  std::vector<FakeWrittenFrame> Frames() const { return log_.Frames(); }

  bool EnumerateInterfaces(std::vector<std::string>& paths) override;
  std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode,
                                       HidOpenError* error) override;
  bool IsPresent(const std::string& path) override;
  uint64_t ChangeGeneration() override;

 private:
  CFakeFrameLog log_;
  mutable std::mutex mutex_;
  std::map<std::string, std::unique_ptr<CFakeHidDevice>> devices_;
  uint64_t generation_ = 1;
};
