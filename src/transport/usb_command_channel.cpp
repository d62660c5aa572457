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

// The reply's command byte, or -1 when there is no such byte to compare.
int ReplyEcho(const uint8_t* reply, uint32_t replyLength) {
  if (!reply || replyLength <= kFrameCommandByte) return -1;
  return reply[kFrameCommandByte];
}

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
  if (updateInProgress_.load()) return kResultSuccess;
  BusyScope busy(exchangesInFlight_);
  if (bytesRead) *bytesRead = 0;
  if (!isOpen_.load()) return kResultNoReply;

  const CommandFrame frame = FrameFromBytes(request, requestLength);
  // One trace call per frame keeps its three lines together when several threads trace at once.
  OutputDebugString("命令\n" + FormatFrameTrace(frame));

  const PortChoice port = ChoosePort(ExchangeKind::Normal);
  int result = kResultNoReply;
  {
    // The transfer lock spans the write, the reply and the re-send. Locking the write and the
    // read separately would let a thread that holds a different lock (the lighting commands) or
    // none at all (the recoil upload) slip its frame in between, and one of the two would then
    // take the other's reply.
    CLockGuard transfer(transferLock_);
    for (int attempt = 0; attempt < kExchangeAttempts; ++attempt) {
      // Through the receiver, unsolicited reports and late answers to earlier frames queue up on
      // the same interface; they must not be mistaken for this frame's reply.
      if (port.receiver) port.port->FlushQueue();
      if (!port.port->WriteReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs)) {
        return kResultWriteFailed;
      }
      clock_.SleepMs(kPauseBeforeReplyMs);
      result = port.port->ReadReport(reply, replyLength, bytesRead, port.timeoutMs);
      const int echo = ReplyEcho(reply, replyLength);
      if (echo == frame[kFrameCommandByte]) break;
      if (port.receiver && echo == kReceiverNotLinkedCommand) {
        result = kResultNotLinked;
        break;
      }
      // A second mismatch is taken as it is: the command's status test is the only guard left.
    }
  }
  TraceReply(reply, replyLength);
  return result;
}

int CUsbCommandChannel::ExchangeQuiet(const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                                      uint32_t replyLength, uint32_t* bytesRead) {
  BusyScope busy(exchangesInFlight_);
  if (bytesRead) *bytesRead = 0;
  if (!isOpen_.load()) return kResultNoReply;

  const CommandFrame frame = FrameFromBytes(request, requestLength);
  const PortChoice port = ChoosePort(ExchangeKind::Quiet);
  // Held from the write to the last read, for the same reason as in Exchange.
  CLockGuard transfer(transferLock_);
  if (!port.port->WriteReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs)) return kResultWriteFailed;
  const int result = port.port->ReadReport(reply, replyLength, bytesRead, port.timeoutMs);
  const int echo = ReplyEcho(reply, replyLength);
  if (echo == frame[kFrameCommandByte]) return result;
  if (port.receiver && echo == kReceiverNotLinkedCommand) return kResultNotLinked;
  // A lighting frame is never sent twice; the reply that did not match is usually a late one
  // and this frame's own answer is next in the queue.
  return port.port->ReadReport(reply, replyLength, bytesRead, port.timeoutMs);
}

int CUsbCommandChannel::ExchangeRaw(const uint8_t* request, uint32_t requestLength) {
  if (!isOpen_.load()) return kResultNoReply;
  CommandFrame frame = FrameFromBytes(request, requestLength);
  const PortChoice port = ChoosePort(ExchangeKind::Normal);
  // Held across write and read so this reply cannot be taken by another thread's exchange.
  CLockGuard transfer(transferLock_);
  // Host-ready is a notice: only whether some reply came back is reported, even after a failed write.
  port.port->WriteReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs);
  return port.port->ReadReport(frame.data(), kCommandFrameSize, nullptr, port.timeoutMs);
}
