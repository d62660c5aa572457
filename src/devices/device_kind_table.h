#pragma once

#include <cstdint>

#include "transport/supported_devices.h"

// What the program does differently for each device kind of the supported-device table, in one
// place: which page serves it, the trace lines of its arrival and removal, which function tabs
// its profile panel hides and shows, and which window-wide notices its device object follows.

// Function tab n (1 lighting … 9 more) is bit n - 1 of a tab set.
constexpr uint16_t TabBit(int tab) { return static_cast<uint16_t>(1u << (tab - 1)); }
inline constexpr int kLightingTab = 1, kKeyTab = 2, kMacroTab = 3, kSystemTab = 4, kCursorTab = 5, kVoiceTab = 6,
                     kMagicTab = 7, kSurroundTab = 8, kMoreTab = 9;

struct DeviceKindTraits {
  uint16_t kind;
  // Row of the device-kind and page tables whose page and device object serve the kind; -1 for
  // a kind that has a panel rule but no device of its own.
  int pageRow;
  const char* arrivalTrace;
  const char* removalTrace;
  uint16_t hiddenTabs;  // the page's layout has them; the kind does not
  uint16_t shownTabs;   // the layout starts them hidden; the kind has them
  bool toldWindowHidden;  // learns that the main window went to the tray
  bool followsAttention;  // learns whether the user looks at the window, and suspend and resume
  bool keepsEqualisersOnReset;
};

// The row of `kind`, or null for a kind the table does not know.
const DeviceKindTraits* FindDeviceKindTraits(uint16_t kind);
