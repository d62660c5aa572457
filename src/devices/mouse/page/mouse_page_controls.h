#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the mouse page's code finds its controls in the page layout
// ("XML\DeviceXml\mousedevice.xml"). A prefix is followed by a stage number (0 … 6) or an option
// number.
namespace mouse_page {

inline constexpr const char* kLayoutFile = "XML\\DeviceXml\\mousedevice.xml";

// One row per sensitivity stage.
inline constexpr const char* kStageRow = "DPI_layout_";
inline constexpr const char* kStageEnable = "DPI_enable_check_";
inline constexpr const char* kStageSelect = "DPI_select_check_";
inline constexpr const char* kStageSlider = "DPI_slider_";
inline constexpr const char* kStageEdit = "DPI_edit_";
inline constexpr const char* kStageColour = "DPI_color_option_";

inline constexpr const char* kPollingRate = "polling_rate_option_";
inline constexpr const char* kSilentAltitude = "Silent_Altitude_option_";
inline constexpr const char* kLinearCalibration = "Linear_Calibration_option_";
inline constexpr const char* kRipple = "Ripple_option_";

inline constexpr const char* kDebounce = "Anti_Shake_combo_timeSelect";
inline constexpr const char* kBluetoothSleep1 = "ble_sleep1_combo";
inline constexpr const char* kBluetoothSleep2 = "ble_sleep2_combo";
inline constexpr const char* kDeviceSleep1 = "device_sleep1_combo";
inline constexpr const char* kDeviceSleep2 = "device_sleep2_combo";
inline constexpr const char* kLogoMode = "logo_led_mode_combo";

// Kept in the profile only: the program does not change the desktop's own pointer settings.
inline constexpr const char* kPointerSpeed = "pointer_speed_slider";
inline constexpr const char* kDoubleClick = "double_click_slider";
inline constexpr const char* kScrollSpeed = "scroll_speed_slider";
inline constexpr const char* kPointerPrecision = "pointer_precision_check";
inline constexpr const char* kScrollsPage = "scrolls_page_check";

// The settings sub-pages and the options that choose them.
inline constexpr const char* kSettingsPages = "mouse_device_seting_layout";
inline constexpr const char* kSettingsPage = "mouse_device_seting_option_";
// The hint area under the picture: what the selected button does; hidden whenever the function
// page changes.
inline constexpr const char* kHint = "device_tishi_info";
// The names of the buttons by key index (the picture's zone "key_" + index).
inline constexpr const char* kButtonNameKeys[] = {
    "mouse_button_left",     "mouse_button_right",     "mouse_button_wheel_click", "mouse_button_forward",
    "mouse_button_back",     "mouse_button_dpi_up",    "mouse_button_dpi_down",    "mouse_button_dpi_cycle",
    "mouse_button_fire",     "mouse_button_wheel_up",  "mouse_button_wheel_down",
};

// What the page view looks up (its routes name the rest).
inline constexpr ControlNameUse kLookedUp[] = {
    {kStageRow, true},          {kStageEnable, true},     {kStageSelect, true},     {kStageSlider, true},
    {kStageEdit, true},         {kStageColour, true},     {kPollingRate, true},     {kSilentAltitude, true},
    {kLinearCalibration, true}, {kRipple, true},          {kDebounce, false},       {kBluetoothSleep1, false},
    {kBluetoothSleep2, false},  {kDeviceSleep1, false},   {kDeviceSleep2, false},   {kLogoMode, false},
    {kPointerSpeed, false},     {kDoubleClick, false},    {kScrollSpeed, false},    {kPointerPrecision, false},
    {kScrollsPage, false},      {kSettingsPages, false},  {kSettingsPage, true},    {kHint, false},
};

inline constexpr int kPollingOptions = 5;
inline constexpr int kTwoWayOptions = 2;
inline constexpr int kSettingsPageCount = 3;

}  // namespace mouse_page
