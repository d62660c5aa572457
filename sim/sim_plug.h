#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"
#include "sim/frame_log.h"
#include "sim/sim_change_notice.h"
#include "sim/sim_device_plug.h"
#include "sim/virtual_device.h"

class CSimConnection;

struct SimPluggedCollection {
  std::string path;
  SimCollectionAddress address;
  HidCaps caps;
};

// One plugging-in of a virtual device: the interface paths it shows while present and the open
// connections of each collection. Unplugging is final for a plug; plugging the device in again
// makes a new plug with new paths, as the kernel makes a new device node.
class CSimPlug : public ISimDevicePlug, public std::enable_shared_from_this<CSimPlug> {
 public:
  CSimPlug(std::shared_ptr<CVirtualDevice> device, uint64_t plugNumber,
           std::shared_ptr<SimChangeNotice> changes);
  CSimPlug(const CSimPlug&) = delete;
  CSimPlug& operator=(const CSimPlug&) = delete;

  CVirtualDevice& Device() const { return *device_; }
  const HidAttributes& Attributes() const { return attributes_; }
  const std::vector<SimPluggedCollection>& Collections() const { return collections_; }
  bool IsPresent() const override { return present_; }

  // Null once the device is gone.
  std::shared_ptr<IHidConnection> Open(size_t collectionIndex, const HidOpenMode& mode);
  // An output report from a connection of the collection: handed to the firmware, whose reply
  // is queued for every open connection of the same collection.
  HidIoStatus ReceiveOutputReport(size_t collectionIndex, SimReportPath path, const uint8_t* data, size_t length);
  void DeliverEvent(uint16_t code) override;
  void DeliverInputReport(uint8_t interfaceNumber, const std::vector<uint8_t>& report) override;
  void Unplug() override;

 private:
  void DeliverInput(size_t collectionIndex, const std::vector<uint8_t>& report, uint32_t delayMs);

  const std::shared_ptr<CVirtualDevice> device_;
  const std::shared_ptr<SimChangeNotice> changes_;
  HidAttributes attributes_;
  std::vector<SimPluggedCollection> collections_;
  std::atomic<bool> present_{true};

  std::mutex mutex_;  // guards readers_, and orders delivery against Unplug
  std::vector<std::vector<std::weak_ptr<CSimConnection>>> readers_;
};
