#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// Where the mouse's wave effects put their seven positions on its 15 light entries. The table
// takes entries 0-6 to run along one side from front to back and 7-13 back along the other, so
// entries k and 13 − k sit level with each other; entry 14 (the logo) rides with the middle
// position. Whatever the real order, each entry belongs to exactly one position.

inline constexpr size_t kWavePositionCount = 7;
inline constexpr size_t kEntriesPerWavePosition = 3;
inline constexpr uint8_t kNoWaveEntry = 0xFF;

inline constexpr std::array<std::array<uint8_t, kEntriesPerWavePosition>, kWavePositionCount>
    kMouseWavePositions = {{
        {0, 13, kNoWaveEntry},  // front
        {1, 12, kNoWaveEntry},
        {2, 11, kNoWaveEntry},
        {3, 10, 14},  // middle, with the logo
        {4, 9, kNoWaveEntry},
        {5, 8, kNoWaveEntry},
        {6, 7, kNoWaveEntry},  // back
    }};

// Neighbouring positions sit about a seventh of the colour wheel (and of the wave) apart.
inline constexpr int kWavePositionSpacing = 27;
