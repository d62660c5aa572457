#include <cstring>
#include <mutex>
#include <optional>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/log_file.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

// The command vocabulary of the channel. Single-frame commands go out as one request; chunked
// ones move a block in ChunkSize pieces, each frame under the command's lock.

namespace {

// Gives the device time to finish storing a transaction's last write before it is told the
// transaction is over.
constexpr uint32_t kPauseBeforeEndConfigMs = 10;
constexpr uint32_t kConfigImageBankSize = 512;
// The receiver answers the link test with this byte at the payload's start when the device is linked.
constexpr uint8_t kLinkedAnswer = 0xFF;

// The start of a bank, or nothing when it lies past what a frame's offset can address.
std::optional<uint32_t> BankOffset(uint32_t bank, uint32_t bankSize) {
  const uint64_t offset = uint64_t{bank} * bankSize;
  if (offset > kMaxChunkOffset) return std::nullopt;
  return static_cast<uint32_t>(offset);
}

}  // namespace

int CUsbCommandChannel::ExchangeUnderLock(FrameLock lock, const PortChoice& port, ExchangeKind kind,
                                          const CommandFrame& request, CommandFrame& reply) {
  std::unique_lock<CRecursiveLock> guard;
  if (lock == FrameLock::Command) guard = std::unique_lock(commandLock_);
  if (lock == FrameLock::Light) guard = std::unique_lock(lightLock_);
  return ExchangeFrame(port, kind, request, reply.data(), kCommandFrameSize, nullptr);
}

int CUsbCommandChannel::RunSingleFrame(CommandFrame& request, CommandFrame& reply) {
  const int result =
      ExchangeUnderLock(FrameLock::Command, ChoosePort(ExchangeKind::Normal), ExchangeKind::Normal, request, reply);
  if (result != kResultSuccess) return result;
  return ReplyStatusResult(reply);
}

int CUsbCommandChannel::TransferChunks(const ChunkedTransfer& transfer) {
  if (transfer.total > 0 && !transfer.destination && !transfer.source) return kResultInvalidArgument;
  // Every chunk's offset must fit the frame's 16 bits; a wrapped offset would land on the block's
  // start.
  if (transfer.total > 0 && uint64_t{transfer.baseOffset} + transfer.total - 1 > kMaxChunkOffset) {
    return kResultInvalidArgument;
  }
  // The port and its chunk size are chosen once for the whole block (a switch between cable and
  // receiver in the middle ends the transfer rather than sending the rest the wrong way).
  const ExchangeKind kind = transfer.lightStream ? ExchangeKind::Quiet : ExchangeKind::Normal;
  const PortChoice port = ChoosePort(kind);
  const uint32_t chunk = port.receiver ? kReceiverChunkSize : kDirectChunkSize;
  // One request and one reply buffer for the whole block: a shorter last chunk still carries the
  // previous chunk's tail in its payload area, and the device checks the checksum over it.
  CommandFrame request;
  CommandFrame reply;
  StartCommandFrame(request, transfer.command);
  for (uint32_t done = 0; done < transfer.total; done += chunk) {
    const uint32_t length = done + chunk < transfer.total ? chunk : transfer.total - done;
    PrepareChunk(request, static_cast<uint8_t>(length), static_cast<uint16_t>(transfer.baseOffset + done),
                 transfer.source ? transfer.source + done : nullptr);
    if (transfer.lightStream && Busy()) {
      // Lighting frames are worth nothing late: rather than queue behind another exchange, the
      // chunk is dropped and the stream moves on.
      OutputDebugString("放弃灯光数据");
      continue;
    }
    int result = ExchangeUnderLock(transfer.lock, port, kind, request, reply);
    if (result != kResultSuccess) return result;
    result = ReplyStatusResult(reply);
    if (result != kResultSuccess) return result;
    if (transfer.destination) std::memcpy(transfer.destination + done, FramePayload(reply), length);
  }
  return kResultSuccess;
}

int CUsbCommandChannel::BeginConfig() {
  CommandFrame request = BuildRequest(kCmdBeginConfig, 0, 0);
  CommandFrame reply;
  return RunSingleFrame(request, reply);
}

int CUsbCommandChannel::EndConfig() {
  CommandFrame request = BuildRequest(kCmdEndConfig, 0, 0);
  CommandFrame reply;
  clock_.SleepMs(kPauseBeforeEndConfigMs);
  return RunSingleFrame(request, reply);
}

int CUsbCommandChannel::LightControlOn() {
  CommandFrame request = BuildRequest(kCmdLightControlOn, 0, 0);
  CommandFrame reply;
  return RunSingleFrame(request, reply);
}

int CUsbCommandChannel::WriteDeviceInfo(const uint8_t* source) {
  // The block goes as one 34-byte frame, more than the receiver carries: over the cable only.
  if (!source || receiverMode_.load()) return kResultInvalidArgument;
  CommandFrame request = BuildRequest(kCmdWriteDeviceInfo, kDeviceInfoSize, 0, source, kDeviceInfoSize);
  CommandFrame reply;
  return RunSingleFrame(request, reply);
}

