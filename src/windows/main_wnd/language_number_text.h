#pragma once
#include <string>

// The language text of `key` with its number placeholder filled. Texts come from files anyone can
// edit, so they are never used as a format: only the first "%d" is replaced.
std::string LanguageTextWithNumber(const char* key, int number);
