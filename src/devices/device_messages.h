#pragma once

#include <cstdint>

// Window messages a device sends to its owner window.
inline constexpr uint32_t WM_DEVICE_LINK_STATE = 3331;              // wParam kind row, lParam 1 linked / 0 lost
inline constexpr uint32_t WM_FIRMWARE_UPDATE = 3332;                // wParam product id, lParam firmware version
inline constexpr uint32_t WM_USB_MAINMESS_DEVICE_IS_INITUI = 3333;  // wParam 1 valid / 0 rejected

// The timers on a device's selector tile: the device's heartbeat. Each runs on the user-interface
// thread and calls CVelmarUSBDevice::OnTileTimer with its id.
enum DeviceTileTimer : uint32_t {
  kTimerPushLightPreview = 1000,
  kTimerReadAll = 1001,
  kTimerSyncFromDevice = 1002,
  kTimerRefreshStatus = 1005,
  kTimerLinkWatch = 1007,
  kTimerKeepAlive = 1008,
};

inline constexpr uint32_t kReadAllDelayMs = 500;
inline constexpr uint32_t kLinkRetryMs = 5000;
inline constexpr uint32_t kLinkWatchMs = 3000;
inline constexpr uint32_t kLinkWatchFirstMs = 2000;
inline constexpr uint32_t kRefreshStatusMs = 3000;
inline constexpr uint32_t kKeepAliveFirstMs = 50;
inline constexpr uint32_t kSyncFromDeviceDelayMs = 50;
// The preview changes at most once per light tick (16 ms); pushing it more often paints nothing new.
inline constexpr uint32_t kPreviewCableMs = 16;
inline constexpr uint32_t kPreviewReceiverMs = 500;
