#include "transport/supported_devices.h"

bool IsSameInterface(const SupportedDevice& a, const SupportedDevice& b) {
  return a.VendorId == b.VendorId && a.ProductId == b.ProductId && a.InterfaceNumber == b.InterfaceNumber &&
         a.CollectionNumber == b.CollectionNumber && a.DeviceKind == b.DeviceKind &&
         a.InterfaceRole == b.InterfaceRole && a.UsagePage == b.UsagePage && a.Usage == b.Usage;
}

namespace {

template <typename Row, size_t N>
int FindFirst(const std::array<Row, N>& rows, uint16_t vendorId, uint16_t productId, uint16_t deviceKind,
              uint16_t interfaceRole) {
  for (size_t i = 0; i < N; ++i) {
    const Row& row = rows[i];
    if (row.VendorId == vendorId && row.ProductId == productId && row.DeviceKind == deviceKind &&
        row.InterfaceRole == interfaceRole) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

int FindSupportedDevice(uint16_t vendorId, uint16_t productId, uint16_t deviceKind, uint16_t interfaceRole) {
  return FindFirst(kSupportedDevices, vendorId, productId, deviceKind, interfaceRole);
}

int FindDeviceKindRow(uint16_t vendorId, uint16_t productId, uint16_t deviceKind, uint16_t interfaceRole) {
  return FindFirst(kDeviceKindRows, vendorId, productId, deviceKind, interfaceRole);
}

std::string_view DeviceKindLabel(uint16_t deviceKind) {
  switch (deviceKind) {
    case kDeviceKindKeyboard: return "keyboard";
    case kDeviceKindKeyboardReceiver: return "keyboard-receiver";
    case kDeviceKindMouse: return "mouse";
    case kDeviceKindMouseReceiver: return "mouse-receiver";
    case kDeviceKindMousePad: return "mousepad";
    case kDeviceKindHeadset: return "headset";
    default: return "unknown";
  }
}
