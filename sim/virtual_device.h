#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "sim/fault_plan.h"
#include "sim/firmware_memory.h"
#include "sim/frame_log.h"
#include "sim/vendor_command_responder.h"
#include "sim/virtual_device_description.h"

class CSimPlug;

inline constexpr uint32_t kSimDefaultReplyLatencyMs = 1;  // about one interrupt-endpoint interval

// Event codes the devices send on their event collection.
inline constexpr uint16_t kSimEventReReadRequest = 0x0401;
inline constexpr uint16_t kSimEventReactiveTrigger = 0x0403;

// What the device does about one output report: maybe a reply on the same collection after a
// delay, maybe vanish from the bus.
struct SimOutputResult {
  std::optional<SimFrame> reply;
  uint32_t replyDelayMs = 0;
  bool unplug = false;
};

// A virtual USB device: its description, its emulated firmware memory with the command table that
// serves it, the faults armed on it and the log of frames it received. The simulated backend
// plugs it in; while plugged it is reached only through the backend's connections.
class CVirtualDevice {
 public:
  CVirtualDevice(SimDeviceDescription description, SimFirmwareMemory memory, std::span<const SimCommandRule> rules);
  virtual ~CVirtualDevice() = default;
  CVirtualDevice(const CVirtualDevice&) = delete;
  CVirtualDevice& operator=(const CVirtualDevice&) = delete;

  const SimDeviceDescription& Description() const { return description_; }
  CSimFaultPlan& Faults() { return faults_; }
  CSimFrameLog& Frames() { return frames_; }
  const CSimFrameLog& Frames() const { return frames_; }
  void SetReplyLatencyMs(uint32_t milliseconds) { latencyMs_ = milliseconds; }

  bool IsPlugged() const;
  // Pulls the device from whatever backend it is plugged into: every open connection fails from
  // now on and its paths disappear.
  void Unplug();

  // Sends an event report (report id, then the code little-endian) on the event collection.
  virtual void SendEvent(uint16_t code);

  // The emulated memory, for tests to preset or inspect. A range outside the block reads as empty
  // and writes nothing.
  std::vector<uint8_t> ReadBlock(SimBlock block, size_t offset, size_t length) const;
  std::vector<uint8_t> Block(SimBlock block) const;
  bool WriteBlock(SimBlock block, size_t offset, std::span<const uint8_t> bytes);

  // Backend side.
  SimOutputResult ReceiveOutputReport(SimReportPath path, const SimCollectionAddress& on, const uint8_t* data,
                                      size_t length);
  bool AttachPlug(const std::shared_ptr<CSimPlug>& plug);
  void DetachPlug(const CSimPlug* plug);

 protected:
  // The firmware's answer to a command frame (`arrival` is the frame as it was logged); by default
  // the command table over the memory.
  virtual SimFrame AnswerCommand(const SimFrame& request, const SimLoggedFrame& arrival);
  SimFrame AnswerFromMemory(const SimFrame& request);
  // Sends on this device's own event collection, if it is plugged.
  void EmitEvent(uint16_t code);

  mutable std::mutex memoryMutex_;
  SimFirmwareMemory memory_;  // guarded by memoryMutex_

 private:
  const SimDeviceDescription description_;
  const std::span<const SimCommandRule> rules_;
  CSimFaultPlan faults_;
  CSimFrameLog frames_;
  std::atomic<uint32_t> latencyMs_{kSimDefaultReplyLatencyMs};
  mutable std::mutex plugMutex_;
  std::weak_ptr<CSimPlug> plug_;
};
