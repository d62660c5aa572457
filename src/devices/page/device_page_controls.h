#pragma once

#include "ui/toolkit/control_routes.h"

// The controls every device page has, by the names its code finds them under.
namespace device_page {

// The editors' pages and, on its page 0, the key editor's three views.
inline constexpr const char* kFunctionSwitch = "device_function_switch";
inline constexpr const char* kKeyFunctionSwitch = "device_key_function_switch";

// Where the page's editors sit.
inline constexpr const char* kProfilePanel = "DeviceProfileItem";
inline constexpr const char* kLightEditor = "LightControlItem";
inline constexpr const char* kMacroEditor = "MacroControlItem";
inline constexpr const char* kKeyEditor = "KeySetControlItem";
inline constexpr const char* kRecoilEditor = "ShootControlItem";
inline constexpr const char* kMorePage = "MoreSettingsItem";

inline constexpr ControlNameUse kLookedUp[] = {
    {kFunctionSwitch, false}, {kKeyFunctionSwitch, false}, {kProfilePanel, false}, {kLightEditor, false},
    {kMacroEditor, false},    {kKeyEditor, false},         {kRecoilEditor, false},
    {kMorePage, false},
};

}  // namespace device_page
