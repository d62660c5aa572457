#include "transport/command_frame.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "transport/result_codes.h"

uint16_t ComputeFrameChecksum(const CommandFrame& frame) {
  uint32_t sum = 0;
  for (size_t i = kFrameCommandByte; i < kCommandFrameSize; ++i) sum += frame[i];
  return static_cast<uint16_t>(sum);
}

void StampFrameChecksum(CommandFrame& frame) {
  const uint16_t checksum = ComputeFrameChecksum(frame);
  frame[kFrameChecksumLowByte] = static_cast<uint8_t>(checksum & 0xFF);
  frame[kFrameChecksumHighByte] = static_cast<uint8_t>(checksum >> 8);
}

void StartCommandFrame(CommandFrame& frame, uint8_t command) {
  frame = CommandFrame{};
  frame[kFrameReportIdByte] = kCommandReportId;
  frame[kFrameCommandByte] = command;
}

void PrepareChunk(CommandFrame& frame, uint8_t length, uint16_t offset, const uint8_t* payload) {
  frame[kFrameLengthByte] = length;
  frame[kFrameOffsetLowByte] = static_cast<uint8_t>(offset & 0xFF);
  frame[kFrameOffsetHighByte] = static_cast<uint8_t>(offset >> 8);
  if (payload) std::memcpy(frame.data() + kFramePayloadByte, payload, std::min<size_t>(length, kFramePayloadCapacity));
  StampFrameChecksum(frame);
}

CommandFrame BuildRequest(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload,
                          size_t payloadLength) {
  CommandFrame frame;
  StartCommandFrame(frame, command);
  if (payload) {
    std::memcpy(frame.data() + kFramePayloadByte, payload, std::min(payloadLength, kFramePayloadCapacity));
  }
  PrepareChunk(frame, length, offset, nullptr);
  return frame;
}

CommandFrame FrameFromBytes(const uint8_t* bytes, size_t length) {
  CommandFrame frame;
  if (bytes) std::memcpy(frame.data(), bytes, std::min(length, kCommandFrameSize));
  return frame;
}

int ReplyStatusResult(const CommandFrame& reply) {
  switch (FrameStatus(reply)) {
    case kFrameStatusError:
      return kResultDeviceError;
    case kFrameStatusSecondError:
      return kResultDeviceSecondError;
    default:
      return kResultSuccess;
  }
}

namespace {

std::string FormatTraceLine(const uint8_t* b) {
  char line[128];
  std::snprintf(line, sizeof line,
                "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
                "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
                b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15],
                b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26], b[27], b[28], b[29],
                b[30], b[31]);
  return line;
}

}  // namespace

std::string FormatFrameTrace(const CommandFrame& frame) {
  return FormatTraceLine(frame.data()) + "\n" + FormatTraceLine(frame.data() + 32);
}

bool IsReplyTo(const CommandFrame& request, const CommandFrame& reply) {
  return FrameCommand(reply) == FrameCommand(request) && FrameLength(reply) == FrameLength(request) &&
         FrameOffset(reply) == FrameOffset(request);
}
