#include "support/fake_hid_backend.h"

#include <algorithm>
#include <cstring>

#include "platform/event.h"

namespace {

constexpr size_t kFrameSize = 64;
constexpr size_t kBlockSize = 65536 + kFrameSize;  // any 16-bit offset plus a full payload

// Which block a command addresses: a read and its write partner share one.
uint8_t BlockKey(uint8_t command) {
  switch (command) {
    case 0x03:
      return 0x04;
    case 0x05:
      return 0x06;
    case 0x07:
      return 0x09;
    case 0x0A:
      return 0x0B;
    default:
      return command;
  }
}

bool IsReadCommand(uint8_t command) {
  return command == 0x03 || command == 0x05 || command == 0x07 || command == 0x0A || command == 0x1A ||
         command == 0x1B;
}

bool IsWriteCommand(uint8_t command) {
  return command == 0x04 || command == 0x06 || command == 0x09 || command == 0x0B || command == 0x12 ||
         command == 0x15 || command == 0x17;
}

void ApplyFault(FakeFault fault, FakeReport& reply) {
  switch (fault) {
    case FakeFault::WrongEcho:
      reply[3] ^= 0x40;
      break;
    case FakeFault::StatusError:
      reply[7] = 0xFF;
      break;
    case FakeFault::StatusSecondError:
      reply[7] = 0xFE;
      break;
    case FakeFault::NotLinked:
      reply[3] = 0xAA;
      reply[8] = 0x00;
      break;
    default:
      break;
  }
}

class CFakeConnection : public IHidConnection {
 public:
  explicit CFakeConnection(CFakeHidDevice& device) : device_(device) {
    caps_.UsagePage = 0xFF00;
    caps_.Usage = 0x01;
    caps_.InputReportByteLength = kFrameSize;
    caps_.OutputReportByteLength = kFrameSize;
  }

  const HidAttributes& Attributes() const override { return attributes_; }
  const HidCaps& Caps() const override { return caps_; }

  HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) override {
    return device_.Read(buffer, length, timeoutMs, bytesRead, aborted_);
  }

  HidIoStatus Write(const uint8_t* buffer, size_t length, uint32_t, size_t* bytesWritten) override {
    {
      std::lock_guard guard(device_.Mutex());
      if (aborted_) return HidIoStatus::Aborted;
    }
    return device_.Write(buffer, length, bytesWritten);
  }

  bool SetOutputReport(const uint8_t*, size_t) override { return true; }
  void FlushInput() override { device_.Flush(); }

  void Abort() override {
    {
      std::lock_guard guard(device_.Mutex());
      aborted_ = true;
    }
    device_.WakeReaders();
  }

 private:
  CFakeHidDevice& device_;
  HidAttributes attributes_;
  HidCaps caps_;
  bool aborted_ = false;  // guarded by the device's mutex
};

}  // namespace

std::ostream& operator<<(std::ostream& out, const FakeFrameShape& shape) {
  return out << "{cmd " << int(shape.command) << ", len " << int(shape.length) << ", offset " << shape.offset << "}";
}

std::vector<FakeFrameShape> FrameShapes(const std::vector<FakeWrittenFrame>& frames) {
  std::vector<FakeFrameShape> shapes;
  for (const auto& frame : frames) {
    FakeReport bytes = frame.bytes;
    bytes.resize(std::max(bytes.size(), kFrameSize), 0);
    shapes.push_back({bytes[3], bytes[4], static_cast<uint16_t>(bytes[5] | (bytes[6] << 8))});
  }
  return shapes;
}

void CFakeFrameLog::Add(FakeWrittenFrame frame) {
  std::lock_guard guard(mutex_);
  frames_.push_back(std::move(frame));
}

std::vector<FakeWrittenFrame> CFakeFrameLog::Frames() const {
  std::lock_guard guard(mutex_);
  return frames_;
}

std::vector<FakeWrittenFrame> CFakeFrameLog::FramesTo(const std::string& path) const {
  std::lock_guard guard(mutex_);
  std::vector<FakeWrittenFrame> matching;
  for (const auto& frame : frames_) {
    if (frame.path == path) matching.push_back(frame);
  }
  return matching;
}

CFakeHidDevice::CFakeHidDevice(std::string path, CFakeFrameLog& log) : path_(std::move(path)), log_(log) {}

void CFakeHidDevice::SetFault(FakeFault fault) {
  std::lock_guard guard(mutex_);
  fault_ = fault;
}

