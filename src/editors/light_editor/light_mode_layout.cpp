#include "editors/light_editor/light_mode_layout.h"

namespace {

// The columns every table shares: 7-colour, colour, palette, brightness, speed.
LightModeLayout Row(bool seven, bool colour, bool palette, bool brightness, bool speed) {
  LightModeLayout layout;
  layout.sevenColour = seven;
  layout.colour = colour;
  layout.palette = palette;
  layout.brightness = brightness;
  layout.speed = speed;
  return layout;
}

LightModeLayout KeyboardLayout(int mode) {
  LightModeLayout l;
  bool direction = false;
  bool same = false;
  const char* left = "light_set_right_to_left_text";
  const char* right = "light_set_left_to_right_text";
  switch (mode) {
    case 1: case 2:
      l = Row(true, true, true, true, true), direction = true; break;
    case 3: case 24:
      l = Row(true, true, true, true, true), direction = true;
      left = "light_set_clockwise_text", right = "light_set_anticlockwise_text";
      break;
    case 4:
      l = Row(false, false, false, true, true), same = true, l.colourGroupEnabled = false; break;
    case 5: case 23:
      l = Row(false, true, true, true, true), same = true; break;
    case 6:
      l = Row(true, true, true, true, false), same = true; break;
    case 7: case 8: case 9: case 10: case 13: case 14: case 15: case 22: case 25:
      l = Row(true, true, true, true, true); break;
    case 16:
      l = Row(true, true, true, true, false); break;
    case 11: case 26:
      l = Row(false, false, false, true, true), l.colourGroupEnabled = false; break;
    case 12:
      l = Row(false, false, false, true, true), direction = true;
      left = "light_set_down_to_up_text", right = "light_set_up_to_down_text";
      break;
    case 17:
      l = Row(false, false, false, true, true), l.speedShown = false, l.secondModeShown = true,
      l.colourGroupEnabled = false;
      break;
    case 18:
      l = Row(false, false, false, true, false), direction = true, l.colourGroupEnabled = false;
      left = "light_set_outside_to_inside_text", right = "light_set_inside_to_outside_text";
      break;
    case 20:
      l = Row(false, true, true, true, false), l.customGroupShown = true, l.speedShown = false; break;
    case 21:
      l = Row(true, true, true, true, true), direction = true;
      left = "light_set_up_to_down_text", right = "light_set_down_to_up_text";
      break;
    case 27:
      l = Row(false, false, false, true, true); break;
    case 28:
      l = Row(false, false, false, false, false), same = true; break;
    case 29:
      l = Row(true, true, true, true, false), direction = true, l.speedShown = false, l.audioModeShown = true,
      l.colourPage = 1;
      break;
    case 30:
      l = Row(false, false, false, true, false), l.colourGroupEnabled = false; break;
    default:
      l = Row(false, false, false, false, false); break;
  }
  // What every row starts from, for the fields the row itself did not set.
  if (!l.customGroupShown) l.customGroupShown = false;
  if (!l.speedShown) l.speedShown = true;
  if (!l.secondModeShown) l.secondModeShown = false;
  if (!l.colourGroupEnabled) l.colourGroupEnabled = true;
  if (!l.audioModeShown) l.audioModeShown = false;
  if (!l.colourPage) l.colourPage = 0;
  l.direction = direction;
  l.sameMode = same;
  l.leftText = left;
  l.rightText = right;
  return l;
}

LightModeLayout MouseLayout(int mode) {
  LightModeLayout l;
  std::optional<bool> rgb;
  bool same = true;
  switch (mode) {
    case 0: l = Row(false, true, true, true, false), rgb = true; break;
    case 1: case 9: l = Row(false, true, true, true, true), rgb = true; break;
    case 2: case 3: case 4: l = Row(false, false, false, true, true), rgb = false; break;
    case 5: l = Row(true, false, false, true, true), rgb = false; break;
    case 6: l = Row(false, false, false, false, false), rgb = false; break;
    case 7: l = Row(false, false, false, true, true), same = false; break;
    case 8: l = Row(true, true, true, true, true); break;
    case 10: l = Row(false, false, false, true, true), rgb = false, same = false; break;
    default: l = Row(false, false, false, false, false), same = false; break;
  }
  l.direction = false;
  l.rgb = rgb;
  l.sameMode = same;
  return l;
}

LightModeLayout PadLayout(int mode) {
  LightModeLayout l;
  bool direction = false;
  bool same = true;
  switch (mode) {
    case 0: l = Row(true, true, true, true, true), direction = true, same = false; break;
    case 1: l = Row(false, false, false, true, true); break;
    case 2: case 4: l = Row(true, true, true, true, true); break;
    case 3: l = Row(false, true, true, true, false); break;
    case 8: l = Row(false, false, false, false, false); break;
    default: l = Row(false, false, false, false, false), same = false; break;
  }
  l.direction = direction;
  l.sameMode = same;
  return l;
}

LightModeLayout SimpleLayout(int mode) {
  switch (mode) {
    case 0: case 2: case 3: return Row(true, true, true, true, true);
    case 1: return Row(false, true, true, true, false);
    case 4: return Row(false, false, false, true, true);
    default: return Row(false, false, false, false, false);
  }
}

}  // namespace

std::optional<LightModeLayout> ModeLayoutFor(int lightType, int mode) {
  switch (lightType) {
    case kLightTypeKeyboard: return KeyboardLayout(mode);
    case kLightTypeMouse: return MouseLayout(mode);
    case kLightTypeMousePad:
    case kLightTypeCompact:
    case kLightTypeHeadset: return PadLayout(mode);
    case kLightTypeSimple: return SimpleLayout(mode);
    default: return std::nullopt;
  }
}
