#pragma once
#include <string>
#include <string_view>

#include "platform/desktop_bus/desktop_message.h"
#include "platform/desktop_bus/window_directory.h"

// How t640-msg prints what it sees, one line each, easy to take apart in a script:
//   post name="Kestrune T640" wparam=0 lparam=1 from=1234-1-0a1b2c3d data="..."
//   2345-1-9f8e7d6c class="MainWnd" title="T640"
// Texts are in double quotes with \\, \", \n, \r, \t and \xNN (other control characters, and
// every byte of a text that is not UTF-8) escaped. from=- when the sender has no window; data
// only when the message carries bytes.

std::string QuoteText(std::string_view text);
std::string FormatMessageLine(const DesktopMessage& message);
std::string FormatWindowLine(const BusWindow& window);
