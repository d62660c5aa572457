#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the key editor finds its controls in its layout
// ("XML\CustomControlXML\KeySetControl.xml").
namespace key_editor {

inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\KeySetControl.xml";

// The editor area (hidden for a function of unknown kind), and what shows around it.
inline constexpr const char* kEditorArea = "keyset_layout";
inline constexpr const char* kNoKeyLayout = "keyset_no_key_layout";
inline constexpr const char* kChosenLayout = "keyset_chosen_layout";
inline constexpr const char* kKeyTitle = "keyset_key_title";
inline constexpr const char* kUnknownLabel = "keyset_unknown_label";

inline constexpr const char* kFunctionCombo = "keyset_function_combo";
inline constexpr const char* kFunctionPages = "function_switch_tablayout";
inline constexpr const char* kMouseButtonCombo = "keyset_mousekey_combo";
inline constexpr const char* kScrollCombo = "keyset_mouseswing_combo";
inline constexpr const char* kScrollCountEdit = "keyset_mouseswing_num_edit";
inline constexpr const char* kScrollDelayEdit = "keyset_mouseswing_delay_edit";
inline constexpr const char* kScrollSpeedEdit = "keyset_mouseswing_speed_edit";
inline constexpr const char* kWheelCombo = "keyset_mousewheel_combo";
inline constexpr const char* kWheelCountEdit = "keyset_mousewheel_num_edit";
inline constexpr const char* kWheelDelayEdit = "keyset_mousewheel_delay_edit";
inline constexpr const char* kWheelSpeedEdit = "keyset_mousewheel_speed_edit";
inline constexpr const char* kSensitivityCombo = "keyset_mousedpi_combo";
inline constexpr const char* kFireIntervalEdit = "keyset_mousefire_interval_edit";
inline constexpr const char* kFireCountEdit = "keyset_mousefire_num_edit";
inline constexpr const char* kKeyEdit = "keyset_keyboard_text_edit";
inline constexpr const char* kCaptureButton = "keyset_keyboard_capture_btn";
inline constexpr const char* kModifierOption = "key_ComBox_check_";  // + 0 … 4
inline constexpr const char* kMediaCombo = "keyset_media_combo";
inline constexpr const char* kSystemCombo = "keyset_system_combo";
inline constexpr const char* kMacroCombo = "keyset_macro_combo";
inline constexpr const char* kMacroModeCombo = "keyset_macro_over_combo";
inline constexpr const char* kMacroCycleLayout = "keyset_macro_cycle_layout";
inline constexpr const char* kMacroCycleEdit = "keyset_macro_cycle_edit";
inline constexpr const char* kGunKeyCombo = "keyset_gunkey_combo";
inline constexpr const char* kShortcutCombo = "keyset_combokey_combo";
inline constexpr const char* kKeyTextProbe = "text_test";

inline constexpr const char* kDefaultButton = "key_butt_keydefalut";
inline constexpr const char* kCancelButton = "key_butt_keycancel";
inline constexpr const char* kApplyButton = "key_butt_keysave";
inline constexpr const char* kSendButton = "key_butt_prosave";

// The zones of the device picture ("key_" + key index).
inline constexpr const char* kKeyZone = "key_";

// What the editor looks up (its routes name the rest).
inline constexpr ControlNameUse kLookedUp[] = {
    {kEditorArea, false},      {kNoKeyLayout, false},     {kChosenLayout, false},    {kKeyTitle, false},
    {kUnknownLabel, false},    {kFunctionCombo, false},   {kFunctionPages, false},   {kMouseButtonCombo, false},
    {kScrollCombo, false},     {kScrollCountEdit, false}, {kScrollDelayEdit, false}, {kScrollSpeedEdit, false},
    {kWheelCombo, false},      {kWheelCountEdit, false},  {kWheelDelayEdit, false},  {kWheelSpeedEdit, false},
    {kSensitivityCombo, false}, {kFireIntervalEdit, false}, {kFireCountEdit, false}, {kKeyEdit, false},
    {kCaptureButton, false},   {kModifierOption, true},   {kMediaCombo, false},      {kSystemCombo, false},
    {kMacroCombo, false},      {kMacroModeCombo, false},  {kMacroCycleLayout, false}, {kMacroCycleEdit, false},
    {kGunKeyCombo, false},     {kShortcutCombo, false},   {kKeyTextProbe, false},    {kDefaultButton, false},
    {kCancelButton, false},    {kApplyButton, false},     {kSendButton, false},
};

}  // namespace key_editor
