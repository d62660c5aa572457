#pragma once
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"

// `t640ctl apply FILE` and `t640ctl export FILE`: an exported profile document written to the
// attached mouse as the program's profile switch writes it, and what the mouse holds written as
// such a document.

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Where the tool finds what the program keeps: the mouse kind's data folder (its macro store, the
// places of its buttons and the record of the macros last sent; ends with '/') and the mouse's
// factory profile (the defaults of what the mouse itself does not store).
struct MouseToolFolders {
  std::string dataFolder;
  std::string defaultDataPath;
};

// The exit status and the lines for standard error (errors, then or only warnings).
struct CommandOutcome {
  int exitCode = kExitOk;
  std::vector<std::string> messages;
};

// Checks FILE first (a damaged or foreign file, or a bad macro it carries, is exit 2 with nothing
// sent), then writes the settings page, the macros the keys use (the file's own "Macros" when it
// carries them, else the kind's macro store) and the key assignments.
CommandOutcome ApplyProfileCommand(IHidBackend& backend, const std::string& file, const MouseToolFolders& folders);

// Reads the mouse and writes FILE atomically, with the macros the keys play (from the record of
// the macros last sent from this computer) in its "Macros" list.
CommandOutcome ExportProfileCommand(IHidBackend& backend, const std::string& file, const MouseToolFolders& folders);
