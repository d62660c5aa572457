// "main.ini": the INI text it is kept in, and the choice it records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "profiles/settings/skin_settings_file.h"
#include "profiles/storage/atomic_file.h"
#include "profiles/storage/ini_text.h"
#include "support/temp_data_folder.h"

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteWhole(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

}  // namespace

TEST(IniText, ValuesAreFoundByNameWithoutRegardToCaseAndBlanks) {
  const std::string text = "; written by hand\n[Other]\nFLAGS=9\n\n[ skinimage ]\r\n  flags = 1 \r\nIMAGE=a b.png\r\n";
  EXPECT_EQ(IniValue(text, "SKINIMAGE", "FLAGS"), "1");
  EXPECT_EQ(IniValue(text, "SKINIMAGE", "image"), "a b.png");
  EXPECT_EQ(IniValue(text, "Other", "FLAGS"), "9");
  EXPECT_EQ(IniValue(text, "SKINIMAGE", "MISSING"), std::nullopt);
  EXPECT_EQ(IniValue(text, "NOSECTION", "FLAGS"), std::nullopt);
  EXPECT_EQ(IniValue("FLAGS=1\n", "SKINIMAGE", "FLAGS"), std::nullopt) << "a key before any section is in none";
}

TEST(IniText, ASetValueReplacesOrAddsAndKeepsEveryOtherLine) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"", "[S]\nK=v\n"},
      {"[S]\nK=old\nL=keep\n", "[S]\nK=v\nL=keep\n"},
      {"[s]\nk = old\n", "[s]\nK=v\n"},
      {"[S]\nL=keep\n\n[T]\nK=other\n", "[S]\nL=keep\nK=v\n\n[T]\nK=other\n"},
      {"[T]\nK=other", "[T]\nK=other\n\n[S]\nK=v\n"},
      {"; note\n[S]\n", "; note\n[S]\nK=v\n"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(WithIniValue(test.before, "S", "K", "v"), test.after) << test.before;
  }
}

TEST(IniText, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  EXPECT_EQ(WithIniValue("", "S", "K", "two\nlines"), std::nullopt);
  EXPECT_EQ(WithIniValue("", "S", "K=", "v"), std::nullopt);
  EXPECT_EQ(WithIniValue("", "S]", "K", "v"), std::nullopt);
  EXPECT_EQ(WithIniValue("", "S", "", "v"), std::nullopt);
}

TEST(SkinSettingsFile, AChoiceIsWrittenAsTwoKeysAndReadBack) {
  TempDataFolder folder;
  const std::string path = folder.Path() + "/main.ini";
  ASSERT_TRUE(WriteSkinChoice(path, SkinChoice{true, "background/dusk.png"}));
  EXPECT_EQ(ReadWhole(path), "[SKINIMAGE]\nFLAGS=1\nIMAGE=background/dusk.png\n");
  ASSERT_TRUE(WriteSkinChoice(path, SkinChoice{false, "common/background.png"}));
  EXPECT_EQ(ReadWhole(path), "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\n");
  const std::optional<SkinChoice> read = ReadSkinChoice(path);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->imageChosen);
  EXPECT_EQ(read->image, "common/background.png");
}

TEST(SkinSettingsFile, OtherSectionsOfTheFileAreKept) {
  TempDataFolder folder;
  const std::string path = folder.Path() + "/main.ini";
  WriteWhole(path, "[WINDOW]\nX=10\n");
  ASSERT_TRUE(WriteSkinChoice(path, SkinChoice{true, "background/ocean.png"}));
  EXPECT_EQ(ReadWhole(path), "[WINDOW]\nX=10\n\n[SKINIMAGE]\nFLAGS=1\nIMAGE=background/ocean.png\n");
}

TEST(SkinSettingsFile, AFailedWriteLeavesTheOldFile) {
  TempDataFolder folder;
  const std::string path = folder.Path() + "/main.ini";
  ASSERT_TRUE(WriteSkinChoice(path, SkinChoice{true, "background/ember.png"}));
  const std::string before = ReadWhole(path);
  for (AtomicWriteStep step :
       {AtomicWriteStep::kAfterTemporaryCreated, AtomicWriteStep::kMidWrite, AtomicWriteStep::kBeforeRename}) {
    ScopedAtomicWriteFailure failure(step);
    EXPECT_FALSE(WriteSkinChoice(path, SkinChoice{false, "common/background.png"}));
    EXPECT_EQ(ReadWhole(path), before);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()), 1)
      << "no temporary file is left behind";
}

TEST(SkinSettingsFile, AFileThatRecordsNoChoiceReadsAsNone) {
  TempDataFolder folder;
  const std::string path = folder.Path() + "/main.ini";
  EXPECT_EQ(ReadSkinChoice(path), std::nullopt) << "missing";
  for (const char* text : {"", "[SKINIMAGE]\nFLAGS=1\n", "[SKINIMAGE]\nIMAGE=a.png\n", "[SKINIMAGE]\nFLAGS=2\nIMAGE=a.png\n",
                           "[OTHER]\nFLAGS=1\nIMAGE=a.png\n", "\x89PNG\r\n\x1a\n binary"}) {
    WriteWhole(path, text);
    EXPECT_EQ(ReadSkinChoice(path), std::nullopt) << text;
  }
  WriteWhole(path, std::string(70 * 1024, ';') + "\n[SKINIMAGE]\nFLAGS=1\nIMAGE=a.png\n");
  EXPECT_EQ(ReadSkinChoice(path), std::nullopt) << "far larger than any file of ours";
}
