#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "profiles/records/lighting_records.h"

// The mouse pad keeps its lighting in a 21-byte page of its settings area. The host reads the
// active page number (1 byte at offset 0), then 45 bytes at 25 × page, of which the first 21 are
// the page; it writes the 21 bytes at 64 × page. The two strides meet only at page 0, which is the
// one page the host writes back (see CPadDriver).
inline constexpr size_t kPadPageSize = 21;
inline constexpr size_t kPadPageReadSize = 45;
inline constexpr uint32_t kPadPageReadStride = 25;
inline constexpr uint32_t kPadPageWriteStride = 64;
using PadPageBytes = std::array<uint8_t, kPadPageSize>;
using PadPageReadBytes = std::array<uint8_t, kPadPageReadSize>;

// Byte places of the page.
inline constexpr size_t kPadActiveProfileByte = 0, kPadModeByte = 1, kPadBrightnessByte = 2, kPadSpeedByte = 3,
                        kPadDirectionByte = 4, kPadMultiColourByte = 5, kPadRedByte = 6, kPadGreenByte = 7,
                        kPadBlueByte = 8;
// The device keeps the speed inverted: it stores 4 − speed.
inline constexpr uint8_t kPadFastestSpeed = 4;

// The host's copy of the page: the mode byte holds the mode index and the speed byte the speed
// (the device's code and inverted speed exist only in the frame). Bytes 9-20 are the device's own
// and are carried from the last read back to the device unchanged.
struct PadSettingsBlock {
  PadPageBytes bytes{};
  bool operator==(const PadSettingsBlock&) const = default;

  uint8_t ModeIndex() const { return bytes[kPadModeByte]; }
  uint8_t Speed() const { return bytes[kPadSpeedByte]; }
  // Bytes 1-8 from a lighting record.
  void TakeLighting(const LightInfoRecord& light);
  // Bytes 1-8 over `light`'s fields (the others stay).
  LightInfoRecord LightingOver(LightInfoRecord light) const;
};

// A page as read: byte 0 := the active profile, the mode code turned into its position in
// `modeCodes` (a code the list does not name stays as read), the speed turned back (a device
// byte above 4 reads as speed 0).
PadSettingsBlock DecodePadPage(const PadPageReadBytes& raw, uint8_t activeProfile, std::span<const int> modeCodes);
// The 21 bytes to send: the mode index as its code (an index the list does not reach is sent as
// it is) and the speed inverted (a speed above 4 is sent as 4, the slowest).
PadPageBytes EncodePadPage(const PadSettingsBlock& block, std::span<const int> modeCodes);
