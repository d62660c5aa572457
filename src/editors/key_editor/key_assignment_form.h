#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "profiles/keys/function_tables.h"
#include "profiles/records/key_assignment.h"

// What the key editor's controls show, as plain values: the function category, the row of each
// drop-down (-1 none), the texts of the edits and the keyboard-key page's modifier option and
// key. The editor copies its controls into this and back; the rules live in CKeyAssignmentForm.
struct KeyFormControls {
  int category = -1;                  // the function item's category; -1 none
  bool editorShown = true;            // the editor area ("keyset_layout")
  std::array<int, kFunctionCategoryCount> rows{};  // by category, for the categories with a table
  int scrollDirection = 0;            // 0 left, 1 right
  std::string scrollCount, scrollDelay, scrollSpeed;
  int wheelDirection = 0;             // 0 up, 1 down
  std::string wheelCount, wheelDelay, wheelSpeed;
  std::string fireInterval, fireCount;
  int modifier = -1;                  // option 0–4; -1 none
  std::string keyNameKey;             // the key shown in the key field (its name key); empty: none
  uint8_t keyUsage = 0;               // that key's HID usage
  int macro = -1;                     // macro item; -1 none
  int macroMode = -1;                 // play-mode item 0–4; -1 none
  std::string macroCycle;
  bool cycleShown = false;            // "keyset_macro_cycle_layout"

  int& Row(int category) { return rows[static_cast<size_t>(category)]; }
  int Row(int category) const { return rows[static_cast<size_t>(category)]; }
};

// The edit limits: a delay or speed is 4 bits, a count 7 bits, the rest a byte; the rapid-fire
// interval is at least 10 ms.
inline constexpr int kMinFireInterval = 10;

// The key editor's rules without its controls: the selected key's current and default function,
// how a function is shown and how the controls compose one. Window thread only.
class CKeyAssignmentForm {
 public:
  void Store(const KeyAssignmentPair& pair) { current_ = pair.Current; default_ = pair.Default; }
  const KeyAssignment& Current() const { return current_; }
  const KeyAssignment& Default() const { return default_; }
  // Replaces the current function without showing it (the key index stays).
  void SetCurrent(const KeyAssignment& value);

  // Shows `value` in `controls`, leaving what it does not concern as it was. A keyboard-key
  // function the table does not know shows no key; when that is the current function, its key
  // bytes are dropped from it. A type the editor does not know hides the editor area.
  void Show(const KeyAssignment& value, int macroCount, KeyFormControls& controls);
  void ShowCurrent(int macroCount, KeyFormControls& controls) { Show(current_, macroCount, controls); }
  void ShowDefault(int macroCount, KeyFormControls& controls) { Show(default_, macroCount, controls); }

  // Builds the current function from the controls and returns it with the default. An edit is
  // read as a decimal number (empty or not a number: 0) and limited to what its byte holds; a
  // rapid-fire interval below 10 is raised to 10 and the edit follows. A choice the controls do
  // not make whole (no row, no macro, no play mode) leaves the current function as it was.
  KeyAssignmentPair Compose(KeyFormControls& controls, int macroCount);

  // A key pressed while capturing, by its set-1 scan code and extended flag: a modifier selects
  // its option and clears the key, any other key becomes the key (with option 0 when none is
  // selected). False, and nothing changed, for a key the table does not have or that is no
  // keyboard key. The caller applies afterwards.
  bool Capture(uint8_t scan, bool extended, KeyFormControls& controls);

 private:
  KeyAssignment current_;
  KeyAssignment default_;
};

// A decimal number from an edit's text: empty or not a number reads as 0; limited to 0 … `max`.
int ReadEditNumber(const std::string& text, int max);
