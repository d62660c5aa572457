#include "profiles/settings/update_time_file.h"

#include "platform/debug_output.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr const char* kLastTimeMember = "updatelasttime";
constexpr const char* kValueMember = "value";

}  // namespace

std::string UpdateDateText(int year, int month, int day) {
  return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

std::string ReadOrStartUpdateTime(const std::string& path, const std::string& today) {
  const Json::Value document = LoadJsonFile(path);
  if (document.isObject() && document[kLastTimeMember].isObject()) {
    const Json::Value& value = document[kLastTimeMember][kValueMember];
    if (value.isString() && !value.asString().empty()) return value.asString();
  }
  Json::Value fresh(Json::objectValue);
  fresh[kLastTimeMember][kValueMember] = today;
  if (!WriteJsonFile(fresh, path)) OutputDebugString("updatetime.config not written: " + path);
  return today;
}
