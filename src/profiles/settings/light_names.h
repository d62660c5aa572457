#pragma once

#include <optional>
#include <string>
#include <vector>

// The names the lighting page offers, by the device's light index (keyboard 0, mouse 1, mouse pad
// 2, headset 3):
// - "default_light.json" (shipped): the modes in drop-down order, each with its name (a language
//   key), whether it is shown and the device's code for it; and the names of the second mode list.
// - "orvik_light.config" (the device folder, kept by another program; only read): the user's
//   named custom effects and the files that hold them.
// A list whose file or entry is missing (or is not a list) is empty here: the caller keeps what it
// had.

struct LightModeName {
  std::string name;
  bool visible = true;
  int code = 0;
  bool operator==(const LightModeName&) const = default;
};

struct CustomLightName {
  std::string name;
  std::string guid;  // the effect's file is the guid with ".light"
  bool operator==(const CustomLightName&) const = default;
};

struct DefaultLightNames {
  std::optional<std::vector<LightModeName>> modes;
  std::optional<std::vector<std::string>> areaNames;
};

DefaultLightNames ReadDefaultLightNames(const std::string& path, int lightIndex);
std::optional<std::vector<CustomLightName>> ReadCustomLightNames(const std::string& path, int lightIndex);
