#pragma once
#include <array>
#include <string>
#include <vector>

// The update table: one entry per updatable item, rebuilt each time the settings window opens.
struct UpdateEntry {
  int FirmwareRow = 0;  // 1 or 2: a device whose version is a firmware number; 0: the program
  int Version = 0;      // the current version; 0: not present (the entry is not listed)
  std::string Maker;
  std::string Code;     // "ALL" marks the program
  std::string Type;
  std::string DisplayName;
  std::string VersionText;  // the program's version as shown
  // An update the program can install: the firmware version it brings (0: none), and whether the
  // updater that installs it is there.
  int OfferedVersion = 0;
  bool UpdaterInstalled = false;
};

// The fixed entries in list order: the device rows in the order of the device-kind table (mouse,
// keyboard, mouse pad), then the program, every Version 0.
inline constexpr size_t kUpdateTableRows = 4;
inline constexpr size_t kProgramUpdateRow = 3;
std::vector<UpdateEntry> FixedUpdateEntries();

// Update states of a row: 0 nothing to update, 1 and 2 available, 3 waiting for download,
// 4 downloading, 5 downloaded, 6 installing, 7 up to date or updated, 8 failed.
enum UpdateState : int {
  kUpdateNone = 0,
  kUpdateAvailable = 1,
  kUpdateAvailableToo = 2,
  kUpdateWaitingForDownload = 3,
  kUpdateDownloading = 4,
  kUpdateDownloaded = 5,
  kUpdateInstalling = 6,
  kUpdateDone = 7,
  kUpdateFailed = 8,
};

// The settings window's record of one listed row.
struct UpdateRowInfo {
  int State = kUpdateDone;
  std::string Name;
  std::string OldVersion;
  std::string NewVersion;
  bool UpdaterInstalled = false;
  int OfferedVersion = 0;
};

// "V%04x" of a firmware version (V012c for 0x012C).
std::string FirmwareVersionText(int version);

// The row an entry is listed as. A device whose firmware is older than the firmware on offer is
// listed as needing the update; everything else as up to date.
UpdateRowInfo MakeUpdateRowInfo(const UpdateEntry& entry);
