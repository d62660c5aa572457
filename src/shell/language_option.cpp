#include "shell/language_option.h"

#include <optional>
#include <vector>

#include "profiles/settings/language_choice.h"
#include "profiles/settings/language_list.h"
#include "profiles/settings/user_settings.h"
#include "profiles/storage/data_folders.h"

LanguageOptionResult StoreLanguageOption(const std::string& choice, const std::string& defaultDataFolder,
                                         const std::string& userFolder, std::string* message) {
  const std::vector<LanguageEntry> languages = ReadLanguageList(defaultDataFolder);
  if (languages.empty()) {
    if (message) *message = "no language list was found (" + defaultDataFolder + kLanguageListFileName + ")";
    return LanguageOptionResult::kUnknown;
  }
  const std::optional<size_t> index = FindLanguageByNameOrId(languages, choice);
  if (!index) {
    if (message) *message = "unknown language \"" + choice + "\"; choose one of: " + DescribeLanguages(languages);
    return LanguageOptionResult::kUnknown;
  }
  const LanguageEntry& language = languages[*index];
  if (!WriteUserSetting(userFolder, kLanguageSettingName, language.id)) {
    const std::string path = (userFolder.empty() ? UserDataFolder() : userFolder) + kUserSettingsFileName;
    if (message) *message = "the language " + language.name + " could not be stored in " + path;
    return LanguageOptionResult::kNotStored;
  }
  return LanguageOptionResult::kStored;
}
