#pragma once
#include <json/json.h>

#include <vector>

#include "profiles/records/key_assignment.h"

// "KeyList": one object per key in key order, with "Assignment" (current) and
// "DefaultAssignment" (factory), each a 24-bit value.

// Pair i is (i, Assignment of element i; i, DefaultAssignment of element i); at most
// kMaxKeyListEntries pairs.
std::vector<KeyAssignmentPair> KeyListFromJson(const Json::Value& keyList);

// Sets "KeyList"[i]."Assignment" of `deviceObject` from the current half of pair i.
// "DefaultAssignment" is never written: it is the factory's.
void StoreKeyAssignments(Json::Value& deviceObject, const std::vector<KeyAssignmentPair>& pairs);
