#pragma once
#include <optional>
#include <string>
#include <string_view>

// The text of an INI file ("[SECTION]" lines, then "KEY=value" lines), read and changed the way
// the classic private-profile calls do: section and key names without regard to case, blanks
// around names and values ignored, lines starting with ';' are comments, and a change keeps every
// other line of the text as it was.

// The value of `key` in `section`, or nothing when either is missing.
std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key);

// The text with `key` in `section` set to `value`: the first such line is replaced, or the key is
// added at the end of the section, or the section is added at the end of the text. Names and
// values with a line break, and names with '=' or ']', are refused (nothing is returned).
std::optional<std::string> WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                                        std::string_view value);
