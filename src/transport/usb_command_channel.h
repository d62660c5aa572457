#pragma once
#include <atomic>
#include <cstdint>

#include "platform/clock.h"
#include "platform/hid/hid_backend.h"
#include "platform/recursive_lock.h"
#include "transport/command_frame.h"
#include "transport/hid_device.h"

inline constexpr uint16_t kMaxConfigSize = 512;
inline constexpr uint8_t kDirectChunkSize = 56;
inline constexpr uint8_t kReceiverChunkSize = 24;
inline constexpr uint32_t kDeviceInfoSize = 34;
inline constexpr int kConnectionTypeCable = 1;
inline constexpr int kConnectionTypeReceiver = 2;
// The highest offset a frame can address (its offset field has 16 bits).
inline constexpr uint32_t kMaxChunkOffset = 0xFFFF;

// The command path to one device: its cable port and its receiver port, which of them carries
// frames, and the request/reply exchange with its time-outs, echo check, retry and locking. Every
// thread that talks to the device (user interface, device workers, attach and switch code) goes
// through the same channel. All commands return the codes of transport/result_codes.h.
//
// Lock order: CommandLock or LightLock first, then TransferLock; nothing takes CommandLock or
// LightLock while holding TransferLock.
class CUsbCommandChannel {
 public:
  // The pauses between a request and its reply go by `clock`.
  explicit CUsbCommandChannel(IHidBackend& backend, IClock& clock = SystemClock());
  ~CUsbCommandChannel();
  CUsbCommandChannel(const CUsbCommandChannel&) = delete;
  CUsbCommandChannel& operator=(const CUsbCommandChannel&) = delete;

  // --- state ---
  // 1 and the new size when size <= 512; 0 and no change otherwise.
  int SetConfigSize(uint16_t size);
  uint16_t ConfigSize() const { return configSize_.load(); }
  // 2 selects the receiver with 24-byte chunks; anything else the cable with 56-byte chunks.
  void SetConnectionType(int type);
  int ReceiverMode() const { return receiverMode_.load(); }
  uint8_t ChunkSize() const { return chunkSize_.load(); }

  int IsOpen() const { return isOpen_.load(); }
  void SetIsOpen(int open) { isOpen_.store(open ? 1 : 0); }
  // 1 while any Exchange or ExchangeQuiet is in flight on any thread.
  int Busy() const { return exchangesInFlight_.load() > 0 ? 1 : 0; }
  // While set, the firmware updater owns the device: every exchange fails at once without
  // touching it. Only the updater's end or the device leaving clears it.
  int UpdateInProgress() const { return updateInProgress_.load(); }
  void SetUpdateInProgress(int inProgress) { updateInProgress_.store(inProgress ? 1 : 0); }
  // Whether this device takes part in same-mode lighting; kept here, read by the lighting engine.
  int SameMode() const { return sameMode_.load(); }
  void SetSameMode(int sameMode) { sameMode_.store(sameMode ? 1 : 0); }

  IClock& Clock() { return clock_; }
  CHidDevice& DirectPort() { return directPort_; }
  CHidDevice& ReceiverPort() { return receiverPort_; }
  // Held by attach and switch code while a port is opened or closed, so no frame is in flight.
  CRecursiveLock& TransferLock() { return transferLock_; }
  CRecursiveLock& CommandLock() { return commandLock_; }
  CRecursiveLock& LightLock() { return lightLock_; }

  // --- exchanges ---
  // Writes one request (zero-padded or cut to 64 bytes) and reads its reply, with the echo check
  // and one re-send. `bytesRead` (optional) receives the reply's byte count.
  int Exchange(const uint8_t* request, uint32_t requestLength, uint8_t* reply, uint32_t replyLength,
               uint32_t* bytesRead);
  // The lighting stream's exchange: short receiver time-out, no trace, no flush, no pause, and on
  // an echo mismatch one more read instead of a re-send.
  int ExchangeQuiet(const uint8_t* request, uint32_t requestLength, uint8_t* reply, uint32_t replyLength,
                    uint32_t* bytesRead);
  // Writes the request and reads one reply that nobody looks at; the result is the read's.
  int ExchangeRaw(const uint8_t* request, uint32_t requestLength);

