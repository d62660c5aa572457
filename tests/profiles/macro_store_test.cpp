#include <gtest/gtest.h>

#include "macro_test_fixture.h"
#include "profiles/storage/atomic_file.h"

namespace {

using Names = std::vector<std::string>;

TEST_F(MacroFolder, AMissingListIsEmptyAndTheFirstAddWritesIt) {
  EXPECT_EQ(store_.Count(), 0u);
  MacroChange added = store_.AddMacro();
  ASSERT_TRUE(added.done);
  EXPECT_EQ(added.name, "macro_1");
  EXPECT_EQ(added.index, 0);
  Json::Value list = LoadJsonFile(folder_ + "macro.config");
  EXPECT_EQ(list["MacroInfo"][0u]["MacroName"].asString(), "macro_1");
  EXPECT_EQ(list["MacroInfo"][0u]["Guid"].asString(), store_.Entries()[0].id);
  EXPECT_FALSE(FileExists(folder_ + store_.Entries()[0].id + ".mac")) << "no macro file before the first save";
}

TEST_F(MacroFolder, NewNamesTakeTheSmallestFreeNumberIgnoringCase) {
  WriteList({"macro_1", "MACRO_2"});
  EXPECT_EQ(store_.AddMacro().name, "macro_3");
  WriteList({"macro_2"});
  EXPECT_EQ(store_.AddMacro().name, "macro_1");
}

TEST_F(MacroFolder, FiftyMacrosRefuseAddAndImportAndChangeNothing) {
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(store_.AddMacro().done) << i;
  const std::string listBefore = ReadFileBytes(folder_ + "macro.config");
  MacroChange add = store_.AddMacro();
  EXPECT_FALSE(add.done);
  EXPECT_TRUE(add.listFull);
  EXPECT_TRUE(add.name.empty());
  WriteFileBytes(importFolder_ + "abc.mac", R"({"Events": []})");
  MacroChange import = store_.ImportMacro(importFolder_ + "abc.mac");
  EXPECT_EQ(import.importRefusal, MacroImportRefusal::kListFull);
  EXPECT_EQ(ReadFileBytes(folder_ + "macro.config"), listBefore);
  EXPECT_EQ(FolderEntries(folder_).size(), 1u);
}

struct RenameCase {
  const char* name;
  MacroNameCheck check;
};

TEST_F(MacroFolder, RenameFollowsTheNameRules) {
  WriteList({"macro_1", "Jump"});
  const RenameCase cases[] = {
      {" lead", MacroNameCheck::kStartsWithSpace}, {"", MacroNameCheck::kEmpty},
      {"\t", MacroNameCheck::kStartsWithSpace},    {"JUMP", MacroNameCheck::kInUse},
      {"Macro_1", MacroNameCheck::kInUse},  // its own name in another case
      {"bad\xFF", MacroNameCheck::kNotText},       {"line\nbreak", MacroNameCheck::kNotText},
      {"连招 1", MacroNameCheck::kAccepted},
  };
  for (const RenameCase& c : cases) {
    const std::string before = ReadFileBytes(folder_ + "macro.config");
    MacroChange change = store_.RenameMacro(0, c.name);
    EXPECT_EQ(change.nameCheck, c.check) << c.name;
    EXPECT_EQ(change.done, c.check == MacroNameCheck::kAccepted) << c.name;
    if (!change.done) {
      EXPECT_EQ(ReadFileBytes(folder_ + "macro.config"), before) << c.name;
    }
  }
  EXPECT_EQ(store_.Names(), (Names{"连招 1", "Jump"}));
  EXPECT_EQ(LoadJsonFile(folder_ + "macro.config")["MacroInfo"][0u]["MacroName"].asString(), "连招 1");
}

TEST_F(MacroFolder, DeletingMovesLaterMacrosDownAndRemovesTheFile) {
  WriteList({"a", "b", "c"});
  WriteMacroFile("id1", KeyEvents(2));
  ASSERT_TRUE(store_.DeleteMacro(1).done);
  EXPECT_EQ(store_.Names(), (Names{"a", "c"}));
  EXPECT_EQ(LoadJsonFile(folder_ + "macro.config")["MacroInfo"][1u]["Guid"].asString(), "id2");
  EXPECT_FALSE(FileExists(folder_ + "id1.mac"));
  EXPECT_FALSE(store_.DeleteMacro(5).done);
}

TEST_F(MacroFolder, SavingWritesDelaysAsTextAndKeepsAtMostSixtyEvents) {
  WriteList({"a"});
  std::vector<MacroEvent> events(61, MacroEvent{kMacroEventKey, 4, true, 150});
  MacroChange saved = store_.SaveMacroEvents(0, events);
  ASSERT_TRUE(saved.done);
  EXPECT_TRUE(saved.trimmed);
  Json::Value file = LoadJsonFile(folder_ + "id0.mac");
  EXPECT_EQ(file["Events"].size(), 60u);
  EXPECT_EQ(file["Events"][0u]["Delay"], Json::Value("150"));
  EXPECT_EQ(file["Version"].asInt(), 64);
  EXPECT_EQ(file["MacroName"].asString(), "a");
  EXPECT_EQ(store_.ReadMacroEvents(0), std::vector<MacroEvent>(60, events[0]));
}

TEST_F(MacroFolder, AMacroNeverSavedReadsAsNoEvents) {
  WriteList({"a"});
  EXPECT_TRUE(store_.ReadMacroEvents(0).empty());
  EXPECT_TRUE(store_.ReadMacroEvents(3).empty());
}

TEST_F(MacroFolder, IdsThatNameAnotherFolderAreNeverUsedAsPaths) {
  WriteFileBytes(folder_ + "macro.config", R"({"MacroInfo": [{"MacroName": "x", "Guid": "../../victim"}]})");
  WriteFileBytes(temp_.Path() + "/victim.mac", "keep me");
  store_.Load();
  EXPECT_EQ(store_.MacroFilePath(0), "");
  EXPECT_FALSE(store_.SaveMacroEvents(0, {}).done);
  EXPECT_TRUE(store_.DeleteMacro(0).done);
  EXPECT_EQ(ReadFileBytes(temp_.Path() + "/victim.mac"), "keep me");
}

TEST_F(MacroFolder, ADamagedListIsKeptAsideByTheFirstChange) {
  WriteFileBytes(folder_ + "macro.config", "{\"MacroInfo\": [{\"MacroName\": \"fav");
  EXPECT_EQ(store_.Count(), 0u);
  ASSERT_TRUE(store_.AddMacro().done);
  EXPECT_EQ(ReadFileBytes(folder_ + "macro.config.damaged"), "{\"MacroInfo\": [{\"MacroName\": \"fav");
  ASSERT_EQ(store_.TakeDamagedFileNotices().size(), 1u);
}

TEST_F(MacroFolder, AFailedListWriteChangesNothing) {
  WriteList({"a"});
  const std::string before = ReadFileBytes(folder_ + "macro.config");
  ScopedAtomicWriteFailure failure(AtomicWriteStep::kMidWrite);
  MacroChange change = store_.AddMacro();
  EXPECT_FALSE(change.done);
  EXPECT_TRUE(change.writeFailed);
  EXPECT_EQ(store_.Names(), Names{"a"});
  EXPECT_FALSE(store_.RenameMacro(0, "b").done);
  EXPECT_EQ(ReadFileBytes(folder_ + "macro.config"), before);
}

TEST_F(MacroFolder, ExportCopiesTheMacroFileByteForByte) {
  WriteList({"a", "b"});
  WriteMacroFile("id0", KeyEvents(1));
  ASSERT_TRUE(store_.ExportMacro(0, importFolder_ + "out.mac"));
  EXPECT_EQ(ReadFileBytes(importFolder_ + "out.mac"), ReadFileBytes(folder_ + "id0.mac"));
  ASSERT_TRUE(store_.ExportMacro(1, importFolder_ + "empty.mac")) << "a macro never saved exports as empty";
  EXPECT_EQ(LoadJsonFile(importFolder_ + "empty.mac")["Events"].size(), 0u);
  EXPECT_FALSE(store_.ExportMacro(2, importFolder_ + "none.mac"));
}

TEST_F(MacroFolder, TheReadOnlyListOfTheHeadsetAndPadIsReadFromItsOwnFile) {
  WriteFileBytes(folder_ + "orvik_macro.config", R"({"MacroInfo": [{"MacroName": "pad", "Guid": "g"}]})");
  CMacroStore readOnly(folder_, "orvik_macro.config");
  EXPECT_EQ(readOnly.Names(), Names{"pad"});
}

}  // namespace
