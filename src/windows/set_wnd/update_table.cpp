#include "windows/set_wnd/update_table.h"

#include <strings.h>

#include <cstdio>

std::vector<UpdateEntry> FixedUpdateEntries() {
  return {
      {1, 0, "ORVIK", "RH62M41C", "MS", "MS", "", 0, false},
      {1, 0, "ORVIK", "RH62M42C", "KB", "KB", "", 0, false},
      {2, 0, "ORVIK", "RH62M38C_1", "J31", "J31", "", 0, false},
      {0, 0, "ORVIK", "ALL", "J31_BQ2_BQ7", "AP", "", 0, false},
  };
}

std::string FirmwareVersionText(int version) {
  char text[16];
  std::snprintf(text, sizeof text, "V%04x", static_cast<unsigned>(version) & 0xFFFFu);
  return text;
}

UpdateRowInfo MakeUpdateRowInfo(const UpdateEntry& entry) {
  UpdateRowInfo row;
  row.Name = strcasecmp(entry.Code.c_str(), "ALL") == 0 ? "AP" : entry.DisplayName;
  row.OldVersion = entry.FirmwareRow != 0 ? FirmwareVersionText(entry.Version) : entry.VersionText;
  row.State = kUpdateDone;
  if (entry.FirmwareRow != 0 && entry.OfferedVersion > entry.Version) {
    row.State = kUpdateAvailable;
    row.NewVersion = FirmwareVersionText(entry.OfferedVersion);
    row.OfferedVersion = entry.OfferedVersion;
  }
  row.UpdaterInstalled = entry.UpdaterInstalled;
  return row;
}
