#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the recoil editor finds its controls in its layout
// ("XML\CustomControlXML\ShootControl.xml").
namespace recoil_editor {

inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\ShootControl.xml";

inline constexpr const char* kGunOption = "shoot_gun_op_";  // + gun
inline constexpr const char* kPatternPages = "shoot_image_display_switch";
inline constexpr const char* kPattern = "shoot_pattern_";  // + gun, on page gun of kPatternPages
inline constexpr const char* kBulletOption = "bullet_op_";  // + bullet
inline constexpr const char* kBulletNumber = "bullet_select_index";
inline constexpr const char* kPreviousButton = "bullet_selected_prev";
inline constexpr const char* kNextButton = "bullet_selected_next";
inline constexpr const char* kBulletFields = "bullet_edit_layout";
inline constexpr const char* kXEdit = "bullet_x_eidt";
inline constexpr const char* kYEdit = "bullet_y_eidt";
inline constexpr const char* kDelayEdit = "bullet_delay_eidt";
inline constexpr const char* kXCheck = "bullet_x_check";
inline constexpr const char* kYCheck = "bullet_y_check";
inline constexpr const char* kSaveButton = "shootdate_save_btn";
inline constexpr const char* kResetButton = "shootdate_reset_btn";
inline constexpr const char* kImportButton = "shootdate_import_btn";
inline constexpr const char* kExportButton = "shootdate_export_btn";
inline constexpr const char* kStateLabel = "shoot_state_label";

// The direction checks' texts.
inline constexpr const char* kLeftText = "mouse_move_to_left_text";
inline constexpr const char* kRightText = "mouse_move_to_right_text";
inline constexpr const char* kUpText = "mouse_move_to_up_text";
inline constexpr const char* kDownText = "mouse_move_to_down_text";

inline constexpr const char* kFilter = "Shoot Files(*.shoot)";
inline constexpr const char* kExtension = "shoot";

// What the editor looks up once (the indexed names with their prefix).
inline constexpr ControlNameUse kLookedUp[] = {
    {kGunOption, true},   {kPatternPages, false}, {kPattern, true},     {kBulletOption, true},
    {kBulletNumber, false}, {kPreviousButton, false}, {kNextButton, false}, {kBulletFields, false},
    {kXEdit, false},      {kYEdit, false},        {kDelayEdit, false},  {kXCheck, false},
    {kYCheck, false},     {kSaveButton, false},   {kResetButton, false}, {kImportButton, false},
    {kExportButton, false}, {kStateLabel, false},
};

}  // namespace recoil_editor
