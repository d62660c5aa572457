#include "profiles/macros/macro_name_rules.h"

#include "profiles/macros/macro_limits.h"
#include "profiles/storage/text_conversions.h"

namespace {

bool IsListed(std::string_view name, const std::vector<std::string>& listedNames) {
  for (const std::string& listed : listedNames) {
    if (EqualsIgnoringCase(listed, name)) return true;
  }
  return false;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

MacroNameCheck CheckMacroName(std::string_view name, const std::vector<std::string>& listedNames) {
  if (!name.empty() && TrimWhiteSpace(name.substr(0, 1)).empty()) return MacroNameCheck::kStartsWithSpace;
  if (TrimWhiteSpace(name).empty()) return MacroNameCheck::kEmpty;
  if (!IsValidUtf8(name) || HasControlCharacter(name)) return MacroNameCheck::kNotText;
  if (name.size() > kMaxMacroNameBytes) return MacroNameCheck::kTooLong;
  if (IsListed(name, listedNames)) return MacroNameCheck::kInUse;
  return MacroNameCheck::kAccepted;
}

const char* DescribeMacroNameCheck(MacroNameCheck check) {
  switch (check) {
    case MacroNameCheck::kAccepted:
      return "The name is accepted.";
    case MacroNameCheck::kStartsWithSpace:
      return "A macro name cannot start with a space.";
    case MacroNameCheck::kEmpty:
      return "A macro name cannot be empty.";
    case MacroNameCheck::kInUse:
      return "Another macro already has this name (letter case does not count).";
    case MacroNameCheck::kNotText:
      return "The name holds characters that cannot be shown; type it again.";
    case MacroNameCheck::kTooLong:
      return "The name is too long.";
  }
  return "";
}

std::string NextFreeMacroName(const std::vector<std::string>& listedNames) {
  for (size_t number = 1;; ++number) {
    std::string name = "macro_" + std::to_string(number);
    if (!IsListed(name, listedNames)) return name;
  }
}

std::string UniqueImportedMacroName(const std::string& base, const std::vector<std::string>& listedNames) {
  std::string name = base;
  for (size_t counter = 1; IsListed(name, listedNames); ++counter) name += "_" + std::to_string(counter);
  return name;
}

size_t CountCharacters(std::string_view utf8) {
  size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}
