#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "macro_test_fixture.h"

namespace {

constexpr const char* kGoodMacro =
    R"({"MacroName": "exported", "Guid": "2020_01_01_00_00_00_000", "Version": 64, "Events": [
         {"Type": 10, "Button": 4, "Action": "down", "Delay": "100"},
         {"Type": 10, "Button": "4", "Action": "up", "Delay": 70000},
         {"Type": 1, "Button": 1, "Action": "down"}]})";

TEST_F(MacroFolder, ImportingTheSameFileThreeTimesGivesDistinctNames) {
  WriteFileBytes(importFolder_ + "abc.mac", kGoodMacro);
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    MacroChange change = store_.ImportMacro(importFolder_ + "abc.mac");
    ASSERT_TRUE(change.done) << change.detail;
    names.push_back(change.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"abc", "abc_1", "abc_1_2"}));
  EXPECT_EQ(store_.Names(), names);
}

TEST_F(MacroFolder, AnImportedMacroIsStoredNormalisedUnderItsNewId) {
  WriteFileBytes(importFolder_ + "combo.mac", kGoodMacro);
  MacroChange change = store_.ImportMacro(importFolder_ + "combo.mac");
  ASSERT_TRUE(change.done) << change.detail;
  const MacroListEntry& entry = store_.Entries()[0];
  Json::Value stored = LoadJsonFile(folder_ + entry.id + ".mac");
  EXPECT_EQ(stored["Guid"].asString(), entry.id);
  EXPECT_EQ(stored["MacroName"].asString(), "combo");
  ASSERT_EQ(stored["Events"].size(), 3u);
  EXPECT_EQ(stored["Events"][1u]["Delay"], Json::Value("65535")) << "a pause too long for the device is capped";
  EXPECT_EQ(stored["Events"][2u]["Delay"], Json::Value("0")) << "a missing pause is none";
  EXPECT_EQ(stored["Events"][1u]["Button"].asInt(), 4);
}

TEST_F(MacroFolder, ImportKeepsTheFirstSixtyEventsAndSaysSo) {
  WriteFileBytes(importFolder_ + "long.mac", R"({"Events": )" + KeyEvents(75) + "}");
  MacroChange change = store_.ImportMacro(importFolder_ + "long.mac");
  ASSERT_TRUE(change.done);
  EXPECT_TRUE(change.trimmed);
  EXPECT_EQ(store_.ReadMacroEvents(0).size(), 60u);
}

struct RefusalCase {
  const char* name;
  std::string fileName;
  std::string content;
  MacroImportRefusal refusal;
};

// Test names and failure messages show the case by its name.
void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class MacroImportRefusals : public MacroFolder, public ::testing::WithParamInterface<RefusalCase> {};

// Whatever is wrong with the offered file, the store stays exactly as it was.
TEST_P(MacroImportRefusals, RefusesWithAReasonAndChangesNothing) {
  WriteList({"kept"});
  const std::vector<std::string> before = FolderEntries(folder_);
  const std::string listBefore = ReadFileBytes(folder_ + "macro.config");
  std::string path = importFolder_ + GetParam().fileName;
  if (GetParam().content != "<none>") WriteFileBytes(path, GetParam().content);

  MacroChange change = store_.ImportMacro(path);
  EXPECT_FALSE(change.done);
  EXPECT_EQ(change.importRefusal, GetParam().refusal) << change.detail;
  EXPECT_FALSE(change.detail.empty());
  EXPECT_EQ(FolderEntries(folder_), before);
  EXPECT_EQ(ReadFileBytes(folder_ + "macro.config"), listBefore);
  EXPECT_EQ(store_.Count(), 1u);
}

const std::string kOneEvent = R"({"Type": 10, "Button": 4, "Action": "down", "Delay": "1"})";

