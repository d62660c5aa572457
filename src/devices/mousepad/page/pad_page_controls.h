#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the mouse pad page's code finds its controls in the page layout
// ("XML\DeviceXml\mousepaddevice.xml").
namespace pad_page {

inline constexpr const char* kLayoutFile = "XML\\DeviceXml\\mousepaddevice.xml";

// The picture of the pad: its light zones "light_0" … "light_14" run round its edge.
inline constexpr const char* kPicture = "mousepad_device_key_light";
inline constexpr const char* kLightZone = "light_";
// The line under the picture: the lighting mode the pad runs, or why changes do not reach it.
inline constexpr const char* kModeLine = "mousepad_mode_info";
inline constexpr const char* kOtherPageNote = "mousepad_other_page_note";

// What the page view looks up.
inline constexpr ControlNameUse kLookedUp[] = {
    {kPicture, false},
    {kModeLine, false},
};

}  // namespace pad_page
