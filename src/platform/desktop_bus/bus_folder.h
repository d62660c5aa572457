#pragma once
#include <string>

// The private folder that holds this user's bus: one socket and one record file per window, and
// the single-instance lock files. Only the user may enter it, so a file found there is one of
// ours and a connection to one of its sockets reaches one of our programs.

// Where the folder is: $T640_BUS_DIR when set (tests and scripts point the bus elsewhere with it),
// else "t640-bus" in $XDG_RUNTIME_DIR when that is an absolute path to a folder of ours, else
// "/tmp/t640-bus-<uid>". Nothing is created or checked here.
std::string DesktopBusFolderPath();

// Creates the folder with mode 0700 when it is missing (its parent must exist) and checks that
// it is a real folder (not a link), owned by us, with mode 0700. False with a reason a user can
// act on otherwise; a folder that fails the check is left as it is.
bool PrepareDesktopBusFolder(const std::string& path, std::string& error);

// DesktopBusFolderPath, prepared. Empty with the reason in `error` when it cannot be used.
std::string OpenDesktopBusFolder(std::string& error);
