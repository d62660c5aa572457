#pragma once

#include <string_view>

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no NUL byte (a NUL
// cannot survive the trip through a file name, a message name or the toolkit's strings).
bool IsValidUtf8(std::string_view text);
