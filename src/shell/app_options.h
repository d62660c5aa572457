#pragma once

#include <optional>
#include <string>
#include <vector>

// The t640 command line.
struct AppOptions {
  bool simulate = false;
  std::string simulateList;    // --simulate LIST (or T640_SIMULATE)
  std::string screenshotPath;  // --screenshot FILE
  std::string language;        // --language ID
  int openFunction = 0;        // --open PAGE: the function page's number; 0 for the page a device opens on
  bool openColourWindow = false;  // --open colour: the colour window of the mouse's current stage
  bool openSkinPanel = false;       // --open skin: the skin panel
  bool openAboutWindow = false;     // --open about: the about window
  bool openSettingsWindow = false;  // --open settings-window: the settings window
  bool startInTray = false;       // --tray
  bool help = false;
  bool version = false;
};

inline constexpr const char* kAppUsage =
    "usage: t640 [--simulate LIST] [--screenshot FILE] [--open PAGE] [--language ID] [--tray] [--help]\n"
    "            [--version]\n"
    "  --simulate LIST    run against virtual devices instead of hardware, e.g.\n"
    "                     mouse, mouse-receiver:unlinked, mouse:sensor=35109:fresh (also T640_SIMULATE)\n"
    "  --screenshot FILE  once the first scan and the device reads have settled, save the main\n"
    "                     window as a PNG and exit\n"
    "  --open PAGE        show this page of the selected device once it is found: lighting,\n"
    "                     keys (the first changed button chosen), macros, settings, recoil or more;\n"
    "                     colour opens the colour window of the mouse's current stage, skin the\n"
    "                     skin panel, about the about window, settings-window the settings\n"
    "                     window (language and updates); with --screenshot, that window is saved\n"
    "  --language ID      show the interface in that language, now and at every later start:\n"
    "                     en-US or zh-CN (or their numbers, 1033 and 2052). The first start\n"
    "                     without one follows the locale (LC_ALL, LC_MESSAGES, LANG): Chinese\n"
    "                     for zh_*, English for any other\n"
    "  --tray             start hidden in the tray (shown as usual where there is no tray)\n";

// --open's names for windows rather than function pages ("settings" is the device's settings page).
inline constexpr const char* kColourWindowPageName = "colour";
inline constexpr const char* kSkinPanelPageName = "skin";
inline constexpr const char* kAboutWindowPageName = "about";
inline constexpr const char* kSettingsWindowPageName = "settings-window";

// The version the build gives the program (what --version prints).
const char* ProgramVersion();

// The function page a name of --open stands for; 0 for an unknown name.
int FunctionOfPageName(const std::string& name);

// Null with a one-line reason for a malformed command line.
std::optional<AppOptions> ParseAppOptions(const std::vector<std::string>& arguments, const char* simulateEnv,
                                          std::string* error);
