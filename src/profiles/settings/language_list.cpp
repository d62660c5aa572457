#include "profiles/settings/language_list.h"

#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

std::vector<LanguageEntry> LanguageEntriesOf(const Json::Value& document) {
  std::vector<LanguageEntry> languages;
  const Json::Value& list = MemberOf(document, "Language");
  if (!list.isArray()) return languages;
  for (const Json::Value& entry : list) {
    languages.push_back({TextOf(MemberOf(entry, "Language_name")), TextOf(MemberOf(entry, "Language_file")),
                         TextOf(MemberOf(entry, "Language_text")), static_cast<int>(IntegerAt(entry, "Language_ID"))});
  }
  return languages;
}

std::vector<LanguageEntry> ReadLanguageList(const std::string& defaultDataFolder) {
  std::string folder = defaultDataFolder;
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return LanguageEntriesOf(LoadJsonFile(folder + kLanguageListFileName));
}

size_t FindLanguageIndex(const std::vector<LanguageEntry>& languages, int id) {
  for (size_t i = 0; i < languages.size(); ++i) {
    if (languages[i].id == id) return i;
  }
  return 0;
}
