#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the mouse's "More" page finds its controls in its layout
// ("XML\CustomControlXML\MoreSettings.xml").
namespace more_page {

inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\MoreSettings.xml";

inline constexpr const char* kFactoryButton = "default_btn";
// The system's settings: + 0 the keyboard's, + 1 the mouse's.
inline constexpr const char* kSystemSettingsButton = "windowdeviceset_";
inline constexpr int kMouseSettings = 1;
inline constexpr const char* kSystemSettingsNote = "more_system_note";

inline constexpr ControlNameUse kLookedUp[] = {
    {kFactoryButton, false}, {kSystemSettingsButton, true}, {kSystemSettingsNote, false}};

}  // namespace more_page
