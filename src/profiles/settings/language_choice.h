#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/settings/language_list.h"

// Which interface language a start shows, and the languages a user may name.
//
// A choice the user made is stored (the "LANGUAGE" setting); a start without one follows the
// locale that names the language of the user's messages.

inline constexpr const char* kChineseLanguageName = "zh-CN";
inline constexpr const char* kEnglishLanguageName = "en-US";

// LC_ALL, then LC_MESSAGES, then LANG: the first one that is set and not empty (the order the C
// library gives them for messages). Empty when none is.
std::string MessagesLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The language name a locale asks for: Chinese for a Chinese locale ("zh", "zh_CN.UTF-8",
// "zh_TW", ...), English for every other one, "C" and none included.
std::string_view LanguageNameForLocale(std::string_view locale);

// The entry with that name, ASCII letter case ignored.
std::optional<size_t> FindLanguageByName(const std::vector<LanguageEntry>& languages, std::string_view name);

// The language a start shows: the stored identifier's when an entry has it, else the locale's
// when the list has it, else the first.
size_t StartLanguageIndex(const std::vector<LanguageEntry>& languages, std::optional<int64_t> storedId,
                          std::string_view locale);

// What a user may type to name a language: its name ("en-US", case ignored) or its identifier
// ("1033").
std::optional<size_t> FindLanguageByNameOrId(const std::vector<LanguageEntry>& languages, std::string_view choice);

// "zh-CN (2052, 简体中文), en-US (1033, English)": the choices, for a message.
std::string DescribeLanguages(const std::vector<LanguageEntry>& languages);
