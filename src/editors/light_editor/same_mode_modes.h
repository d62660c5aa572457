#pragma once

#include <optional>

// The five effects every kind can show together (breathing, steady, flashing, spectrum, off) and
// each kind's mode for them. Kinds are named by their light type (devices/lighting/light_types.h).
inline constexpr int kCommonBreathing = 0;
inline constexpr int kCommonSteady = 1;
inline constexpr int kCommonFlashing = 2;
inline constexpr int kCommonSpectrum = 3;
inline constexpr int kCommonOff = 4;

// The common effect of a kind's mode; empty when the mode has none (it cannot be shared).
std::optional<int> CommonModeOf(int lightType, int mode);
// The kind's mode for a common effect; empty for a kind without lights of this sort.
std::optional<int> ModeOfCommon(int lightType, int common);
