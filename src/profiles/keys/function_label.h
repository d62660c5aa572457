#pragma once
#include <span>
#include <string>
#include <vector>

#include "profiles/records/key_assignment.h"

// A function's name for display, in pieces: language keys and literal text (numbers, macro
// names, separators), shown one after the other. A keyboard key is its modifier and key names
// ("Ctrl" " + " "A"); a scroll is its direction with its count; a macro its name with how it
// plays; rapid fire its interval and count. A value of no known function is named as such with
// its bytes.
struct FunctionLabelPart {
  std::string text;
  bool languageKey = false;
  bool operator==(const FunctionLabelPart&) const = default;
};
using FunctionLabel = std::vector<FunctionLabelPart>;

// `macroNames` are the device's macros by number.
FunctionLabel DescribeFunction(const KeyAssignment& value, std::span<const std::string> macroNames);

// The label keys of the macro play modes 0–3 and of the repeated macro (4): the items of the key
// editor's play-mode drop-down.
inline constexpr const char* kMacroPlayModeKeys[] = {"keyset_macro_mode_0", "keyset_macro_mode_1",
                                                     "keyset_macro_mode_2", "keyset_macro_mode_3",
                                                     "keyset_macro_mode_4"};
// The modifier names of the modifier options 1–4 (Ctrl, Shift, Alt, Win).
inline constexpr const char* kModifierNameKeys[] = {"keyset_modifier_ctrl", "keyset_modifier_shift",
                                                    "keyset_modifier_alt", "keyset_modifier_win"};
