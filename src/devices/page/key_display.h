#pragma once
#include <span>
#include <string>
#include <vector>

#include "profiles/keys/function_label.h"
#include "profiles/records/key_assignment.h"

class CDeviceKeyButtonUI;

// A function's name in the current language.
std::string FunctionText(const FunctionLabel& label);
// What a key does, in the current language: its function, or "factory setting" for a factory
// function the program has no name for.
std::string KeyFunctionText(const KeyAssignmentPair& key, std::span<const std::string> macroNames);
// The language's "{button}: {function}" with the two filled in.
std::string FillButtonAndFunction(std::string format, const std::string& button, const std::string& function);
// The button's name and what it does, as the language puts them together.
std::string KeyDisplayText(const char* nameKey, const KeyAssignmentPair& key, std::span<const std::string> macroNames);

// The key zones of a device picture show what their keys do: each zone's tooltip names its button
// and its function, and a zone whose key no longer does its factory function carries the mark of
// an assigned key. `nameKeys` are the buttons' names by key index; zones without a key are left.
void ShowKeyFunctions(const std::vector<CDeviceKeyButtonUI*>& zones, std::span<const char* const> nameKeys,
                      const std::vector<KeyAssignmentPair>& keys, std::span<const std::string> macroNames);
