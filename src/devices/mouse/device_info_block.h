#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The mouse's 34-byte information block. Multi-byte fields are little-endian.
inline constexpr size_t kDeviceInfoBlockSize = 34;
inline constexpr uint16_t kDeviceInfoSignature = 0x55AA;
inline constexpr uint8_t kDeviceInitialisedMarker = 0x15;

struct DeviceInfoBlock {
  std::array<uint8_t, kDeviceInfoBlockSize> bytes{};

  uint16_t Signature() const;
  uint8_t RecordCount() const;  // N, the number of 3-byte button records
  uint8_t MacroUnits() const;   // macro memory in units of 128 bytes
  uint8_t InitMarker() const;
  void SetInitMarker(uint8_t marker);
  uint16_t SensorId() const;
  uint8_t SensitivityStep() const;
  uint16_t SliderLimit() const;  // used by sensor 12548 only
  uint16_t SensitivityBase() const;

  // Whatever the marker says, a block without the signature is nobody's: not initialised, not fresh.
  bool HasSignature() const;
  bool IsInitialised() const;
  // Never touched by this program yet: the host may claim it by setting the marker.
  bool IsFresh() const;
  uint16_t ConfigImageSize() const;     // 3 * N
  uint32_t MacroCapacityBytes() const;  // 128 * macro units
};
