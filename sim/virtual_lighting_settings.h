#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The settings area shared by the mouse pad and the headset: 512 bytes with the active profile at
// offset 0. The host reads 45-byte pages at 25 * p and writes 21-byte pages at 64 * p, so the area
// just has to hold both and keep whatever is written.
inline constexpr size_t kSimLightingSettingsSize = 512;
inline constexpr size_t kSimLightingReadStride = 25;
inline constexpr size_t kSimLightingWriteStride = 64;

// The factory area: profile 0 active, every page a static white light at full brightness.
std::vector<uint8_t> SimLightingSettingsArea();
