#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the settings window finds its controls in "setwnd.xml" and in each row of
// its update list.
namespace set_wnd {

inline constexpr const char* kLayoutFile = "setwnd.xml";
inline constexpr const char* kRowLayoutFile = "XML\\CustomControlXML\\device_Update_list_item.xml";

inline constexpr const char* kCloseButton = "closebtn";
inline constexpr const char* kLaterButton = "laterbtn";
inline constexpr const char* kLanguageCombo = "Language_combox_info";
inline constexpr const char* kUpdateList = "device_update_list_info";
// Page 0 the list, page 1 the question before the chosen updates start.
inline constexpr const char* kUpdatePages = "get_update_tab_layout";
inline constexpr const char* kUpdateButton = "update_fw_and_ap";
inline constexpr const char* kStartUpdateButton = "update_OK_btn";
inline constexpr const char* kBackButton = "update_back_btn";
// In every row.
inline constexpr const char* kRowCheck = "check_name_select";

// The status line.
inline constexpr const char* kStatusRing = "update_status_ring";
inline constexpr const char* kStatusImage = "update_status_image";
inline constexpr const char* kStatusText = "Update_Status_text";

inline constexpr ControlNameUse kLookedUp[] = {
    {kLanguageCombo, false}, {kUpdateList, false},  {kUpdatePages, false}, {kUpdateButton, false},
    {kStatusRing, false},    {kStatusImage, false}, {kStatusText, false},
};

}  // namespace set_wnd
