#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The fixed tables that say which HID interfaces belong to which device: the supported-device
// table (one row per interface the program talks to) and the device-kind table (one row per kind
// of device page).

enum DeviceKind : uint16_t {
  kDeviceKindKeyboard = 1,
  kDeviceKindMouse = 2,
  kDeviceKindMousePad = 3,
  kDeviceKindMouseReceiver = 6,
  kDeviceKindHeadset = 7,
  kDeviceKindKeyboardReceiver = 9,
};

// The kinds reached through a receiver, and the kind of the same device on its cable: a device
// reached both ways is one device object, known by its cable kind.
struct ReceiverKindRow {
  uint16_t receiverKind;
  uint16_t cableKind;
};
inline constexpr ReceiverKindRow kReceiverKinds[] = {
    {kDeviceKindMouseReceiver, kDeviceKindMouse},
    {kDeviceKindKeyboardReceiver, kDeviceKindKeyboard},
};

constexpr bool IsReceiverKind(uint16_t kind) {
  for (const ReceiverKindRow& row : kReceiverKinds) {
    if (row.receiverKind == kind) return true;
  }
  return false;
}

// A receiver kind's cable kind; any other kind is its own.
constexpr uint16_t CableKindOf(uint16_t kind) {
  for (const ReceiverKindRow& row : kReceiverKinds) {
    if (row.receiverKind == kind) return row.cableKind;
  }
  return kind;
}

enum InterfaceRole : uint16_t {
  kInterfaceRoleCommand = 0,
  kInterfaceRoleEvent = 255,
};

struct SupportedDevice {
  uint16_t VendorId;
  uint16_t ProductId;
  uint16_t InterfaceNumber;   // the value after "&mi_" in an interface path
  uint16_t CollectionNumber;  // the value after "&col"
  uint16_t DeviceKind;
  uint16_t InterfaceRole;
  uint16_t Connected;
  uint16_t UsagePage;
  uint16_t Usage;
  uint16_t HasPartner;    // the same device is also reachable through the row at PartnerIndex
  uint16_t PartnerIndex;  // its cable row for a receiver row and the other way round
  uint16_t Reserved;
};

// One slot of the main window's slot list: slot i always describes table row i; the scan loop
// marks it connected and records the claimed interface's path.
struct DeviceEntry : SupportedDevice {
  std::string DevicePath;

  bool IsFree() const { return Connected == 0 && DevicePath.empty(); }
};

// Two rows or slots name the same device interface when these eight fields agree; Connected, the
// partner fields and the path take no part.
bool IsSameInterface(const SupportedDevice& a, const SupportedDevice& b);

inline constexpr std::array<SupportedDevice, 11> kSupportedDevices = {{
    // Keyboard on its cable. Product 0 matches no attached keyboard, so these rows never match.
    {0x320F, 0x0000, 1, 4, kDeviceKindKeyboard, kInterfaceRoleCommand, 0, 0xFF1C, 0x92, 1, 2, 0},
    {0x320F, 0x0000, 0, 3, kDeviceKindKeyboard, kInterfaceRoleEvent, 0, 0x0C, 0x01, 1, 3, 0},
    // Keyboard through its receiver.
    {0x320F, 0x0000, 1, 4, kDeviceKindKeyboardReceiver, kInterfaceRoleCommand, 0, 0xFF1C, 0x92, 1, 0, 0},
    {0x320F, 0x0000, 0, 3, kDeviceKindKeyboardReceiver, kInterfaceRoleEvent, 0, 0x0C, 0x01, 1, 1, 0},
    // Mouse on its cable: vendor command collection and consumer-control event collection.
    {0x320F, 0x22A4, 1, 2, kDeviceKindMouse, kInterfaceRoleCommand, 0, 0xFF1C, 0x92, 1, 6, 0},
    {0x320F, 0x22A4, 0, 3, kDeviceKindMouse, kInterfaceRoleEvent, 0, 0x0C, 0x01, 1, 7, 0},
    // The same mouse through its 2.4 GHz receiver.
    {0x320F, 0x226F, 1, 2, kDeviceKindMouseReceiver, kInterfaceRoleCommand, 0, 0xFF1C, 0x92, 1, 4, 0},
    {0x320F, 0x226F, 0, 3, kDeviceKindMouseReceiver, kInterfaceRoleEvent, 0, 0x0C, 0x01, 1, 5, 0},
    // Mouse pad, cable only.
    {0x320F, 0x1004, 1, 4, kDeviceKindMousePad, kInterfaceRoleCommand, 0, 0xFF1C, 0x92, 0, 0, 0},
    {0x320F, 0x1004, 0, 3, kDeviceKindMousePad, kInterfaceRoleEvent, 0, 0x0C, 0x01, 0, 0, 0},
    // Headset: one consumer-control collection, so its path has no "&col" tag.
    {0x0C76, 0x1630, 3, 0, kDeviceKindHeadset, kInterfaceRoleCommand, 0, 0x0C, 0x01, 0, 0, 0},
}};

struct DeviceKindRow {
  std::string_view TileLayoutFile;
  std::string_view TabHeaderControl;
  std::string_view PowerSwitchControl;
  std::string_view KindName;  // also the name of the kind's data folder
  uint16_t IconIndex;
  uint16_t VendorId;
  uint16_t ProductId;
  uint16_t DeviceKind;
  uint16_t InterfaceRole;
};

inline constexpr std::array<DeviceKindRow, 4> kDeviceKindRows = {{
    {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch", "mouse", 1, 0x320F,
     0x22A4, kDeviceKindMouse, kInterfaceRoleCommand},
    {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch", "keyboard", 0, 0x320F,
     0x0000, kDeviceKindKeyboard, kInterfaceRoleCommand},
    {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch", "MousePad", 2, 0x320F,
     0x1004, kDeviceKindMousePad, kInterfaceRoleCommand},
    {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch", "HD", 3, 0x0C76, 0x1630,
     kDeviceKindHeadset, kInterfaceRoleCommand},
}};

// First matching index, or -1.
int FindSupportedDevice(uint16_t vendorId, uint16_t productId, uint16_t deviceKind, uint16_t interfaceRole);
// The first row of a kind and role, whatever its ids; -1 when there is none.
constexpr int FindSupportedDeviceOfKind(uint16_t deviceKind, uint16_t interfaceRole) {
  for (size_t i = 0; i < kSupportedDevices.size(); ++i) {
    if (kSupportedDevices[i].DeviceKind == deviceKind && kSupportedDevices[i].InterfaceRole == interfaceRole) {
      return static_cast<int>(i);
    }
  }
  return -1;
}
int FindDeviceKindRow(uint16_t vendorId, uint16_t productId, uint16_t deviceKind, uint16_t interfaceRole);

// A readable name for a device kind ("mouse", "mouse-receiver", …), for tools and traces.
std::string_view DeviceKindLabel(uint16_t deviceKind);
