#include "sim/uhid/uhid_plug.h"

#include <unistd.h>

#include <algorithm>

#include "sim/uhid/uhid_events.h"

CUhidPlug::CUhidPlug(std::shared_ptr<CVirtualDevice> device, std::string uniq, std::shared_ptr<CWakeEventFd> wake)
    : device_(std::move(device)), uniq_(std::move(uniq)), wake_(std::move(wake)) {}

CUhidPlug::~CUhidPlug() {
  // Closing a uhid descriptor also destroys a device still alive on it.
  for (const UhidInterface& interface : interfaces_) {
    if (interface.fd >= 0) close(interface.fd);
  }
}

UhidInterface& CUhidPlug::AddInterface(UhidInterface interface) {
  interfaces_.push_back(std::move(interface));
  return interfaces_.back();
}

void CUhidPlug::Unplug() {
  if (!present_.exchange(false)) return;
  const uhid_event destroy = MakeUhidDestroyEvent();
  for (const UhidInterface& interface : interfaces_) WriteUhidEvent(interface.fd, destroy);
  device_->DetachPlug(this);
  // The bridge's worker lets go of the plug, and so of its descriptors, when it wakes.
  if (wake_) wake_->Signal();
}

void CUhidPlug::DeliverEvent(uint16_t code) {
  for (size_t i = 0; i < interfaces_.size(); ++i) {
    for (const SimCollectionAddress& address : interfaces_[i].collections) {
      if (!address.collection->events) continue;
      const uint8_t id = address.collection->eventReportId;
      SendInput(i, {id, static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)});
    }
  }
}

void CUhidPlug::DeliverInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) {
  for (size_t i = 0; i < interfaces_.size(); ++i) {
    if (interfaces_[i].number == interfaceNumber) SendInput(i, report);
  }
}

bool CUhidPlug::SendInput(size_t interfaceIndex, const std::vector<uint8_t>& report) {
  if (!present_ || interfaceIndex >= interfaces_.size() || report.empty()) return false;
  const UhidInterface& interface = interfaces_[interfaceIndex];
  // A device without report ids sends its reports bare; the 0 in front is the host's convention.
  const size_t skip = interface.numbered ? 0 : 1;
  uhid_event event{};
  if (!MakeUhidInputEvent(report.data() + skip, report.size() - skip, &event)) return false;
  return WriteUhidEvent(interface.fd, event);
}

const SimCollectionAddress* CUhidPlug::CollectionForOutput(const UhidInterface& interface, uint8_t reportId) const {
  if (interface.numbered) {
    for (const SimCollectionAddress& address : interface.collections) {
      const std::vector<uint8_t>& ids = address.collection->layout.outputReportIds;
      if (std::find(ids.begin(), ids.end(), reportId) != ids.end()) return &address;
    }
  }
  // A report no collection declares (or one of a device without ids) is still offered to the
  // firmware's command collection, which answers what it does not know with an error status.
  for (const SimCollectionAddress& address : interface.collections) {
    if (address.collection->commands) return &address;
  }
  return interface.collections.empty() ? nullptr : &interface.collections.front();
}

std::optional<UhidScheduledReport> CUhidPlug::ReceiveOutput(size_t interfaceIndex, const uint8_t* report, size_t size,
                                                            SimReportPath path) {
  if (!present_ || interfaceIndex >= interfaces_.size() || size == 0) return std::nullopt;
  const SimCollectionAddress* address = CollectionForOutput(interfaces_[interfaceIndex], report[0]);
  if (!address) return std::nullopt;
  SimOutputResult result = device_->ReceiveOutputReport(path, *address, report, size);
  if (result.unplug) {
    Unplug();
    return std::nullopt;
  }
  if (!result.reply) return std::nullopt;
  return UhidScheduledReport{std::vector<uint8_t>(result.reply->begin(), result.reply->end()), result.replyDelayMs};
}
