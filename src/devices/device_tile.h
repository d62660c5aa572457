#pragma once

#include <cstdint>

// The device's selector tile as the device sees it. The tile owns the device's timers (ids in
// device_messages.h): a started timer fires on the user-interface thread and calls
// CVelmarUSBDevice::OnTileTimer until it is stopped or started again with another period.
class IDeviceTile {
 public:
  virtual ~IDeviceTile() = default;
  // Starts (or restarts) the timer; any thread.
  virtual void StartTileTimer(uint32_t timerId, uint32_t elapseMs) = 0;
  virtual void StopTileTimer(uint32_t timerId) = 0;
  virtual bool IsTileShown() const = 0;
  virtual void ShowTile(bool show) = 0;
  virtual bool IsTileSelected() const = 0;
  // The device's channel closed: the tile shows the device as disconnected.
  virtual void ShowDisconnected() = 0;
  virtual void RepaintLightPreview() = 0;
};
