#pragma once
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/hid/hid_backend.h"
#include "transport/supported_devices.h"
#include "transport/usb_command_channel.h"

// The command interfaces of the attached mice, on the cable (kind 2) or through the receiver
// (kind 6), claimed as the program's scan loop claims them; nothing when the interfaces could not
// be listed.
std::optional<std::vector<DeviceEntry>> FindMouseSlots(IHidBackend& backend);
// The same for the command interfaces of any of `kinds`.
std::optional<std::vector<DeviceEntry>> FindCommandSlots(IHidBackend& backend, std::initializer_list<uint16_t> kinds);

// The slot apply and export work on: the first mouse on its cable, else the first receiver.
// Null when no mouse is attached.
const DeviceEntry* MouseToConfigure(const std::vector<DeviceEntry>& slots);

// Opens the slot's command interface on `channel` as the program does; false when it cannot be
// opened.
bool OpenMouseChannel(CUsbCommandChannel& channel, const DeviceEntry& slot);

inline bool IsReceiverSlot(const DeviceEntry& slot) { return slot.DeviceKind == kDeviceKindMouseReceiver; }
