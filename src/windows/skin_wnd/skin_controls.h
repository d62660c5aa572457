#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the skin panel finds its controls in "skin.xml".
namespace skin_panel {

inline constexpr const char* kLayoutFile = "skin.xml";

// One button per offered image (its user data names the image) and per offered colour (its
// background colour is the colour); several controls share each name.
inline constexpr const char* kImageButton = "skin_image_btn";
inline constexpr const char* kColourButton = "skin_color_btn";
// The two pages of "skin_tab" and the buttons that show them.
inline constexpr const char* kTab = "skin_tab";
inline constexpr const char* kShowColours = "skin_color";
inline constexpr const char* kShowImages = "skin_image";
inline constexpr int kImagesPage = 0;
inline constexpr int kColoursPage = 1;
inline constexpr const char* kResetButton = "skin_reset";
inline constexpr const char* kOwnPictureButton = "skin_Custom";

// The background of the main layout that a reset brings back.
inline constexpr const char* kStockBackground = "common/background.png";

// What the panel looks up in its layout.
inline constexpr ControlNameUse kLookedUp[] = {
    {kImageButton, false}, {kColourButton, false}, {kTab, false},          {kShowColours, false},
    {kShowImages, false},  {kResetButton, false},  {kOwnPictureButton, false},
};

// The notices of a refused picture of the user's own.
inline constexpr const char* kPictureUnreadableNotice = "skin_picture_unreadable";
inline constexpr const char* kPictureNotPngNotice = "skin_picture_not_png";
inline constexpr const char* kPictureDamagedNotice = "skin_picture_damaged";
inline constexpr const char* kPictureTooLargeNotice = "skin_picture_too_large";
inline constexpr const char* kPictureNameNotice = "skin_picture_name";
// The file chooser's filter, a language key.
inline constexpr const char* kPictureFilter = "skin_picture_filter";

}  // namespace skin_panel
