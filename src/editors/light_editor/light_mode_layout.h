#pragma once

#include <optional>

#include "devices/lighting/light_types.h"

// Which lighting controls a mode uses, by the panel's light type. Enabled means operable; a group
// the rules leave alone is empty. No toolkit code: the panel applies it (light_control_ui.cpp).

struct LightModeLayout {
  bool sevenColour = false;
  bool colour = false;
  bool palette = false;
  bool brightness = false;
  bool speed = false;
  // The direction options; empty where the rules do not touch them.
  std::optional<bool> direction;
  // The red, green and blue edits (mouse only).
  std::optional<bool> rgb;
  // The same-mode button is offered (when the panel is allowed to offer it); empty: not touched.
  std::optional<bool> sameMode;

  // ---- keyboards only ----
  std::optional<bool> customGroupShown;
  std::optional<bool> speedShown;
  std::optional<bool> secondModeShown;
  std::optional<bool> colourGroupEnabled;
  std::optional<bool> audioModeShown;
  std::optional<int> colourPage;  // 0 the colour, 1 the audio colours
  // Language keys of the two direction options; null where the rules keep the texts.
  const char* leftText = nullptr;
  const char* rightText = nullptr;
};

// The layout of `mode` for `lightType`; empty for a light type without rules.
std::optional<LightModeLayout> ModeLayoutFor(int lightType, int mode);
