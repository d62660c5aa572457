#include "devices/device_attachment.h"

#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"

namespace {

bool HasPartnerSlot(const CDeviceSlotList& slots, const DeviceEntry& slot) {
  return slot.HasPartner && slot.PartnerIndex < slots.Size();
}

}  // namespace

DeviceEntry CommandIdentity(const CDeviceSlotList& slots, size_t slotIndex) {
  const DeviceEntry slot = slots.Slot(slotIndex);
  if (IsReceiverKind(slot.DeviceKind) && HasPartnerSlot(slots, slot)) return slots.Slot(slot.PartnerIndex);
  return slot;
}

bool IsPartnerConnected(const CDeviceSlotList& slots, size_t slotIndex) {
  const DeviceEntry slot = slots.Slot(slotIndex);
  if (!HasPartnerSlot(slots, slot)) return false;
  const DeviceEntry partner = slots.Slot(slot.PartnerIndex);
  return partner.Connected == 1 && !partner.DevicePath.empty() && partner.PartnerIndex == slotIndex;
}

void HandleCommandArrival(CVelmarUSBDevice& device, const CDeviceSlotList& slots, size_t slotIndex) {
  const DeviceEntry slot = slots.Slot(slotIndex);
  if (IsPartnerConnected(slots, slotIndex) && device.Channel().IsOpen()) {
    // Already reached the other way. A cable takes over from the receiver; a receiver arriving
    // while the cable is in use waits until the cable goes.
    if (slot.DeviceKind == kDeviceKindMouse && device.Channel().ReceiverMode())
      device.SwitchConnection(slot.DevicePath);
    return;
  }
  device.AttachCommandInterface(slot, CommandIdentity(slots, slotIndex));
}

void HandleCommandRemoval(CVelmarUSBDevice& device, const CDeviceSlotList& slots, const DeviceEntry& removed,
                          size_t slotIndex) {
  if (CableKindOf(removed.DeviceKind) == kDeviceKindMouse) {
    OutputDebugString("鼠标设备丢失");
  }
  if (IsPartnerConnected(slots, slotIndex) && device.Channel().IsOpen()) {
    if (removed.DeviceKind == kDeviceKindMouse && !device.Channel().ReceiverMode()) {
      device.SwitchConnection(slots.Slot(removed.PartnerIndex).DevicePath);
    }
    return;
  }
  device.DetachCommandInterface();
}