int CUsbCommandChannel::ReadStatus(uint8_t* destination, uint32_t length, uint32_t offset) {
  if (length > kFramePayloadCapacity || (length > 0 && !destination)) return kResultInvalidArgument;
  CommandFrame request = BuildRequest(kCmdReadStatus, static_cast<uint8_t>(length), static_cast<uint16_t>(offset));
  CommandFrame reply;
  const int result = RunSingleFrame(request, reply);
  if (result != kResultSuccess) return result;
  if (length > 0) std::memcpy(destination, FramePayload(reply), length);
  return kResultSuccess;
}

int CUsbCommandChannel::SendHostReady() {
  // The device takes this notice without a checksum, so bytes 1-2 stay zero.
  CommandFrame request;
  StartCommandFrame(request, kCmdSendHostReady);
  CLockGuard guard(commandLock_);
  return ExchangeRaw(request.data(), kCommandFrameSize);
}

bool CUsbCommandChannel::Hid2_4GDeviceIsLink() {
  if (!receiverMode_.load()) return true;
  CommandFrame request = BuildRequest(kCmdDeviceIsLink, 0, 0);
  CommandFrame reply;
  // The command number is the receiver's own not-linked answer, so the echo check always
  // passes; the answer is in the payload.
  const int result =
      ExchangeUnderLock(FrameLock::Command, ChoosePort(ExchangeKind::Normal), ExchangeKind::Normal, request, reply);
  bool linked = FramePayload(reply)[0] == kLinkedAnswer;
  if (!linked) WriteLogLine("Hid2_4GDeviceIsLink>0xAA    false");
  if (result != kResultSuccess || ReplyStatusResult(reply) != kResultSuccess) linked = false;
  return linked;
}

int CUsbCommandChannel::ReadDeviceInfo(uint8_t* destination) {
  if (!destination) return kResultInvalidArgument;
  // Collected aside so that a transfer that fails half-way leaves the caller's block untouched.
  uint8_t scratch[kDeviceInfoSize] = {};
  const int result = TransferChunks(
      {.command = kCmdReadDeviceInfo, .destination = scratch, .total = kDeviceInfoSize});
  if (result == kResultSuccess) std::memcpy(destination, scratch, kDeviceInfoSize);
  return result;
}

int CUsbCommandChannel::ReadSettings(uint8_t* destination, uint32_t length, uint32_t baseOffset) {
  return TransferChunks({.command = kCmdReadSettings,
                         .destination = destination,
                         .total = length,
                         .baseOffset = baseOffset});
}

int CUsbCommandChannel::WriteSettings(const uint8_t* source, uint32_t length, uint32_t baseOffset) {
  return TransferChunks({.command = kCmdWriteSettings,
                         .source = source,
                         .total = length,
                         .baseOffset = baseOffset});
}

int CUsbCommandChannel::ReadConfigImage(uint8_t* destination, uint32_t capacity) {
  const uint32_t size = ConfigSize();
  if (capacity < size) return kResultInvalidArgument;
  return TransferChunks({.command = kCmdReadConfigImage, .destination = destination, .total = size});
}

int CUsbCommandChannel::WriteConfigImage(const uint8_t* source, uint32_t length, uint32_t bank) {
  // The image replaces the device's records one for one: a buffer of another size is not the
  // image that was read.
  if (bank != 0 || length != ConfigSize()) return kResultInvalidArgument;
  return TransferChunks({.command = kCmdWriteConfigImage,
                         .source = source,
                         .total = length,
                         .baseOffset = bank * kConfigImageBankSize});
}

int CUsbCommandChannel::ReadConfigThird(uint8_t* destination, uint32_t capacity) {
  const uint32_t size = ConfigSize() / 3u;
  if (capacity < size) return kResultInvalidArgument;
  return TransferChunks({.command = kCmdReadConfigThird, .destination = destination, .total = size});
}

int CUsbCommandChannel::ReadBankBlock(uint8_t* destination, uint32_t length, uint32_t bank, uint32_t bankSize) {
  const std::optional<uint32_t> base = BankOffset(bank, bankSize);
  if (!base) return kResultInvalidArgument;
  return TransferChunks(
      {.command = kCmdReadBankBlock, .destination = destination, .total = length, .baseOffset = *base});
}

int CUsbCommandChannel::WriteBankBlock(const uint8_t* source, uint32_t length, uint32_t bank, uint32_t bankSize) {
  const std::optional<uint32_t> base = BankOffset(bank, bankSize);
  if (!base) return kResultInvalidArgument;
  return TransferChunks({.command = kCmdWriteBankBlock,
                         .source = source,
                         .total = length,
                         .baseOffset = *base,
                         .lock = FrameLock::Light});
}

int CUsbCommandChannel::WriteLightStream(const uint8_t* source, uint32_t length) {
  return TransferChunks({.command = kCmdWriteLightStream,
                         .source = source,
                         .total = length,
                         .lock = FrameLock::Light,
                         .lightStream = true});
}

int CUsbCommandChannel::WriteMacroData(const uint8_t* source, uint32_t length) {
  return TransferChunks(
      {.command = kCmdWriteMacroData, .source = source, .total = length});
}

int CUsbCommandChannel::WriteShootData(const uint8_t* source, uint32_t length) {
  // The recoil upload runs under no command lock; the transfer lock alone keeps its frames apart
  // from the others. Its chunks are the port's, as every transfer's: the receiver carries no more
  // than 24 bytes a frame.
  return TransferChunks(
      {.command = kCmdWriteShootData, .source = source, .total = length, .lock = FrameLock::None});
}
