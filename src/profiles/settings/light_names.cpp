#include "profiles/settings/light_names.h"

#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

// The array of `key` at `lightIndex`, or null when either is missing or not an array.
const Json::Value* ListAt(const Json::Value& document, const char* key, int lightIndex) {
  if (lightIndex < 0 || !document.isObject()) return nullptr;
  const Json::Value& perIndex = MemberOf(document, key);
  if (!perIndex.isArray() || static_cast<Json::ArrayIndex>(lightIndex) >= perIndex.size()) return nullptr;
  const Json::Value& list = perIndex[static_cast<Json::ArrayIndex>(lightIndex)];
  return list.isArray() ? &list : nullptr;
}

}  // namespace

DefaultLightNames ReadDefaultLightNames(const std::string& path, int lightIndex) {
  const Json::Value document = LoadJsonFile(path);
  DefaultLightNames names;
  if (const Json::Value* modes = ListAt(document, "DefaultLightName", lightIndex)) {
    names.modes.emplace();
    for (const Json::Value& entry : *modes) {
      if (!entry.isObject()) continue;
      const Json::Value& visible = MemberOf(entry, "visible");
      names.modes->push_back({TextOf(MemberOf(entry, "LightName")), visible.isNull() || FlagOf(visible),
                              static_cast<int>(ClampedTo<int32_t>(IntegerAt(entry, "value")))});
    }
  }
  if (const Json::Value* areas = ListAt(document, "AreaLightName", lightIndex)) {
    names.areaNames.emplace();
    for (const Json::Value& entry : *areas) {
      if (entry.isObject()) names.areaNames->push_back(TextOf(MemberOf(entry, "LightName")));
    }
  }
  return names;
}

std::optional<std::vector<CustomLightName>> ReadCustomLightNames(const std::string& path, int lightIndex) {
  const Json::Value document = LoadJsonFile(path);
  const Json::Value* effects = ListAt(document, "LightInfo", lightIndex);
  if (!effects) return std::nullopt;
  std::vector<CustomLightName> names;
  for (const Json::Value& entry : *effects) {
    if (entry.isObject()) names.push_back({TextOf(MemberOf(entry, "LightName")), TextOf(MemberOf(entry, "Guid"))});
  }
  return names;
}
