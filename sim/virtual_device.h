#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/fault_plan.h"
#include "sim/firmware_memory.h"
#include "sim/frame_log.h"
#include "sim/sim_device_plug.h"
#include "sim/vendor_command_responder.h"
#include "sim/virtual_device_description.h"

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
// serves it, the faults armed on it and the log of frames it received. The simulated backend or
// the uhid bridge plugs it in; while plugged it is reached only through that plug.
class CVirtualDevice {
 public:
  CVirtualDevice(SimDeviceDescription description, SimFirmwareMemory memory, std::span<const SimCommandRule> rules);
  virtual ~CVirtualDevice() = default;
  CVirtualDevice(const CVirtualDevice&) = delete;
  CVirtualDevice& operator=(const CVirtualDevice&) = delete;

  const SimDeviceDescription& Description() const { return description_; }
  // The USB release number the host reads when the device is next plugged in; a firmware update
  // changes it, and the device shows it once it has been plugged in again.
  uint16_t ReleaseNumber() const { return releaseNumber_.load(); }
  void SetReleaseNumber(uint16_t version) { releaseNumber_.store(version); }
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
  // Sends any input report (report id first) on the USB interface with this number, if plugged.
  void SendInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report);

  // The emulated memory, for tests to preset or inspect. A range outside the block reads as empty
  // and writes nothing.
  std::vector<uint8_t> ReadBlock(SimBlock block, size_t offset, size_t length) const;
  std::vector<uint8_t> Block(SimBlock block) const;
  bool WriteBlock(SimBlock block, size_t offset, std::span<const uint8_t> bytes);
  // Keeps the memory in a file from now on: what the file holds replaces the memory (a missing
  // file is made from it), and every change the host makes is saved there at once.
  void KeepMemoryIn(const std::string& path);

  // Backend side.
  SimOutputResult ReceiveOutputReport(SimReportPath path, const SimCollectionAddress& on, const uint8_t* data,
                                      size_t length);
  // False while another plug holds the device.
  bool AttachPlug(const std::shared_ptr<ISimDevicePlug>& plug);
  void DetachPlug(const ISimDevicePlug* plug);

 protected:
  // The firmware's answer to a command frame (`arrival` is the frame as it was logged); by default
  // the command table over the memory.
  virtual SimFrame AnswerCommand(const SimFrame& request, const SimLoggedFrame& arrival);
  SimFrame AnswerFromMemory(const SimFrame& request);
  // After a change of memory_; memoryMutex_ held.
  void SaveMemoryLocked();
  // Sends on this device's own event collection, if it is plugged.
  void EmitEvent(uint16_t code);

  mutable std::mutex memoryMutex_;
  SimFirmwareMemory memory_;  // guarded by memoryMutex_
  std::string memoryFile_;    // guarded by memoryMutex_; empty: the memory lasts as long as the device

 private:
  std::shared_ptr<ISimDevicePlug> CurrentPlug() const;

  const SimDeviceDescription description_;
  const std::span<const SimCommandRule> rules_;
  CSimFaultPlan faults_;
  CSimFrameLog frames_;
  std::atomic<uint32_t> latencyMs_{kSimDefaultReplyLatencyMs};
  std::atomic<uint16_t> releaseNumber_;
  mutable std::mutex plugMutex_;
  std::weak_ptr<ISimDevicePlug> plug_;
};
