#pragma once
#include <cstdint>
#include <vector>

#include "sim/virtual_device.h"
#include "sim/virtual_device_options.h"

inline constexpr size_t kSimHeadsetStatusSize = 6;
inline constexpr size_t kSimHeadsetBatteryByte = 4;
inline constexpr uint8_t kSimHeadsetLightingReportId = 0xFF;
inline constexpr size_t kSimHeadsetLightingReportSize = 17;

// The USB headset: one consumer-control collection carries its command frames, its consumer
// input (with the 0x0401 re-read request) and the 17-byte lighting output reports the host sends
// through the control pipe. The lighting reports are accepted without an answer and kept in the
// frame log.
class CVirtualHeadset : public CVirtualDevice {
 public:
  explicit CVirtualHeadset(const SimHeadsetOptions& options = {});
  CVirtualHeadset(const SimHeadsetOptions& options, SimDeviceDescription description);

  void SetBattery(uint8_t level);
  // The lighting output reports received so far, oldest first.
  std::vector<std::vector<uint8_t>> LightingReports() const;
};
