#include "sim/virtual_device.h"

#include <algorithm>

#include "sim/memory_file.h"

CVirtualDevice::CVirtualDevice(SimDeviceDescription description, SimFirmwareMemory memory,
                               std::span<const SimCommandRule> rules)
    : memory_(std::move(memory)), description_(std::move(description)), rules_(rules),
      releaseNumber_(description_.version) {}

bool CVirtualDevice::IsPlugged() const {
  std::lock_guard guard(plugMutex_);
  std::shared_ptr<ISimDevicePlug> plug = plug_.lock();
  return plug && plug->IsPresent();
}

void CVirtualDevice::Unplug() {
  if (std::shared_ptr<ISimDevicePlug> plug = CurrentPlug()) plug->Unplug();
}

bool CVirtualDevice::AttachPlug(const std::shared_ptr<ISimDevicePlug>& plug) {
  std::lock_guard guard(plugMutex_);
  std::shared_ptr<ISimDevicePlug> current = plug_.lock();
  if (current && current->IsPresent()) return false;
  plug_ = plug;
  return true;
}

void CVirtualDevice::DetachPlug(const ISimDevicePlug* plug) {
  std::lock_guard guard(plugMutex_);
  if (plug_.lock().get() == plug) plug_.reset();
}

void CVirtualDevice::SendEvent(uint16_t code) { EmitEvent(code); }

void CVirtualDevice::EmitEvent(uint16_t code) {
  if (std::shared_ptr<ISimDevicePlug> plug = CurrentPlug()) plug->DeliverEvent(code);
}

void CVirtualDevice::SendInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) {
  if (std::shared_ptr<ISimDevicePlug> plug = CurrentPlug()) plug->DeliverInputReport(interfaceNumber, report);
}

std::shared_ptr<ISimDevicePlug> CVirtualDevice::CurrentPlug() const {
  std::lock_guard guard(plugMutex_);
  return plug_.lock();
}

std::vector<uint8_t> CVirtualDevice::ReadBlock(SimBlock block, size_t offset, size_t length) const {
  std::lock_guard guard(memoryMutex_);
  const std::vector<uint8_t>& bytes = memory_[block];
  if (offset > bytes.size() || length > bytes.size() - offset) return {};
  auto first = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
  return {first, first + static_cast<std::ptrdiff_t>(length)};
}

std::vector<uint8_t> CVirtualDevice::Block(SimBlock block) const {
  std::lock_guard guard(memoryMutex_);
  return memory_[block];
}

bool CVirtualDevice::WriteBlock(SimBlock block, size_t offset, std::span<const uint8_t> bytes) {
  std::lock_guard guard(memoryMutex_);
  std::vector<uint8_t>& target = memory_[block];
  if (offset > target.size() || bytes.size() > target.size() - offset) return false;
  std::copy(bytes.begin(), bytes.end(), target.begin() + static_cast<std::ptrdiff_t>(offset));
  SaveMemoryLocked();
  return true;
}

void CVirtualDevice::KeepMemoryIn(const std::string& path) {
  std::lock_guard guard(memoryMutex_);
  memoryFile_ = path;
  if (!LoadSimMemoryFile(path, memory_)) SaveMemoryLocked();
}

void CVirtualDevice::SaveMemoryLocked() {
  if (!memoryFile_.empty()) SaveSimMemoryFile(memoryFile_, memory_);
}

SimFrame CVirtualDevice::AnswerCommand(const SimFrame& request, const SimLoggedFrame& /*arrival*/) {
  return AnswerFromMemory(request);
}

SimFrame CVirtualDevice::AnswerFromMemory(const SimFrame& request) {
  std::lock_guard guard(memoryMutex_);
  const SimFrame reply = AnswerVendorCommand(request, rules_, memory_);
  const bool written = std::any_of(rules_.begin(), rules_.end(), [&](const SimCommandRule& rule) {
    // The lighting stream is what the lights show now, not something the device keeps.
    return rule.command == request[kSimFrameCommandByte] && rule.access == SimAccess::Write &&
           rule.block != SimBlock::LightStream;
  });
  if (written && reply[kSimFrameStatusByte] == kSimStatusAccepted) SaveMemoryLocked();
  return reply;
}

SimOutputResult CVirtualDevice::ReceiveOutputReport(SimReportPath path, const SimCollectionAddress& on,
                                                    const uint8_t* data, size_t length) {
  SimLoggedFrame arrival{path, on.interfaceNumber, on.collectionNumber, false,
                         std::vector<uint8_t>(data, data + length)};
  frames_.Append(arrival);
  if (!on.collection || !on.collection->commands || length == 0) return {};
  // Another report the collection declares (the headset's lighting report) is taken as it is;
  // only the command frame, or a report the collection does not know, gets an answer.
  const std::vector<uint8_t>& outputIds = on.collection->layout.outputReportIds;
  if (data[0] != kSimCommandReportId && std::find(outputIds.begin(), outputIds.end(), data[0]) != outputIds.end()) {
    return {};
  }

  // A short write reaches the device padded with zeros, as the interrupt transfer would be.
  SimFrame request{};
  std::copy_n(data, std::min(length, request.size()), request.begin());
  SimFaultDecision decision = faults_.NextFrame(request[kSimFrameCommandByte]);
  if (decision.unplugBeforeReply) return {std::nullopt, 0, true};
  SimFrame reply = AnswerCommand(request, arrival);
  if (decision.dropReply) return {};
  CSimFaultPlan::ApplyToReply(decision, reply);
  return {reply, latencyMs_ + decision.extraDelayMs, false};
}
