#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the about window finds its controls in "AboutWnd.xml".
namespace about_window {

inline constexpr const char* kLayoutFile = "AboutWnd.xml";

inline constexpr const char* kCloseButton = "closebtn";
inline constexpr const char* kMaximiseButton = "maxbtn";
inline constexpr const char* kRestoreButton = "restorebtn";
inline constexpr const char* kMinimiseButton = "minbtn";
inline constexpr const char* kMenuButton = "menubtn";
// Closes the window, as the close button does.
inline constexpr const char* kOkButton = "about_ok_btn";
// Shows the version text; "text_test" is a hidden label that turns the key into the current
// language's text.
inline constexpr const char* kVersionLabel = "software_ver_label";
inline constexpr const char* kTranslator = "text_test";
// The version text's language key; "{version}" in it stands for the program's version.
inline constexpr const char* kVersionTextKey = "software_rev_text";
inline constexpr const char* kVersionPlaceholder = "{version}";

inline constexpr ControlNameUse kLookedUp[] = {
    {kCloseButton, false},
    {kOkButton, false},
    {kVersionLabel, false},
    {kTranslator, false},
};

}  // namespace about_window
