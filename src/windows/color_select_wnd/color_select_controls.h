#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the colour window finds its controls in "PalletDialog.xml".
namespace color_select {

inline constexpr const char* kLayoutFile = "PalletDialog.xml";

inline constexpr const char* kCloseButton = "closebtn";
inline constexpr const char* kCancelButton = "laterbtn";
inline constexpr const char* kOkButton = "okbtn";
inline constexpr const char* kPalette = "Pallet";
// The preview: its background colour is the colour the window returns.
inline constexpr const char* kPreview = "color_show_btn";
inline constexpr const char* kRedEdit = "color_edit_r";
inline constexpr const char* kGreenEdit = "color_edit_g";
inline constexpr const char* kBlueEdit = "color_edit_b";
// Seven-colour cycling in place of one colour, and the area that holds the choice.
inline constexpr const char* kSevenColour = "7color";
inline constexpr const char* kSevenColourLayout = "7color_layout";
inline constexpr const char* kSevenColourImage = "common/base1.png";
// Followed by 0 … 19.
inline constexpr const char* kPreset = "color_option_";
inline constexpr const char* kCollected = "collect_color_option_";

// What the window looks up in its layout besides the rows of its route table.
inline constexpr ControlNameUse kLookedUp[] = {
    {kPreview, false},    {kRedEdit, false},           {kGreenEdit, false}, {kBlueEdit, false},
    {kSevenColour, false}, {kSevenColourLayout, false}, {kPreset, true},     {kCollected, true},
};

}  // namespace color_select
