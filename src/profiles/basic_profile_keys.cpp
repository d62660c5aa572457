// The key assignment lists of CBasicProfiledata.
#include "profiles/basic_profile_data.h"
#include "profiles/records/key_list_json.h"
#include "profiles/storage/json_access.h"

std::vector<KeyAssignmentPair> CBasicProfiledata::ReadKeyList() {
  keyList_ = KeyListFromJson(MemberOf(current_, "KeyList"));
  return keyList_;
}

void CBasicProfiledata::WriteKeyList(const std::vector<KeyAssignmentPair>& pairs) {
  keyList_ = pairs;
  StoreKeyAssignments(EditableDeviceObject(), pairs);
}

std::vector<KeyAssignmentPair> CBasicProfiledata::ReadDefaultKeyList() {
  defaultKeyList_ = KeyListFromJson(MemberOf(default_, "KeyList"));
  return defaultKeyList_;
}

void CBasicProfiledata::WriteDefaultKeyList(const std::vector<KeyAssignmentPair>& pairs) {
  defaultKeyList_ = pairs;
  StoreKeyAssignments(EditableDefaultObject(), pairs);
}
