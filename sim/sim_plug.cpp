#include "sim/sim_plug.h"

#include <algorithm>
#include <chrono>

#include "platform/hid/hid_interface_path.h"
#include "sim/sim_connection.h"

namespace {

constexpr uint16_t kUsbBus = 0x0003;
constexpr uint16_t kBluetoothBus = 0x0005;

}  // namespace

CSimPlug::CSimPlug(std::shared_ptr<CVirtualDevice> device, uint64_t plugNumber,
                   std::shared_ptr<SimChangeNotice> changes)
    : device_(std::move(device)), changes_(std::move(changes)) {
  const SimDeviceDescription& description = device_->Description();
  attributes_ = {description.vendorId, description.productId, device_->ReleaseNumber()};
  const bool usb = description.bus == SimBus::Usb;
  for (const SimCollectionAddress& address : ListSimCollections(description)) {
    const SimInterface& interface =
        *std::find_if(description.interfaces.begin(), description.interfaces.end(),
                      [&](const SimInterface& i) { return i.number == address.interfaceNumber; });
    HidInterfacePathParts parts;
    parts.usb = usb;
    parts.busType = usb ? kUsbBus : kBluetoothBus;
    parts.vendorId = description.vendorId;
    parts.productId = description.productId;
    parts.interfaceNumber = usb && description.composite ? address.interfaceNumber : -1;
    parts.collectionNumber = interface.collections.size() > 1 ? address.collectionNumber : 0;
    parts.instance = "sim:" + description.name + "." + std::to_string(address.interfaceNumber);
    parts.node = "sim" + std::to_string(plugNumber);

    const HidTopLevelCollection& layout = address.collection->layout;
    HidCaps caps;
    caps.Usage = layout.usage;
    caps.UsagePage = layout.usagePage;
    caps.InputReportByteLength = layout.inputReportByteLength;
    caps.OutputReportByteLength = layout.outputReportByteLength;
    caps.FeatureReportByteLength = layout.featureReportByteLength;
    collections_.push_back({BuildHidInterfacePath(parts), address, caps});
  }
  readers_.resize(collections_.size());
}

std::shared_ptr<IHidConnection> CSimPlug::Open(size_t collectionIndex, const HidOpenMode& mode) {
  std::lock_guard guard(mutex_);
  if (!present_ || collectionIndex >= collections_.size()) return nullptr;
  auto connection = std::make_shared<CSimConnection>(shared_from_this(), collectionIndex, mode);
  std::vector<std::weak_ptr<CSimConnection>>& readers = readers_[collectionIndex];
  std::erase_if(readers, [](const std::weak_ptr<CSimConnection>& reader) { return reader.expired(); });
  readers.push_back(connection);
  return connection;
}

HidIoStatus CSimPlug::ReceiveOutputReport(size_t collectionIndex, SimReportPath path, const uint8_t* data,
                                          size_t length) {
  if (!present_) return HidIoStatus::Failed;
  SimOutputResult result = device_->ReceiveOutputReport(path, collections_[collectionIndex].address, data, length);
  if (result.unplug) {
    Unplug();
  } else if (result.reply) {
    DeliverInput(collectionIndex, std::vector<uint8_t>(result.reply->begin(), result.reply->end()),
                 result.replyDelayMs);
  }
  return HidIoStatus::Ok;
}

void CSimPlug::DeliverEvent(uint16_t code) {
  for (size_t i = 0; i < collections_.size(); ++i) {
    const SimCollection& collection = *collections_[i].address.collection;
    if (!collection.events) continue;
    DeliverInput(i, {collection.eventReportId, static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)}, 0);
  }
}

void CSimPlug::DeliverInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) {
  if (report.empty()) return;
  for (size_t i = 0; i < collections_.size(); ++i) {
    const SimCollectionAddress& address = collections_[i].address;
    if (address.interfaceNumber != interfaceNumber) continue;
    // Without report ids nothing tells the collections of an interface apart, so each gets it.
    const std::vector<uint8_t>& ids = address.collection->layout.inputReportIds;
    const bool numbered = std::any_of(ids.begin(), ids.end(), [](uint8_t id) { return id != 0; });
    if (numbered && std::find(ids.begin(), ids.end(), report[0]) == ids.end()) continue;
    DeliverInput(i, report, 0);
  }
}

void CSimPlug::DeliverInput(size_t collectionIndex, const std::vector<uint8_t>& report, uint32_t delayMs) {
  const auto readyAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
  std::lock_guard guard(mutex_);
  if (!present_) return;
  // Every open connection gets its own copy, as every open hidraw descriptor does.
  for (const std::weak_ptr<CSimConnection>& reader : readers_[collectionIndex]) {
    if (std::shared_ptr<CSimConnection> connection = reader.lock()) connection->Enqueue(report, readyAt);
  }
}

void CSimPlug::Unplug() {
  std::vector<std::shared_ptr<CSimConnection>> open;
  {
    std::lock_guard guard(mutex_);
    if (!present_.exchange(false)) return;
    for (const auto& readers : readers_) {
      for (const std::weak_ptr<CSimConnection>& reader : readers) {
        if (std::shared_ptr<CSimConnection> connection = reader.lock()) open.push_back(std::move(connection));
      }
    }
    readers_.clear();
  }
  for (const std::shared_ptr<CSimConnection>& connection : open) connection->MarkDeviceGone();
  changes_->Bump();
  device_->DetachPlug(this);
}
