#pragma once
#include <cstddef>

// Upper bounds on what a stored or imported document may hold. The devices need far less (the
// keyboard has 170 keys and lights, the mouse 11 buttons and 7 stages); the bounds keep a damaged
// or hostile file from making the program allocate without end, and imports past them are refused.
inline constexpr size_t kMaxKeyListEntries = 256;
inline constexpr size_t kMaxLightListEntries = 256;
inline constexpr size_t kMaxDpiStages = 16;
inline constexpr size_t kMaxLightEffectSteps = 1024;
inline constexpr size_t kMaxCustomColourGroups = 5;  // the keyboard's colour banks 0-4
inline constexpr size_t kMaxCustomColoursPerGroup = 256;

inline constexpr size_t kEqBandCount = 10;
inline constexpr int kFirstEqPreset = 1;
inline constexpr int kLastEqPreset = 12;
inline constexpr int kCustomEqPreset = 13;
inline constexpr size_t kMaxCustomEqualisers = 20;

inline constexpr size_t kMaxProfileImportBytes = 4u * 1024 * 1024;
