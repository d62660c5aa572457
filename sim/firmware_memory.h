#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The blocks a virtual device stores and the vendor commands move. A block that a device does not
// have stays empty, so every access to it is out of range.
enum class SimBlock : uint8_t {
  DeviceInfo,   // the 34-byte information block
  ConfigImage,  // the table of 3-byte button records
  Settings,     // the settings area (pages, with the active profile byte at offset 0)
  Status,       // the live status (battery, charging)
  MacroData,
  RecoilData,
  LightStream,  // the last lighting frame streamed to the device
};
inline constexpr size_t kSimBlockCount = 7;

struct SimFirmwareMemory {
  std::array<std::vector<uint8_t>, kSimBlockCount> blocks;

  std::vector<uint8_t>& operator[](SimBlock block) { return blocks[static_cast<size_t>(block)]; }
  const std::vector<uint8_t>& operator[](SimBlock block) const { return blocks[static_cast<size_t>(block)]; }
};

inline constexpr size_t kSimDeviceInfoSize = 34;

// A 34-byte information block with the signature AA 55 and the initialisation marker.
std::vector<uint8_t> SimDeviceInfoBlock(bool initialised);
inline constexpr uint8_t kSimInitialisedMarker = 0x15;
