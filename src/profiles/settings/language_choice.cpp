#include "profiles/settings/language_choice.h"

#include <charconv>

#include "profiles/storage/text_conversions.h"

namespace {

std::optional<size_t> FindLanguageById(const std::vector<LanguageEntry>& languages, int64_t id) {
  for (size_t i = 0; i < languages.size(); ++i) {
    if (languages[i].id == id) return i;
  }
  return std::nullopt;
}

}  // namespace

std::string MessagesLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) return value;
  }
  return {};
}

std::string_view LanguageNameForLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  return EqualsIgnoringCase(language, "zh") ? kChineseLanguageName : kEnglishLanguageName;
}

std::optional<size_t> FindLanguageByName(const std::vector<LanguageEntry>& languages, std::string_view name) {
  for (size_t i = 0; i < languages.size(); ++i) {
    if (EqualsIgnoringCase(languages[i].name, name)) return i;
  }
  return std::nullopt;
}

size_t StartLanguageIndex(const std::vector<LanguageEntry>& languages, std::optional<int64_t> storedId,
                          std::string_view locale) {
  if (storedId) {
    if (const std::optional<size_t> stored = FindLanguageById(languages, *storedId)) return *stored;
  }
  return FindLanguageByName(languages, LanguageNameForLocale(locale)).value_or(0);
}

std::optional<size_t> FindLanguageByNameOrId(const std::vector<LanguageEntry>& languages, std::string_view choice) {
  if (choice.empty()) return std::nullopt;
  if (const std::optional<size_t> named = FindLanguageByName(languages, choice)) return named;
  int64_t id = 0;
  const char* end = choice.data() + choice.size();
  const auto [rest, error] = std::from_chars(choice.data(), end, id);
  if (error != std::errc() || rest != end) return std::nullopt;
  return FindLanguageById(languages, id);
}

std::string DescribeLanguages(const std::vector<LanguageEntry>& languages) {
  std::string text;
  for (const LanguageEntry& language : languages) {
    if (!text.empty()) text += ", ";
    text += language.name + " (" + std::to_string(language.id) + ", " + language.text + ")";
  }
  return text;
}
