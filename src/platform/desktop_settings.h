#pragma once
#include <optional>
#include <string>
#include <vector>

// The desktop's own settings for the mouse (pointer speed, handedness, acceleration): the settings
// program of whichever desktop is installed, found on PATH.
struct DesktopSettingsProgram {
  std::string path;
  std::vector<std::string> arguments;
};

// The first installed program of GNOME, KDE Plasma, Xfce, Cinnamon, MATE or LXQt that opens the
// mouse settings; nothing when none is installed.
std::optional<DesktopSettingsProgram> FindMouseSettingsProgram();

// The executable `name` in the folders of PATH, or empty.
std::string FindOnPath(const std::string& name);
