#pragma once
#include <optional>
#include <string>

// Whether the X server of `display` ("" for $DISPLAY) has a system tray: some client owns the
// tray selection of its default screen. Nothing when no X server can be reached there.
std::optional<bool> X11SystemTrayPresent(const std::string& display);
