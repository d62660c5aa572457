#include "transport/usb_command_channel.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "transport/result_codes.h"

namespace {

constexpr uint32_t kReceiverTimeoutMs = 5000;
constexpr uint32_t kDirectTimeoutMs = 1000;
// The lighting stream would rather lose a frame than stall the preview for five seconds.
constexpr uint32_t kQuietReceiverTimeoutMs = 500;
// The device needs a moment to prepare its answer before the reply is fetched.
constexpr uint32_t kPauseBeforeReplyMs = 10;
constexpr int kExchangeAttempts = 2;

class BusyScope {
 public:
  explicit BusyScope(std::atomic<int>& inFlight) : inFlight_(inFlight) { inFlight_.fetch_add(1); }
  ~BusyScope() { inFlight_.fetch_sub(1); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  std::atomic<int>& inFlight_;
};

void TraceReply(const uint8_t* reply, uint32_t replyLength) {
  CommandFrame frame = FrameFromBytes(reply, reply ? replyLength : 0);
  OutputDebugString("返回\n" + FormatFrameTrace(frame));
}

}  // namespace

CUsbCommandChannel::CUsbCommandChannel(IHidBackend& backend, IClock& clock)
    : clock_(clock), directPort_(backend), receiverPort_(backend) {}

CUsbCommandChannel::~CUsbCommandChannel() {
  isOpen_.store(0);
  updateInProgress_.store(0);
  sameMode_.store(0);
}

int CUsbCommandChannel::SetConfigSize(uint16_t size) {
  if (size > kMaxConfigSize) return 0;
  configSize_.store(size);
  return 1;
}

void CUsbCommandChannel::SetConnectionType(int type) {
  const bool receiver = type == kConnectionTypeReceiver;
  receiverMode_.store(receiver ? 1 : 0);
  chunkSize_.store(receiver ? kReceiverChunkSize : kDirectChunkSize);
}

CUsbCommandChannel::PortChoice CUsbCommandChannel::ChoosePort(ExchangeKind kind) {
  if (receiverMode_.load()) {
    return {&receiverPort_, kind == ExchangeKind::Quiet ? kQuietReceiverTimeoutMs : kReceiverTimeoutMs, true};
  }
  return {&directPort_, kDirectTimeoutMs, false};
}

int CUsbCommandChannel::Exchange(const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                                 uint32_t replyLength, uint32_t* bytesRead) {
  return ExchangeFrame(ChoosePort(ExchangeKind::Normal), ExchangeKind::Normal, FrameFromBytes(request, requestLength),
                       reply, replyLength, bytesRead);
}

int CUsbCommandChannel::ExchangeQuiet(const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                                      uint32_t replyLength, uint32_t* bytesRead) {
  return ExchangeFrame(ChoosePort(ExchangeKind::Quiet), ExchangeKind::Quiet, FrameFromBytes(request, requestLength),
                       reply, replyLength, bytesRead);
}

int CUsbCommandChannel::ExchangeFrame(const PortChoice& port, ExchangeKind kind, const CommandFrame& frame,
                                      uint8_t* reply, uint32_t replyLength, uint32_t* bytesRead) {
  BusyScope busy(exchangesInFlight_);
  if (bytesRead) *bytesRead = 0;
  // While the firmware updater owns the device nothing may reach it, and nothing may be taken for
  // an answer from it either: every exchange fails.
  if (updateInProgress_.load() || !isOpen_.load()) return kResultNoReply;
  if (!reply || replyLength < kCommandFrameSize) return kResultInvalidArgument;
  // A transfer decided its port and chunk size when it started; if the mode has flipped since,
  // the rest of it would reach the other port with the wrong chunks.
  if (port.receiver != (receiverMode_.load() != 0)) return kResultNoReply;
  const bool quiet = kind == ExchangeKind::Quiet;
  // One trace call per frame keeps its three lines together when several threads trace at once.
  if (!quiet) OutputDebugString("命令\n" + FormatFrameTrace(frame));

  // The transfer lock spans the write, the reply and the re-send. Locking the write and the read
  // separately would let a thread that holds a different lock (the lighting commands) or none at
  // all slip its frame in between, and one of the two would then take the other's reply.
  CLockGuard transfer(transferLock_);
  int result = kResultNoReply;
  for (int attempt = 0; attempt < kExchangeAttempts; ++attempt) {
    // The interface keeps every report nobody read: an answer that came after its time-out, an
    // event. Taken for this frame's reply, it would shift every later read by one frame.
    port.port->FlushQueue();
    if (!port.port->WriteReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs)) return kResultWriteFailed;
    if (!quiet) clock_.SleepMs(kPauseBeforeReplyMs);
    result = ReadOwnReply(port, frame, reply, replyLength, bytesRead);
    // Only a frame nobody answered in time is sent again; a wrong answer is never taken.
    if (result != kResultNoReply || quiet) break;
  }
  if (!quiet) TraceReply(reply, replyLength);
  return result;
}

int CUsbCommandChannel::ReadOwnReply(const PortChoice& port, const CommandFrame& frame, uint8_t* reply,
                                     uint32_t replyLength, uint32_t* bytesRead) {
  const uint64_t deadline = GetTickCountMs() + port.timeoutMs;
  for (;;) {
    const uint64_t now = GetTickCountMs();
    if (now >= deadline) return kResultNoReply;
    if (!port.port->ReadReport(reply, replyLength, bytesRead, static_cast<uint32_t>(deadline - now))) {
      return kResultNoReply;
    }
    CommandFrame answer = FrameFromBytes(reply, replyLength);
    if (IsReplyTo(frame, answer)) return kResultSuccess;
    if (port.receiver && FrameCommand(answer) == kReceiverNotLinkedCommand) return kResultNotLinked;
    OutputDebugString("放弃不属于本帧的回复\n" + FormatFrameTrace(answer));
  }
}

int CUsbCommandChannel::ExchangeRaw(const uint8_t* request, uint32_t requestLength) {
  if (updateInProgress_.load() || !isOpen_.load()) return kResultNoReply;
  CommandFrame frame = FrameFromBytes(request, requestLength);
  const PortChoice port = ChoosePort(ExchangeKind::Normal);
  // Held across write and read so this reply cannot be taken by another thread's exchange.
  CLockGuard transfer(transferLock_);
  port.port->FlushQueue();
  // Host-ready is a notice: only whether some reply came back is reported, even after a failed write.
  port.port->WriteReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs);
  return port.port->ReadReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs);
}
