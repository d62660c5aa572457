#include "sim/sim_frame.h"

#include <algorithm>

uint16_t SimFrameChecksum(const SimFrame& frame) {
  uint32_t sum = 0;
  for (size_t i = kSimFrameCommandByte; i < kSimFrameSize; ++i) sum += frame[i];
  return static_cast<uint16_t>(sum);
}

uint16_t SimFrameStoredChecksum(const SimFrame& frame) {
  return static_cast<uint16_t>(frame[kSimFrameChecksumByte] | (frame[kSimFrameChecksumByte + 1] << 8));
}

uint16_t SimFrameOffset(const SimFrame& frame) {
  return static_cast<uint16_t>(frame[kSimFrameOffsetByte] | (frame[kSimFrameOffsetByte + 1] << 8));
}

void SimSealFrame(SimFrame& frame) {
  uint16_t checksum = SimFrameChecksum(frame);
  frame[kSimFrameChecksumByte] = static_cast<uint8_t>(checksum);
  frame[kSimFrameChecksumByte + 1] = static_cast<uint8_t>(checksum >> 8);
}

SimFrame SimCommandFrame(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> payload) {
  SimFrame frame{};
  frame[kSimFrameReportIdByte] = kSimCommandReportId;
  frame[kSimFrameCommandByte] = command;
  frame[kSimFrameLengthByte] = length;
  frame[kSimFrameOffsetByte] = static_cast<uint8_t>(offset);
  frame[kSimFrameOffsetByte + 1] = static_cast<uint8_t>(offset >> 8);
  std::copy_n(payload.begin(), std::min(payload.size(), kSimFrameMaxPayload), frame.begin() + kSimFramePayloadOffset);
  if (command != kSimCmdHostReady) SimSealFrame(frame);
  return frame;
}

SimFrame SimReplyTo(const SimFrame& request, uint8_t status) {
  SimFrame reply{};
  reply[kSimFrameReportIdByte] = kSimCommandReportId;
  reply[kSimFrameCommandByte] = request[kSimFrameCommandByte];
  reply[kSimFrameLengthByte] = request[kSimFrameLengthByte];
  reply[kSimFrameOffsetByte] = request[kSimFrameOffsetByte];
  reply[kSimFrameOffsetByte + 1] = request[kSimFrameOffsetByte + 1];
  reply[kSimFrameStatusByte] = status;
  return reply;
}
