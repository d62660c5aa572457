#include "profiles/records/key_list_json.h"

#include <algorithm>

#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"

namespace {

constexpr uint32_t kAssignmentBits = 0xFFFFFF;

}  // namespace

std::vector<KeyAssignmentPair> KeyListFromJson(const Json::Value& keyList) {
  std::vector<KeyAssignmentPair> pairs;
  if (!keyList.isArray()) return pairs;
  Json::ArrayIndex count = std::min<Json::ArrayIndex>(keyList.size(), kMaxKeyListEntries);
  for (Json::ArrayIndex i = 0; i < count; ++i) {
    const Json::Value& key = keyList[i];
    auto index = static_cast<uint16_t>(i);
    pairs.push_back({KeyAssignment::FromValue(index, static_cast<uint32_t>(IntegerAt(key, "Assignment")) & kAssignmentBits),
                     KeyAssignment::FromValue(index, static_cast<uint32_t>(IntegerAt(key, "DefaultAssignment")) &
                                                         kAssignmentBits)});
  }
  return pairs;
}

void StoreKeyAssignments(Json::Value& deviceObject, const std::vector<KeyAssignmentPair>& pairs) {
  size_t count = std::min(pairs.size(), kMaxKeyListEntries);
  Json::Value& keyList = ObjectMember(deviceObject, "KeyList");
  for (size_t i = 0; i < count; ++i) {
    Json::Value& key = ArrayElement(keyList, static_cast<Json::ArrayIndex>(i));
    ObjectMember(key, "Assignment") = static_cast<Json::Int>(pairs[i].Current.Value());
  }
}