void CFakeHidDevice::SetFaultAt(size_t frameIndex, FakeFault fault) {
  std::lock_guard guard(mutex_);
  oneShotFaults_[frameIndex] = fault;
}

void CFakeHidDevice::SetFaultOnce(FakeFault fault) {
  std::lock_guard guard(mutex_);
  oneShotFaults_[framesReceived_] = fault;
}

void CFakeHidDevice::SetResponder(Responder responder) {
  std::lock_guard guard(mutex_);
  responder_ = std::move(responder);
}

void CFakeHidDevice::SetReplyLatency(uint32_t minMs, uint32_t maxMs) {
  std::lock_guard guard(mutex_);
  minLatencyMs_ = minMs;
  maxLatencyMs_ = std::max(minMs, maxMs);
}

void CFakeHidDevice::HoldReplies() {
  std::lock_guard guard(mutex_);
  holding_ = true;
}

void CFakeHidDevice::ReleaseReplies() {
  {
    std::lock_guard guard(mutex_);
    holding_ = false;
  }
  changed_.notify_all();
}

void CFakeHidDevice::InjectInputReport(FakeReport report) {
  {
    std::lock_guard guard(mutex_);
    queue_.push_back({std::move(report), std::chrono::steady_clock::now(), std::thread::id()});
  }
  changed_.notify_all();
}

void CFakeHidDevice::SetBlock(uint8_t command, uint32_t offset, const FakeReport& bytes) {
  std::lock_guard guard(mutex_);
  FakeReport& block = BlockLocked(command);
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), block.size() - std::min<size_t>(offset, block.size())),
              block.begin() + std::min<size_t>(offset, block.size()));
}

FakeReport CFakeHidDevice::Block(uint8_t command, uint32_t offset, uint32_t length) const {
  std::lock_guard guard(mutex_);
  auto found = blocks_.find(BlockKey(command));
  if (found == blocks_.end()) return FakeReport(length, 0);
  const size_t begin = std::min<size_t>(offset, found->second.size());
  const size_t end = std::min<size_t>(begin + length, found->second.size());
  return FakeReport(found->second.begin() + begin, found->second.begin() + end);
}

FakeReport& CFakeHidDevice::BlockLocked(uint8_t command) {
  FakeReport& block = blocks_[BlockKey(command)];
  if (block.empty()) block.assign(kBlockSize, 0);
  return block;
}

FakeReport CFakeHidDevice::DefaultReplyLocked(const FakeReport& request) {
  FakeReport reply(kFrameSize, 0);
  const uint8_t command = request[3];
  const uint8_t length = std::min<uint8_t>(request[4], 56);
  const uint32_t offset = request[5] | (request[6] << 8);
  reply[0] = 4;
  reply[3] = command;
  reply[4] = request[4];
  reply[5] = request[5];
  reply[6] = request[6];
  if (IsWriteCommand(command)) {
    std::copy_n(request.begin() + 8, length, BlockLocked(command).begin() + offset);
  } else if (IsReadCommand(command)) {
    std::copy_n(BlockLocked(command).begin() + offset, length, reply.begin() + 8);
  } else if (command == 0xAA) {
    reply[8] = 0xFF;  // linked
  }
  return reply;
}

FakeFault CFakeHidDevice::FaultForFrameLocked(size_t frameIndex) {
  auto found = oneShotFaults_.find(frameIndex);
  if (found == oneShotFaults_.end()) return fault_;
  FakeFault fault = found->second;
  oneShotFaults_.erase(found);
  return fault;
}

HidIoStatus CFakeHidDevice::Write(const uint8_t* buffer, size_t length, size_t* bytesWritten) {
  if (bytesWritten) *bytesWritten = 0;
  {
    std::lock_guard guard(mutex_);
    const FakeFault fault = FaultForFrameLocked(framesReceived_++);
    FakeReport written(buffer, buffer + length);
    log_.Add({path_, written, fault != FakeFault::WriteFails});
    if (fault == FakeFault::WriteFails) {
      changed_.notify_all();
      return HidIoStatus::Failed;
    }
    if (fault != FakeFault::NoReply) {
      FakeReport request = written;
      request.resize(std::max(request.size(), kFrameSize), 0);
      FakeReport reply = DefaultReplyLocked(request);
      std::vector<FakeReport> replies = responder_ ? responder_(request, reply) : std::vector<FakeReport>{reply};
      for (FakeReport& each : replies) {
        each.resize(std::max(each.size(), kFrameSize), 0);
        ApplyFault(fault, each);
        std::uniform_int_distribution<uint32_t> latencyUs(minLatencyMs_ * 1000, maxLatencyMs_ * 1000);
        const auto readyAt = std::chrono::steady_clock::now() + std::chrono::microseconds(latencyUs(random_));
        queue_.push_back({std::move(each), readyAt, std::this_thread::get_id()});
      }
    }
  }
  changed_.notify_all();
  if (bytesWritten) *bytesWritten = length;
  return HidIoStatus::Ok;
}

