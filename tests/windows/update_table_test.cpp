// How an entry of the update table is listed in the settings window.
#include "windows/set_wnd/update_table.h"

#include <gtest/gtest.h>

namespace {

UpdateEntry Entry(size_t row, int version, int offered = 0) {
  UpdateEntry entry = FixedUpdateEntries().at(row);
  entry.Version = version;
  entry.OfferedVersion = offered;
  return entry;
}

}  // namespace

TEST(UpdateTable, FixedRowsAreTheDevicesInKindOrderThenTheProgram) {
  const std::vector<UpdateEntry> rows = FixedUpdateEntries();
  ASSERT_EQ(rows.size(), kUpdateTableRows);
  EXPECT_EQ(rows[0].Type, "MS");
  EXPECT_EQ(rows[1].Type, "KB");
  EXPECT_EQ(rows[2].FirmwareRow, 2);
  EXPECT_EQ(rows[kProgramUpdateRow].Code, "ALL");
  for (const UpdateEntry& row : rows) EXPECT_EQ(row.Version, 0) << row.Code;
}

TEST(UpdateTable, AnEntryIsListedWithItsNameVersionAndState) {
  struct Case {
    UpdateEntry entry;
    const char* name;
    const char* oldVersion;
    const char* newVersion;
    int state;
  };
  UpdateEntry program = Entry(kProgramUpdateRow, 10);
  program.VersionText = "V0.1.0";
  UpdateEntry lowerCaseAll = program;
  lowerCaseAll.Code = "all";
  lowerCaseAll.DisplayName = "Program";
  const Case cases[] = {
      {Entry(0, 0x012C), "MS", "V012c", "", kUpdateDone},
      {Entry(0, 0x0103, 0x0103), "MS", "V0103", "", kUpdateDone},
      {Entry(0, 0x0102, 0x0103), "MS", "V0102", "V0103", kUpdateAvailable},
      {Entry(0, 0x0200, 0x0103), "MS", "V0200", "", kUpdateDone},
      {Entry(2, 0x0101), "J31", "V0101", "", kUpdateDone},
      {program, "AP", "V0.1.0", "", kUpdateDone},
      {lowerCaseAll, "AP", "V0.1.0", "", kUpdateDone},
  };
  for (const Case& test : cases) {
    const UpdateRowInfo row = MakeUpdateRowInfo(test.entry);
    EXPECT_EQ(row.Name, test.name) << test.oldVersion;
    EXPECT_EQ(row.OldVersion, test.oldVersion);
    EXPECT_EQ(row.NewVersion, test.newVersion) << test.oldVersion;
    EXPECT_EQ(row.State, test.state) << test.oldVersion;
  }
}
