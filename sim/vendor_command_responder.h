#pragma once
#include <cstdint>
#include <span>

#include "sim/firmware_memory.h"
#include "sim/sim_frame.h"

// One row of a device's command table: what the command does to which block.
enum class SimAccess : uint8_t { None, Read, Write };

struct SimCommandRule {
  uint8_t command;
  SimAccess access;
  SimBlock block;
  // The host-ready command goes out without a checksum and is taken as it comes.
  bool checksummed = true;
  // First offset the command may not address even inside its block (the configuration image is
  // only writable in bank 0).
  uint32_t offsetLimit = 0x10000;
};

// Answers one request the way the device firmware does: the reply echoes command, length and
// offset; a request it cannot take (report id other than 4, wrong checksum, a length above 56,
// offset + length past the block, a command the table does not list) gets status 0xFF and no
// payload. Reads copy the block into the payload, writes copy the payload into the block.
SimFrame AnswerVendorCommand(const SimFrame& request, std::span<const SimCommandRule> rules, SimFirmwareMemory& memory);

// Report id, length and (when the command carries one) checksum of a request.
bool IsWellFormedSimRequest(const SimFrame& request, bool checksummed);
