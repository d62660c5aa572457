#pragma once
#include <string>
#include <string_view>
#include <vector>

// Why a macro name is refused. The UI shows each through its own language key.
enum class MacroNameCheck {
  kAccepted,
  kStartsWithSpace,  // "message_text_25"
  kEmpty,            // blank after trimming white space: "message_text_5_1"
  kInUse,            // another macro (or this one) already has it, ignoring case: "message_text_5"
  kNotText,          // not valid UTF-8, or holds control characters
  kTooLong,          // more than kMaxMacroNameBytes bytes
};

// Checks a name typed for a rename against the rules, in this order: starts with white space,
// empty after trimming, not text, too long, the same as any listed name (the renamed one
// included) ignoring case.
MacroNameCheck CheckMacroName(std::string_view name, const std::vector<std::string>& listedNames);

// An English sentence for a refused name, for logs and as the detail of a refusal.
const char* DescribeMacroNameCheck(MacroNameCheck check);

// "macro_%d" with the smallest number from 1 up that no listed name has (ignoring case).
std::string NextFreeMacroName(const std::vector<std::string>& listedNames);

// `base`, or while a listed name equals it (ignoring case) the current name with "_%d" appended,
// the counter starting at 1 and growing by one per clash: abc, abc_1, abc_1_2, …
std::string UniqueImportedMacroName(const std::string& base, const std::vector<std::string>& listedNames);

// Characters (code points) in a UTF-8 text.
size_t CountCharacters(std::string_view utf8);
