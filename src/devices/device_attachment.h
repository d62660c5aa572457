#pragma once

#include <cstddef>

#include "transport/device_slots.h"

class CVelmarUSBDevice;

// The main window's side of a command interface coming and going: which entry the device is
// known by, and whether an arrival or removal attaches, switches or detaches it. A mouse reached
// through its cable and its receiver at once is driven through the cable.

// The slot's entry, or for a receiver slot with a partner the partner's (cable) entry.
DeviceEntry CommandIdentity(const CDeviceSlotList& slots, size_t slotIndex);
// The partner slot is claimed and points back at this one.
bool IsPartnerConnected(const CDeviceSlotList& slots, size_t slotIndex);

void HandleCommandArrival(CVelmarUSBDevice& device, const CDeviceSlotList& slots, size_t slotIndex);
// `removed` is the slot as it was before the scan loop freed it.
void HandleCommandRemoval(CVelmarUSBDevice& device, const CDeviceSlotList& slots, const DeviceEntry& removed,
                          size_t slotIndex);
