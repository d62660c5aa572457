#pragma once

// The light type of a lighting page: which layout rules and which mode translation it follows.
// Each device kind sets its own; 4 follows the headset's rules, and 5 has rules of its own but no
// device kind uses it yet.
inline constexpr int kLightTypeKeyboard = 1;
inline constexpr int kLightTypeMouse = 2;
inline constexpr int kLightTypeMousePad = 3;
inline constexpr int kLightTypeCompact = 4;
inline constexpr int kLightTypeSimple = 5;
inline constexpr int kLightTypeHeadset = 7;
