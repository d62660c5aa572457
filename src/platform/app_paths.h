#pragma once
#include <string>

// The per-user local application-data folder: $XDG_DATA_HOME, or ~/.local/share when it is unset
// or not absolute (as the XDG base-directory rules say). No trailing separator.
std::string LocalAppDataFolder();
