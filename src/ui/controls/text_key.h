#pragma once

// Marks a language key written in code. The key check of the language files collects the string
// literal of every call of this function in the sources, so a key used by code cannot be missing
// from a shipped language file without a test failing. Use it wherever code hands a key to a
// control or a prompt.
constexpr const char* TextKey(const char* key) { return key; }
