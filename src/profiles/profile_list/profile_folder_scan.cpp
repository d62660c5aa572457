#include "profiles/profile_list/profile_folder_scan.h"

#include <algorithm>
#include <filesystem>

#include "profiles/profile_list/profile_names.h"
#include "profiles/storage/data_folders.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::vector<ProfileListEntry> FindProfileFiles(const std::string& folder) {
  std::vector<ProfileListEntry> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string fileName = it->path().filename().string();
    std::error_code typeError;
    if (!EndsWith(fileName, kProfileFileExtension) || !it->is_regular_file(typeError)) continue;
    const std::string id = fileName.substr(0, fileName.size() - kProfileFileExtension.size());
    Json::Value document = LoadJsonFile(it->path().string());
    const Json::Value& name = MemberOf(document, "profilename");
    if (TextOf(MemberOf(document, "profileUUID")) == id && name.isString()) found.push_back({name.asString(), id});
  }
  std::sort(found.begin(), found.end(),
            [](const ProfileListEntry& a, const ProfileListEntry& b) { return a.id < b.id; });
  if (found.size() > kMaxProfiles) found.resize(kMaxProfiles);
  return found;
}
