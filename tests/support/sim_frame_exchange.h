#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_frame.h"
#include "sim/sim_hid_backend.h"
#include "transport/hid_device.h"

// Talking to a virtual device the way the command channel does, without the channel: open its
// command collection on a CHidDevice, write one frame, read the reply. Header-only so the test
// support library needs neither the transport nor the virtual devices unless a test uses them.

// Opens the command collection of a plugged virtual device for reading and writing; 1 on success.
inline int OpenSimCommandPort(CSimHidBackend& backend, const CVirtualDevice& device, CHidDevice& port) {
  return port.Open(backend.CommandPathOf(device), true, true, true, false);
}

inline int OpenSimEventPort(CSimHidBackend& backend, const CVirtualDevice& device, CHidDevice& port) {
  return port.Open(backend.EventPathOf(device), true, false, true, false);
}

// Writes the request and waits for one reply; nullopt when the write failed or nothing came back
// in time.
inline std::optional<SimFrame> ExchangeSimFrame(CHidDevice& port, const SimFrame& request, uint32_t timeoutMs = 1000) {
  if (!port.WriteReport(request.data(), static_cast<uint32_t>(request.size()), nullptr, timeoutMs)) return std::nullopt;
  SimFrame reply{};
  uint32_t count = 0;
  if (!port.ReadReport(reply.data(), static_cast<uint32_t>(reply.size()), &count, timeoutMs)) return std::nullopt;
  return reply;
}

// Reads one report of any size; nullopt on a time-out or failure.
inline std::optional<std::vector<uint8_t>> ReadSimReport(CHidDevice& port, uint32_t timeoutMs) {
  std::vector<uint8_t> report(CHidDevice::kInputBufferCapacity);
  uint32_t count = 0;
  if (!port.ReadReport(report.data(), static_cast<uint32_t>(report.size()), &count, timeoutMs)) return std::nullopt;
  report.resize(count);
  return report;
}
