#pragma once
#include <array>
#include <cstdint>
#include <span>

// The catalogue of button and key functions: the type codes, the categories the key editor groups
// them in, and the tables behind the editor's drop-downs. A drop-down's item index is the row
// index of its table; each row carries the language key of the function's name.
struct FunctionChoice {
  uint8_t type;
  uint8_t p1;
  uint8_t p2;
  const char* labelKey;
};

inline constexpr uint8_t kMouseButtonType = 0x10;
inline constexpr uint8_t kHorizontalScrollType = 0x11;
inline constexpr uint8_t kWheelType = 0x12;
inline constexpr uint8_t kSensitivityType = 0x13;
inline constexpr uint8_t kRapidFireType = 0x14;
inline constexpr uint8_t kMediaType = 0x30;
inline constexpr uint8_t kSystemType = 0x40;
inline constexpr uint8_t kGunKeyType = 0x72;
// An older code for a shortcut; shown as one, written as kKeyboardKeyType (keys/key_table.h).
// The keyboard key (0x20) and the two macro types (0x70, 0x71) are named where their values are
// kept: keys/key_table.h and records/key_assignment.h.
inline constexpr uint8_t kLegacyShortcutType = 0xB0;

// The editor's function categories (the function drop-down's item user data and the page of the
// editor's tab layout).
enum FunctionCategory : int {
  kCategoryDefault = 0,
  kCategoryMouseButton = 1,
  kCategoryHorizontalScroll = 2,
  kCategoryWheel = 3,
  kCategorySensitivity = 4,
  kCategoryRapidFire = 5,
  kCategoryKeyboardKey = 6,
  kCategoryMedia = 7,
  kCategorySystem = 8,
  kCategoryMacro = 9,
  kCategoryGunKey = 10,
  kCategoryShortcut = 11,
};
inline constexpr int kFunctionCategoryCount = 12;

// The modifier bits of the HID keyboard modifier byte the editor's modifier options stand for
// (option n > 0 is bit 1 << (n - 1)); the shortcuts use the right-hand Ctrl.
inline constexpr int kModifierOptionCount = 5;
inline constexpr uint8_t kShortcutModifier = 0x10;

inline constexpr std::array<FunctionChoice, 5> kMouseButtonChoices = {{
    {0x10, 0x01, 0x00, "mouse_key_left"},
    {0x10, 0x04, 0x00, "mouse_key_middle"},
    {0x10, 0x02, 0x00, "mouse_key_right"},
    {0x10, 0x10, 0x00, "mouse_key_forward"},
    {0x10, 0x08, 0x00, "mouse_key_back"},
}};

inline constexpr std::array<FunctionChoice, 3> kSensitivityChoices = {{
    {0x13, 0x01, 0x00, "mouse_key_DPI_add"},
    {0x13, 0x02, 0x00, "mouse_key_DPI_sub"},
    {0x13, 0x03, 0x00, "mouse_key_DPI_loop"},
}};

// p1 | p2 << 8 is a usage of the HID consumer page.
inline constexpr std::array<FunctionChoice, 18> kMediaChoices = {{
    {0x30, 0x83, 0x01, "media_text"},   {0x30, 0xCD, 0x00, "media_play"},    {0x30, 0xB7, 0x00, "media_stop"},
    {0x30, 0xB6, 0x00, "media_prev"},   {0x30, 0xB5, 0x00, "media_next"},    {0x30, 0xEA, 0x00, "media_vol_sub"},
    {0x30, 0xE9, 0x00, "media_vol_add"}, {0x30, 0xE2, 0x00, "media_mute"},   {0x30, 0x23, 0x02, "web_text"},
    {0x30, 0x27, 0x02, "web_refresh"},  {0x30, 0x26, 0x02, "wed_stop"},      {0x30, 0x24, 0x02, "wed_back"},
    {0x30, 0x25, 0x02, "wed_forward"},  {0x30, 0x2A, 0x02, "wed_favorite"},  {0x30, 0x21, 0x02, "web_search"},
    {0x30, 0x94, 0x01, "media_mypc"},   {0x30, 0x92, 0x01, "media_calc"},    {0x30, 0x8A, 0x01, "media_mail"},
}};

inline constexpr std::array<FunctionChoice, 3> kSystemChoices = {{
    {0x40, 0x01, 0x00, "system_power"},
    {0x40, 0x02, 0x00, "system_sleep"},
    {0x40, 0x04, 0x00, "system_wake_up"},
}};

// Right Ctrl with the keys O, N, Z, S, C, X, V, F, A, minus and equals.
inline constexpr std::array<FunctionChoice, 11> kShortcutChoices = {{
    {0x20, 0x10, 0x12, "custem_open"},
    {0x20, 0x10, 0x11, "custem_new"},
    {0x20, 0x10, 0x1D, "custem_undo"},
    {0x20, 0x10, 0x16, "custem_save"},
    {0x20, 0x10, 0x06, "custem_copy"},
    {0x20, 0x10, 0x1B, "custem_cut"},
    {0x20, 0x10, 0x19, "custem_paste"},
    {0x20, 0x10, 0x09, "custem_find"},
    {0x20, 0x10, 0x04, "custem_select_all"},
    {0x20, 0x10, 0x2D, "custem_narrow"},
    {0x20, 0x10, 0x2E, "custem_magnify"},
}};

// p1 is the recoil slot whose pattern the button plays.
inline constexpr std::array<FunctionChoice, 4> kGunKeyChoices = {{
    {0x72, 0x00, 0x00, "gun_1_txt"},
    {0x72, 0x01, 0x00, "gun_2_txt"},
    {0x72, 0x02, 0x00, "gun_3_txt"},
    {0x72, 0x03, 0x00, "gun_4_txt"},
}};

// The table behind a category's drop-down; empty for a category without one.
std::span<const FunctionChoice> ChoicesOf(int category);
// The row of `choices` with that p1 and p2; -1 when none.
int FindChoiceRow(std::span<const FunctionChoice> choices, uint8_t p1, uint8_t p2);
