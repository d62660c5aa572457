#pragma once
#include <string>
#include <vector>

#include "profiles/profile_list/profile_list_file.h"

// The profiles a device folder holds on its own, for rebuilding a lost or damaged list: every
// "<id>.Json" whose "profileUUID" is that id and which has a text "profilename". Oldest first
// (ids are time stamps), at most kMaxProfiles of them.
std::vector<ProfileListEntry> FindProfileFiles(const std::string& folder);
