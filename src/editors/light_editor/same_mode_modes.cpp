#include "editors/light_editor/same_mode_modes.h"

#include <array>

#include "devices/lighting/light_types.h"

namespace {

// Each kind's mode for common effect 0 … 4.
using ModeRow = std::array<int, 5>;
constexpr ModeRow kKeyboardModes = {5, 6, 23, 4, 28};
constexpr ModeRow kMouseModes = {1, 0, 8, 3, 6};
constexpr ModeRow kPadModes = {2, 3, 4, 1, 8};

const ModeRow* ModesOf(int lightType) {
  switch (lightType) {
    case kLightTypeKeyboard: return &kKeyboardModes;
    case kLightTypeMouse: return &kMouseModes;
    case kLightTypeMousePad:
    case kLightTypeCompact:
    case kLightTypeHeadset: return &kPadModes;
    default: return nullptr;
  }
}

}  // namespace

std::optional<int> CommonModeOf(int lightType, int mode) {
  const ModeRow* modes = ModesOf(lightType);
  if (!modes) return std::nullopt;
  for (size_t common = 0; common < modes->size(); ++common) {
    if ((*modes)[common] == mode) return static_cast<int>(common);
  }
  return std::nullopt;
}

std::optional<int> ModeOfCommon(int lightType, int common) {
  const ModeRow* modes = ModesOf(lightType);
  if (!modes || common < 0 || static_cast<size_t>(common) >= modes->size()) return std::nullopt;
  return (*modes)[static_cast<size_t>(common)];
}
