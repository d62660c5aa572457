#pragma once

#include <cstdint>
#include <string>

// The program's own per-user values (what a registry key would hold elsewhere): one JSON object
// in "<user folder>settings.json", replaced atomically on every write. A missing or damaged file
// reads as empty, so every value falls back to its default.
inline constexpr const char* kUserSettingsFileName = "settings.json";
inline constexpr const char* kLanguageSettingName = "LANGUAGE";

// `userFolder` ends with '/'; empty means the user's own T640 folder.
int64_t ReadUserSetting(const std::string& userFolder, const std::string& name, int64_t fallback);
// False when the file could not be written (the old one is then unchanged).
bool WriteUserSetting(const std::string& userFolder, const std::string& name, int64_t value);
