#include "shell/app_options.h"

#include "devices/device_kind_table.h"

namespace {

struct PageName {
  const char* name;
  int function;
};

constexpr PageName kPageNames[] = {
    {"lighting", kLightingTab}, {"keys", kKeyTab},     {"macros", kMacroTab},
    {"settings", kSystemTab},   {"recoil", kCursorTab}, {"more", kMoreTab},
};

}  // namespace

const char* ProgramVersion() { return T640_VERSION; }

int FunctionOfPageName(const std::string& name) {
  for (const PageName& page : kPageNames) {
    if (name == page.name) return page.function;
  }
  return 0;
}

std::optional<AppOptions> ParseAppOptions(const std::vector<std::string>& arguments, const char* simulateEnv,
                                          std::string* error) {
  AppOptions options;
  if (simulateEnv && *simulateEnv) {
    options.simulate = true;
    options.simulateList = simulateEnv;
  }
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--tray") {
      options.startInTray = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--simulate" || argument == "--screenshot" || argument == "--language" ||
               argument == "--open") {
      if (!hasValue) {
        if (error) *error = argument + " needs a value";
        return std::nullopt;
      }
      if (argument == "--simulate") {
        options.simulate = true;
        options.simulateList = arguments[++i];
      } else if (argument == "--screenshot") {
        options.screenshotPath = arguments[++i];
      } else if (argument == "--open") {
        const std::string& page = arguments[++i];
        options.openColourWindow = page == kColourWindowPageName;
        options.openSkinPanel = page == kSkinPanelPageName;
        options.openAboutWindow = page == kAboutWindowPageName;
        options.openSettingsWindow = page == kSettingsWindowPageName;
        options.openFunction = FunctionOfPageName(page);
        if (options.openFunction == 0 && !options.openColourWindow && !options.openSkinPanel &&
            !options.openAboutWindow && !options.openSettingsWindow) {
          if (error) {
            *error = "--open takes lighting, keys, macros, settings, recoil, more, colour, skin, about or "
                     "settings-window, not \"" +
                     page + "\"";
          }
          return std::nullopt;
        }
      } else {
        options.language = arguments[++i];
      }
    } else {
      if (error) *error = "unknown argument \"" + argument + "\"";
      return std::nullopt;
    }
  }
  return options;
}
