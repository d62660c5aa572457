#include "tools/t640ctl/mouse_channel.h"

#include <algorithm>

#include "transport/device_scanner.h"

namespace {

// The same claims the program's scan loop makes, taken in one pass.
class SlotCollector : public IDeviceScanSink {
 public:
  void OnDeviceArrival(size_t, const DeviceEntry& entry, CEvent&) override { arrived.push_back(entry); }
  void OnDeviceRemove(size_t, const DeviceEntry&, CEvent&) override {}
  void PostFirstScanComplete() override {}
  std::vector<DeviceEntry> arrived;
};

}  // namespace

std::optional<std::vector<DeviceEntry>> FindCommandSlots(IHidBackend& backend, std::initializer_list<uint16_t> kinds) {
  CDeviceSlotList slots;
  SlotCollector collector;
  CDeviceScanner scanner(backend, slots, collector);
  if (!scanner.RunPass()) return std::nullopt;
  std::vector<DeviceEntry> found;
  for (const DeviceEntry& slot : collector.arrived) {
    const bool wanted = std::find(kinds.begin(), kinds.end(), slot.DeviceKind) != kinds.end();
    if (wanted && slot.InterfaceRole == kInterfaceRoleCommand) found.push_back(slot);
  }
  return found;
}

std::optional<std::vector<DeviceEntry>> FindMouseSlots(IHidBackend& backend) {
  return FindCommandSlots(backend, {kDeviceKindMouse, kDeviceKindMouseReceiver});
}

const DeviceEntry* MouseToConfigure(const std::vector<DeviceEntry>& slots) {
  for (const DeviceEntry& slot : slots) {
    if (!IsReceiverSlot(slot)) return &slot;
  }
  return slots.empty() ? nullptr : &slots.front();
}

bool OpenMouseChannel(CUsbCommandChannel& channel, const DeviceEntry& slot) {
  const bool receiver = IsReceiverSlot(slot);
  CHidDevice& port = receiver ? channel.ReceiverPort() : channel.DirectPort();
  if (!port.Open(slot.DevicePath, true, true, true, false)) return false;
  channel.SetConnectionType(receiver ? kConnectionTypeReceiver : kConnectionTypeCable);
  channel.SetIsOpen(1);
  return true;
}
