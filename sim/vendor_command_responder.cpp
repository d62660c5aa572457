#include "sim/vendor_command_responder.h"

#include <algorithm>

bool IsWellFormedSimRequest(const SimFrame& request, bool checksummed) {
  if (request[kSimFrameReportIdByte] != kSimCommandReportId) return false;
  if (request[kSimFrameLengthByte] > kSimFrameMaxPayload) return false;
  return !checksummed || SimFrameStoredChecksum(request) == SimFrameChecksum(request);
}

SimFrame AnswerVendorCommand(const SimFrame& request, std::span<const SimCommandRule> rules,
                             SimFirmwareMemory& memory) {
  SimFrame reply = SimReplyTo(request, kSimStatusError);
  const uint8_t command = request[kSimFrameCommandByte];
  auto rule = std::find_if(rules.begin(), rules.end(), [&](const SimCommandRule& r) { return r.command == command; });
  if (rule == rules.end() || !IsWellFormedSimRequest(request, rule->checksummed)) {
    SimSealFrame(reply);
    return reply;
  }
  if (rule->access != SimAccess::None) {
    const size_t length = request[kSimFrameLengthByte];
    const size_t offset = SimFrameOffset(request);
    std::vector<uint8_t>& block = memory[rule->block];
    if (offset >= rule->offsetLimit || offset + length > block.size()) {
      SimSealFrame(reply);
      return reply;
    }
    auto payload = request.begin() + kSimFramePayloadOffset;
    if (rule->access == SimAccess::Read) {
      std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(offset), length, reply.begin() + kSimFramePayloadOffset);
    } else {
      std::copy_n(payload, length, block.begin() + static_cast<std::ptrdiff_t>(offset));
    }
  }
  reply[kSimFrameStatusByte] = kSimStatusAccepted;
  SimSealFrame(reply);
  return reply;
}
