#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One vendor command report: the same 64-byte layout carries a request to the device and its
// reply. Multi-byte fields are little-endian.
//
//   0 report id (4)   1-2 checksum   3 command   4 length   5-6 offset   7 status   8-63 payload
inline constexpr size_t kCommandFrameSize = 64;
inline constexpr size_t kFramePayloadCapacity = 56;
inline constexpr uint8_t kCommandReportId = 4;

inline constexpr size_t kFrameReportIdByte = 0;
inline constexpr size_t kFrameChecksumLowByte = 1;
inline constexpr size_t kFrameChecksumHighByte = 2;
inline constexpr size_t kFrameCommandByte = 3;
inline constexpr size_t kFrameLengthByte = 4;
inline constexpr size_t kFrameOffsetLowByte = 5;
inline constexpr size_t kFrameOffsetHighByte = 6;
inline constexpr size_t kFrameStatusByte = 7;
inline constexpr size_t kFramePayloadByte = 8;

// Reply status values; anything else means the device accepted the request.
inline constexpr uint8_t kFrameStatusError = 0xFF;
inline constexpr uint8_t kFrameStatusSecondError = 0xFE;

// What the receiver puts in the command byte when the device behind it is not linked.
inline constexpr uint8_t kReceiverNotLinkedCommand = 0xAA;

struct CommandFrame {
  std::array<uint8_t, kCommandFrameSize> bytes{};

  uint8_t* data() { return bytes.data(); }
  const uint8_t* data() const { return bytes.data(); }
  uint8_t& operator[](size_t index) { return bytes[index]; }
  uint8_t operator[](size_t index) const { return bytes[index]; }
};
static_assert(sizeof(CommandFrame) == kCommandFrameSize, "a command frame is exactly one 64-byte report");

// Sum of bytes 3 to 63, the whole payload area included whether or not the length counts it;
// only the low 16 bits travel.
uint16_t ComputeFrameChecksum(const CommandFrame& frame);
void StampFrameChecksum(CommandFrame& frame);

// Starts a command: the whole frame zeroed, report id 4, the command byte set, status 0.
void StartCommandFrame(CommandFrame& frame, uint8_t command);

// Readies the frame for its next chunk: length, offset and (when given) `length` payload bytes,
// then the checksum. Payload bytes past `length` are left as the previous chunk wrote them, and
// the checksum covers them: the device expects exactly that.
void PrepareChunk(CommandFrame& frame, uint8_t length, uint16_t offset, const uint8_t* payload);

// A complete single-frame request with its checksum; `payloadLength` is cut to 56.
CommandFrame BuildRequest(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload = nullptr,
                          size_t payloadLength = 0);

// Copies up to 64 request bytes into a zeroed frame (a longer request is cut).
CommandFrame FrameFromBytes(const uint8_t* bytes, size_t length);

inline uint8_t FrameCommand(const CommandFrame& frame) { return frame[kFrameCommandByte]; }
inline uint8_t FrameLength(const CommandFrame& frame) { return frame[kFrameLengthByte]; }
inline uint8_t FrameStatus(const CommandFrame& frame) { return frame[kFrameStatusByte]; }
inline uint16_t FrameOffset(const CommandFrame& frame) {
  return static_cast<uint16_t>(frame[kFrameOffsetLowByte] | (frame[kFrameOffsetHighByte] << 8));
}
inline const uint8_t* FramePayload(const CommandFrame& frame) { return frame.data() + kFramePayloadByte; }

// Whether `reply` answers `request`: the same command, length and offset, which the firmware echoes.
// A late answer to an earlier chunk of the same command differs in its offset.
bool IsReplyTo(const CommandFrame& request, const CommandFrame& reply);

// The result a command gives for a reply that arrived: -102 for status 0xFF, -103 for 0xFE, else 1.
int ReplyStatusResult(const CommandFrame& reply);

// The frame as two trace lines of 32 bytes in lower-case hex, grouped by four with three blanks
// between the first four groups and two between the others, joined by a line feed.
std::string FormatFrameTrace(const CommandFrame& frame);
