#pragma once
#include <string>

enum class LanguageOptionResult {
  kStored,
  kUnknown,    // the choice names no language of the list (a usage error)
  kNotStored,  // the settings file could not be written
};

// --language ID: the language named by `choice` in the default-data folder's language list (its
// name such as "en-US", letter case ignored, or its identifier such as "1033") becomes the user's
// stored choice in `userFolder` (empty: the user's own folder), which every later start shows.
// `message` lists the languages there are when the choice names none, or says why the choice could
// not be stored.
LanguageOptionResult StoreLanguageOption(const std::string& choice, const std::string& defaultDataFolder,
                                         const std::string& userFolder, std::string* message);