  // --- command set ---
  int BeginConfig();
  int EndConfig();
  int ReadDeviceInfo(uint8_t* destination);  // 34 bytes, written only when every chunk arrived
  int WriteDeviceInfo(const uint8_t* source);  // 34 bytes in one frame: over the cable only
  int ReadSettings(uint8_t* destination, uint32_t length, uint32_t baseOffset);
  int WriteSettings(const uint8_t* source, uint32_t length, uint32_t baseOffset);
  // ConfigSize bytes; `capacity` is the destination's size.
  int ReadConfigImage(uint8_t* destination, uint32_t capacity);
  // `length` must be ConfigSize and the bank 0.
  int WriteConfigImage(const uint8_t* source, uint32_t length, uint32_t bank);
  int ReadBankBlock(uint8_t* destination, uint32_t length, uint32_t bank, uint32_t bankSize);
  int WriteBankBlock(const uint8_t* source, uint32_t length, uint32_t bank, uint32_t bankSize);
  // Chunks that meet another exchange in flight are dropped and count as sent.
  int WriteLightStream(const uint8_t* source, uint32_t length);
  int WriteMacroData(const uint8_t* source, uint32_t length);
  int WriteShootData(const uint8_t* source, uint32_t length);
  int SendHostReady();
  int ReadStatus(uint8_t* destination, uint32_t length, uint32_t offset);  // length at most 56
  int ReadConfigThird(uint8_t* destination, uint32_t capacity);  // ConfigSize / 3 bytes
  int LightControlOn();
  // Whether the device answers through its receiver; always true over the cable. Every failure
  // reads as not linked.
  bool Hid2_4GDeviceIsLink();

 private:
  enum class FrameLock { Command, Light, None };
  enum class ExchangeKind { Normal, Quiet };

  struct ChunkedTransfer {
    uint8_t command = 0;
    uint8_t* destination = nullptr;  // for a read
    const uint8_t* source = nullptr;  // for a write
    uint32_t total = 0;
    uint32_t baseOffset = 0;
    FrameLock lock = FrameLock::Command;
    // The lighting stream: quiet exchanges, and chunks dropped while another exchange runs.
    bool lightStream = false;
  };

  struct PortChoice {
    CHidDevice* port;
    uint32_t timeoutMs;
    bool receiver;
  };
  PortChoice ChoosePort(ExchangeKind kind);

  // The exchange behind Exchange and ExchangeQuiet, on a port chosen by the caller.
  int ExchangeFrame(const PortChoice& port, ExchangeKind kind, const CommandFrame& frame, uint8_t* reply,
                    uint32_t replyLength, uint32_t* bytesRead);
  // Reads until this frame's reply arrives (others are dropped), the receiver reports the device
  // not linked, or the time-out has passed.
  int ReadOwnReply(const PortChoice& port, const CommandFrame& frame, uint8_t* reply, uint32_t replyLength,
                   uint32_t* bytesRead);
  int RunSingleFrame(CommandFrame& request, CommandFrame& reply);
  int TransferChunks(const ChunkedTransfer& transfer);
  int ExchangeUnderLock(FrameLock lock, const PortChoice& port, ExchangeKind kind, const CommandFrame& request,
                        CommandFrame& reply);

  IClock& clock_;
  std::atomic<uint16_t> configSize_{kMaxConfigSize};
  // A count rather than a flag: with several threads exchanging at once, the first one to
  // finish must not clear the busy state of the others.
  std::atomic<int> exchangesInFlight_{0};
  std::atomic<int> isOpen_{0};
  std::atomic<int> sameMode_{0};
  CHidDevice directPort_;
  CHidDevice receiverPort_;
  CRecursiveLock transferLock_;
  CRecursiveLock commandLock_;
  CRecursiveLock lightLock_;
  std::atomic<int> receiverMode_{0};
  std::atomic<uint8_t> chunkSize_{kReceiverChunkSize};
  std::atomic<int> updateInProgress_{0};
};