HidIoStatus CFakeHidDevice::Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead,
                                 const bool& aborted) {
  if (bytesRead) *bytesRead = 0;
  using Clock = std::chrono::steady_clock;
  const bool unlimited = timeoutMs == kInfiniteWait;
  const auto deadline = Clock::now() + std::chrono::milliseconds(unlimited ? 0 : timeoutMs);
  std::unique_lock lock(mutex_);
  for (;;) {
    if (aborted) return HidIoStatus::Aborted;
    const auto now = Clock::now();
    if (!holding_ && !queue_.empty() && queue_.front().readyAt <= now) break;
    // Replies are queued while their frame is written, so with nothing queued and nothing held
    // back no answer can come: say so at once rather than sit out the time-out.
    if (!holding_ && queue_.empty()) return HidIoStatus::TimedOut;
    if (!unlimited && now >= deadline) return HidIoStatus::TimedOut;
    auto wakeAt = unlimited ? Clock::time_point::max() : deadline;
    if (!holding_) wakeAt = std::min(wakeAt, queue_.front().readyAt);
    if (wakeAt == Clock::time_point::max()) {
      changed_.wait(lock);
    } else {
      changed_.wait_until(lock, wakeAt);
    }
  }
  PendingReply reply = std::move(queue_.front());
  queue_.erase(queue_.begin());
  if (reply.writer != std::thread::id() && reply.writer != std::this_thread::get_id()) ++crossedReplies_;
  const size_t count = std::min(length, reply.bytes.size());
  std::memcpy(buffer, reply.bytes.data(), count);
  if (bytesRead) *bytesRead = count;
  return HidIoStatus::Ok;
}

void CFakeHidDevice::Flush() {
  std::lock_guard guard(mutex_);
  ++flushCount_;
  queue_.clear();
}

void CFakeHidDevice::WakeReaders() { changed_.notify_all(); }

size_t CFakeHidDevice::FramesReceived() const {
  std::lock_guard guard(mutex_);
  return framesReceived_;
}

bool CFakeHidDevice::WaitForFrames(size_t count, uint32_t timeoutMs) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return framesReceived_ >= count; });
}

size_t CFakeHidDevice::FlushCount() const {
  std::lock_guard guard(mutex_);
  return flushCount_;
}

size_t CFakeHidDevice::CrossedReplies() const {
  std::lock_guard guard(mutex_);
  return crossedReplies_;
}

CFakeHidBackend::CFakeHidBackend() = default;
CFakeHidBackend::~CFakeHidBackend() = default;

CFakeHidDevice& CFakeHidBackend::AddDevice(const std::string& path) {
  std::lock_guard guard(mutex_);
  auto& slot = devices_[path];
  if (!slot) slot = std::make_unique<CFakeHidDevice>(path, log_);
  ++generation_;
  return *slot;
}

CFakeHidDevice& CFakeHidBackend::Device(const std::string& path) {
  std::lock_guard guard(mutex_);
  return *devices_.at(path);
}

bool CFakeHidBackend::EnumerateInterfaces(std::vector<std::string>& paths) {
  std::lock_guard guard(mutex_);
  paths.clear();
  for (const auto& [path, device] : devices_) paths.push_back(path);
  return true;
}

std::shared_ptr<IHidConnection> CFakeHidBackend::Open(const std::string& path, const HidOpenMode&,
                                                      HidOpenError* error) {
  std::lock_guard guard(mutex_);
  auto found = devices_.find(path);
  if (found == devices_.end()) {
    if (error) *error = HidOpenError::NotFound;
    return nullptr;
  }
  if (error) *error = HidOpenError::None;
  return std::make_shared<CFakeConnection>(*found->second);
}

bool CFakeHidBackend::IsPresent(const std::string& path) {
  std::lock_guard guard(mutex_);
  return devices_.count(path) > 0;
}

uint64_t CFakeHidBackend::ChangeGeneration() {
  std::lock_guard guard(mutex_);
  return generation_;
}
