#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the profile panel finds its controls in its layout
// ("XML\CustomControlXML\DeviceProfile.xml").
namespace profile_panel {

inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\DeviceProfile.xml";

inline constexpr const char* kCombo = "device_profile_combo";
inline constexpr const char* kNameEdit = "device_profile_name_edit";
inline constexpr const char* kMenuButton = "profile_fun_spread_btn";
// The tools, shown in the tab row's place.
inline constexpr const char* kMenu = "profile_menu_layout";
inline constexpr const char* kRenameButton = "device_profile_edit_save_btn";
inline constexpr const char* kAddButton = "device_add_btn";
inline constexpr const char* kCopyButton = "device_copy_btn";
inline constexpr const char* kDeleteButton = "device_sub_btn";
inline constexpr const char* kImportButton = "device_import_btn";
inline constexpr const char* kExportButton = "device_export_btn";
inline constexpr const char* kResetButton = "device_reset_btn";
// The page's function tabs, in the order of their numbers (1 lighting … 9 more).
inline constexpr const char* kTabRow = "profile_tab_layout";
inline constexpr const char* kTabs[] = {"deng_Op_tab",  "key_Op_tab",        "macro_Op_tab",
                                        "system_Op_tab", "cursor_Op_tab",    "6533_voice_Op_tab",
                                        "magic_Op_tab",  "Virtual7.1_Op_tab", "otherset_Op_tab"};

// What the panel looks up (its routes name the buttons and the tabs).
inline constexpr ControlNameUse kLookedUp[] = {
    {kCombo, false}, {kNameEdit, false}, {kDeleteButton, false}, {kMenu, false}, {kTabRow, false},
};

}  // namespace profile_panel
