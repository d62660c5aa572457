#include "profiles/settings/user_settings.h"

#include <json/json.h>

#include "profiles/storage/data_folders.h"
#include "profiles/storage/json_file.h"

namespace {

std::string SettingsPath(const std::string& userFolder) {
  return (userFolder.empty() ? UserDataFolder() : userFolder) + kUserSettingsFileName;
}

}  // namespace

int64_t ReadUserSetting(const std::string& userFolder, const std::string& name, int64_t fallback) {
  const Json::Value document = LoadJsonFile(SettingsPath(userFolder));
  if (!document.isObject()) return fallback;
  const Json::Value& value = document[name];
  return value.isIntegral() ? value.asInt64() : fallback;
}

bool WriteUserSetting(const std::string& userFolder, const std::string& name, int64_t value) {
  Json::Value document = LoadJsonFile(SettingsPath(userFolder));
  if (!document.isObject()) document = Json::Value(Json::objectValue);
  document[name] = Json::Int64(value);
  return WriteJsonFile(document, SettingsPath(userFolder));
}
