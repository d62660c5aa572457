#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/utf8_text.h"

// Small text helpers shared by the stored-data code. Every text this layer keeps is UTF-8.


// Space, tab, line feed, carriage return, vertical tab and form feed removed from both ends.
std::string TrimWhiteSpace(std::string_view text);

// Equality with ASCII letters folded; other characters must match exactly, as the wide-text
// comparison of names does in the C locale.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// "a/b/name.ext" -> "name": the text after the last '/' (or '\\') up to its last '.'.
std::string FileTitleOf(std::string_view path);

// A 32-bit value as eight upper-case hexadecimal digits.
std::string HexWord(uint32_t value);

// True for a bare file name: not empty, not "." or "..", no '/', '\\' or NUL. Names read from files
// pass this test before they become part of a path, so a hand-edited list cannot reach outside
// its folder.
bool IsPlainFileName(std::string_view name);

// The decimal value at the start of a text (after leading blanks): "150" -> 150, "150ms" -> 150,
// "" or "abc" or "-5" -> 0. Larger values wrap modulo 2^32, which keeps their low 16 bits exact.
uint32_t DecimalValueOf(std::string_view text);