INSTANTIATE_TEST_SUITE_P(
    Files, MacroImportRefusals,
    ::testing::Values(
        RefusalCase{"Missing", "absent.mac", "<none>", MacroImportRefusal::kUnreadable},
        RefusalCase{"Empty", "e.mac", "", MacroImportRefusal::kNotJson},
        RefusalCase{"NotJson", "n.mac", "MZ\x90\x00 binary", MacroImportRefusal::kNotJson},
        RefusalCase{"ArrayRoot", "a.mac", "[" + kOneEvent + "]", MacroImportRefusal::kNotMacro},
        RefusalCase{"NoEvents", "p.mac", R"({"Device": [{}], "profilename": "x"})", MacroImportRefusal::kNotMacro},
        RefusalCase{"EventsNotAList", "q.mac", R"({"Events": {"0": {}}})", MacroImportRefusal::kNotMacro},
        RefusalCase{"EventNotAnObject", "r.mac", R"({"Events": [7]})", MacroImportRefusal::kBadEvent},
        RefusalCase{"UnknownType", "t.mac", R"({"Events": [{"Type": 7, "Button": 4, "Action": "down"}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"TypeMissing", "u.mac", R"({"Events": [{"Button": 4, "Action": "down"}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"ButtonTooLarge", "b.mac", R"({"Events": [{"Type": 10, "Button": 300, "Action": "up"}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"ButtonNegativeText", "c.mac", R"({"Events": [{"Type": 10, "Button": "-4", "Action": "up"}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"BadAction", "d.mac", R"({"Events": [{"Type": 10, "Button": 4, "Action": "press"}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"BadEventAfterGoodOnes", "f.mac", R"({"Events": [)" + kOneEvent + R"(, {"Type": 10}]})",
                    MacroImportRefusal::kBadEvent},
        RefusalCase{"TooLarge", "big.mac", R"({"Events": [], "pad": ")" + std::string(1100000, 'x') + "\"}",
                    MacroImportRefusal::kTooLarge},
        RefusalCase{"NameTooLong", "abcdefghijk.mac", R"({"Events": []})", MacroImportRefusal::kFileNameTooLong},
        RefusalCase{"NameWithExtensionTooLong", "abcdefg.macro99", R"({"Events": []})",
                    MacroImportRefusal::kFileNameTooLong},
        RefusalCase{"NameNotText", "m\xFF.mac", R"({"Events": []})", MacroImportRefusal::kBadFileName},
        RefusalCase{"NameLeadingSpace", " lead.mac", R"({"Events": []})", MacroImportRefusal::kBadFileName},
        RefusalCase{"NoName", ".mac", R"({"Events": []})", MacroImportRefusal::kBadFileName}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroFolder, ShortNamesInAnyScriptAreAccepted) {
  WriteFileBytes(importFolder_ + "连招十个字符以内.mac", R"({"Events": []})");
  MacroChange change = store_.ImportMacro(importFolder_ + "连招十个字符以内.mac");
  EXPECT_TRUE(change.done) << change.detail;
  EXPECT_EQ(change.name, "连招十个字符以内");
}

TEST_F(MacroFolder, AnImportWhoseListWriteFailsLeavesNoFileBehind) {
  WriteList({"kept"});
  WriteFileBytes(importFolder_ + "abc.mac", kGoodMacro);
  // The list cannot be replaced while a folder sits where its temporary file's rename must land.
  std::string list = folder_ + "macro.config";
  std::string listBytes = ReadFileBytes(list);
  ASSERT_EQ(std::rename(list.c_str(), (list + ".saved").c_str()), 0);
  ASSERT_EQ(mkdir(list.c_str(), 0755), 0);
  MacroChange change = store_.ImportMacro(importFolder_ + "abc.mac");
  EXPECT_FALSE(change.done);
  EXPECT_EQ(change.importRefusal, MacroImportRefusal::kWriteFailed);
  EXPECT_EQ(FolderEntries(folder_), (std::vector<std::string>{"macro.config", "macro.config.saved"}));
}

}  // namespace
