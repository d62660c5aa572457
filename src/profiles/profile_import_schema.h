#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/profile_import.h"

// The clean copy of one device object of an imported profile. Returns false, with `check`'s
// refusal and detail set, on a structural fault; otherwise fills `clean`.
bool CleanImportedDeviceObject(const Json::Value& device, const std::string& place, Json::Value& clean,
                               ProfileImportCheck& check);

bool IsImportableName(const std::string& text);
