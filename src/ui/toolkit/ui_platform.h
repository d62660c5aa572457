#pragma once
#include <string>

// The windowing system the toolkit runs on, as Qt names it: "xcb" on X11, "wayland", "offscreen"…
// Empty before the application exists.
std::string UiPlatformName();
