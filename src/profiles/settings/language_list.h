#pragma once
#include <json/json.h>

#include <string>
#include <vector>

// "Language.config" in the default-data folder lists the interface languages; a language's
// position in the list is its language index everywhere else.
inline constexpr const char* kLanguageListFileName = "Language.config";

struct LanguageEntry {
  std::string name;  // the toolkit's name for the language
  std::string file;  // the language text file the toolkit loads
  std::string text;  // the language's own name, shown in the settings window
  int id = 0;        // the identifier kept in the user's settings when the language is applied
};

// The entries of a "Language" array; a key an entry lacks reads as empty text or 0. Nothing is
// cached: callers read the file each time they need it.
std::vector<LanguageEntry> LanguageEntriesOf(const Json::Value& document);

// "<default-data folder>Language.config"; empty when the file is missing or unreadable.
std::vector<LanguageEntry> ReadLanguageList(const std::string& defaultDataFolder);

// The index of the entry with `id`; 0 when none has it (the first language is the fallback).
size_t FindLanguageIndex(const std::vector<LanguageEntry>& languages, int id);
