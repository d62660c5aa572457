#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the main window finds its own controls in its layout ("XML_MAIN",
// "XML\main.xml").
namespace main_window {

inline constexpr const char* kLayoutFile = "XML\\main.xml";

// Title bar. The base window minimises on "minbtn"; the router owns "closebtn".
inline constexpr const char* kCloseButton = "closebtn";
inline constexpr const char* kMinimiseButton = "minbtn";
// Opens the skin panel under itself.
inline constexpr const char* kSkinButton = "skinbtn";
// The tray menu's row that opens the about window.
inline constexpr const char* kAboutMenuItem = "about_menu";
// Opens the settings window; its fore image is the badge of a waiting update.
inline constexpr const char* kSettingsButton = "setbtn";
// The tray menu's row that opens the settings window, centred.
inline constexpr const char* kSettingsMenuItem = "setwnd_menu";

// The device selector: the strip of tiles with its arrows, the switch of device pages and the
// switch of battery displays. "device_select" is the option inside each tile.
inline constexpr const char* kTileStrip = "device_select_layout";
inline constexpr const char* kSelectPreviousButton = "device_select_prev";
inline constexpr const char* kSelectNextButton = "device_select_next";
inline constexpr const char* kTileOption = "device_select";
inline constexpr const char* kDevicePages = "device_switch";
inline constexpr const char* kPowerDisplays = "device_power_switch";

// Shown over the pages when no device is reachable, or when a device's information was refused.
inline constexpr const char* kNoDeviceLayout = "No_device_Link";
// Its advice: plug a device in, or (a device is there that this user may not open) the udev rule.
inline constexpr const char* kNoDeviceText = "No_device_text";
// Shown over the page of a selected device whose receiver is there but which does not answer.
inline constexpr const char* kNotConnectedLayout = "device_not_connected_layout";
inline constexpr const char* kNoDeviceOkButton = "nodevice_ok_btn";
inline constexpr const char* kDeviceErrorLayout = "Error_device_Link";
inline constexpr const char* kDeviceErrorOkButton = "errordevice_ok_btn";
inline constexpr const char* kDeviceErrorReconnectButton = "errordevice_connect_btn";
// Shown over the pages while macros and key assignments are on their way to a device.
inline constexpr const char* kTransferLayout = "Data_Transmission";

// What the window and its base look up in its own layout (its router names the other buttons).
inline constexpr ControlNameUse kLookedUp[] = {
    {kTileStrip, false},         {kDevicePages, false},          {kPowerDisplays, false},
    {kNoDeviceLayout, false},    {kNoDeviceText, false},         {kNotConnectedLayout, false},
    {kDeviceErrorLayout, false}, {kSelectPreviousButton, false}, {kSelectNextButton, false},
    {kMinimiseButton, false},    {kTransferLayout, false},
};

}  // namespace main_window
