#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>

#include "profiles/settings/language_list.h"
#include "profiles/settings/small_files.h"
#include "profiles/storage/data_folders.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

TEST(LanguageList, ReadsEveryEntryAndDefaultsMissingKeys) {
  TempDataFolder temp;
  std::string folder = temp.MakeFolder("DefaultData") + "/";
  WriteFileBytes(folder + "Language.config", R"({"Language": [
      {"Language_name": "en-US", "Language_file": "lan_en.xml", "Language_text": "English", "Language_ID": 1033},
      {"Language_file": "lan_xx.xml", "Language_ID": "7"}, 5]})");
  std::vector<LanguageEntry> languages = ReadLanguageList(folder);
  ASSERT_EQ(languages.size(), 3u);
  EXPECT_EQ(languages[0].name, "en-US");
  EXPECT_EQ(languages[1].name, "");
  EXPECT_EQ(languages[1].id, 0) << "a wrongly typed identifier reads as 0";
  EXPECT_EQ(languages[2].file, "");
  EXPECT_TRUE(ReadLanguageList(temp.Path()).empty()) << "a missing file gives no languages";
}

TEST(LanguageList, AnUnknownSavedIdentifierFallsBackToTheFirstLanguage) {
  std::vector<LanguageEntry> languages = {{"zh-CN", "lan_cn.xml", "", 2052}, {"en-US", "lan_en.xml", "", 1033}};
  EXPECT_EQ(FindLanguageIndex(languages, 1033), 1u);
  EXPECT_EQ(FindLanguageIndex(languages, 1031), 0u);
  // The identifier names a language wherever it sits in the list.
  std::swap(languages[0], languages[1]);
  EXPECT_EQ(FindLanguageIndex(languages, 1033), 0u);
}

TEST(DataFolders, UserAndDeviceFoldersLiveUnderTheDataHomeAndAreCreated) {
  TempDataFolder temp;
  EXPECT_EQ(UserDataFolder(), temp.Path() + "/T640/");
  std::string mouse = DeviceDataFolder(kMouseKindName);
  EXPECT_EQ(mouse, temp.Path() + "/T640/mouse/");
  EXPECT_TRUE(FileExists(mouse));
  EXPECT_EQ(ProfileFilePath(mouse, "2026_01_17_09_05_03_042"), mouse + "2026_01_17_09_05_03_042.Json");
}

TEST(DataFolders, DefaultDataLivesInTheProgramFolder) {
  setenv("T640_PROGRAM_FOLDER", "/opt/t640", 1);
  EXPECT_EQ(DefaultDataFolder(), "/opt/t640/DefaultData/");
  EXPECT_EQ(DefaultDataPath(kMousePadKindName), "/opt/t640/DefaultData/MousePad.Json");
  unsetenv("T640_PROGRAM_FOLDER");
}

TEST(SmallFiles, IndexGivesEachFileItsFolder) {
  TempDataFolder temp;
  std::string user = temp.Path() + "/T640/";
  EXPECT_EQ(SmallFilePathIn(SmallFile::kLanguageList, "/opt/t640/DefaultData/", user),
            "/opt/t640/DefaultData/Language.config");
  EXPECT_EQ(SmallFilePathIn(SmallFile::kProfileList, "/x/", user, kHeadsetKindName), user + "HD/ProfileList.ini");
  EXPECT_EQ(SmallFilePathIn(SmallFile::kUpdateTime, "/x/", user), user + "updatetime.config");
  EXPECT_TRUE(FileExists(user + "HD"));
  std::set<SmallFile> files;
  for (const SmallFileRow& row : kSmallFiles) {
    EXPECT_TRUE(files.insert(row.file).second) << row.name;
    EXPECT_FALSE(row.writtenByProgram && row.folder == StoredFileFolder::kDefaultData) << row.name;
  }
}

}  // namespace
