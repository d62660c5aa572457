#include "shell/app_options.h"

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
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--simulate" || argument == "--screenshot" || argument == "--language") {
      if (!hasValue) {
        if (error) *error = argument + " needs a value";
        return std::nullopt;
      }
      if (argument == "--simulate") {
        options.simulate = true;
        options.simulateList = arguments[++i];
      } else if (argument == "--screenshot") {
        options.screenshotPath = arguments[++i];
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
