#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile_test_fixture.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/storage/damaged_file.h"

namespace {

class DamagedProfile : public ProfileFolders {
 protected:
  void SetUp() override {
    WriteDefaults(R"({"Device": [{"LightInfo": {"Light": 2}}]})");
    profile_.SetDefaultDataPath(defaultDataPath_);
    profile_.SetProfilePath(profilePath_);
  }
  CMouseProfiledata profile_;
};

struct DamageCase {
  const char* name;
  const char* bytes;
};

// Test names and failure messages show the case by its name.
void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.name; }

class DamagedProfileContent : public DamagedProfile, public ::testing::WithParamInterface<DamageCase> {};

// A file that does not parse, or parses as something that is not a profile, would lose its
// content if the defaults were simply written over it.
TEST_P(DamagedProfileContent, IsKeptAsideBeforeTheDefaultsReplaceIt) {
  WriteFileBytes(profilePath_, GetParam().bytes);
  profile_.LoadProfile(profilePath_);

  EXPECT_EQ(ReadFileBytes(profilePath_ + ".damaged"), GetParam().bytes);
  EXPECT_EQ(LoadJsonFile(profilePath_)["Device"][0u]["LightInfo"]["Light"].asInt(), 2);
  std::vector<DamagedFileNotice> notices = profile_.TakeDamagedFileNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].path, profilePath_);
  EXPECT_EQ(notices[0].keptAs, profilePath_ + ".damaged");
  EXPECT_TRUE(profile_.TakeDamagedFileNotices().empty()) << "each notice is handed out once";
}

INSTANTIATE_TEST_SUITE_P(Contents, DamagedProfileContent,
                         ::testing::Values(DamageCase{"CutShort", R"({"Device": [{"LightInfo": {"Li)"},
                                           DamageCase{"NotAnObject", R"(["Device"])"},
                                           DamageCase{"DeviceIsNotAList", R"({"Device": "mouse"})"},
                                           DamageCase{"DeviceElementIsNotAnObject", R"({"Device": [7]})"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedProfile, ASaveOverAFileDamagedSinceTheLoadKeepsItToo) {
  profile_.LoadProfile(profilePath_);
  profile_.SetStageActive(4);
  WriteFileBytes(profilePath_, "\x01\x02 garbage");
  ASSERT_TRUE(profile_.SaveProfile());
  EXPECT_EQ(ReadFileBytes(profilePath_ + ".damaged"), "\x01\x02 garbage");
  EXPECT_EQ(LoadJsonFile(profilePath_)["Device"][0u]["DPIStages"]["StageActive"].asInt(), 4);
  EXPECT_EQ(profile_.TakeDamagedFileNotices().size(), 1u);
}

TEST_F(DamagedProfile, EarlierDamagedCopiesAreNotOverwritten) {
  WriteFileBytes(profilePath_, "first{");
  profile_.LoadProfile(profilePath_);
  WriteFileBytes(profilePath_, "second{");
  profile_.LoadProfile(profilePath_);
  EXPECT_EQ(ReadFileBytes(profilePath_ + ".damaged"), "first{");
  EXPECT_EQ(ReadFileBytes(profilePath_ + ".damaged.2"), "second{");
  EXPECT_EQ(profile_.TakeDamagedFileNotices().size(), 2u);
}

TEST_F(DamagedProfile, AnEmptyFileIsNotKeptAside) {
  WriteFileBytes(profilePath_, "");
  profile_.LoadProfile(profilePath_);
  EXPECT_FALSE(FileExists(profilePath_ + ".damaged"));
  EXPECT_TRUE(profile_.TakeDamagedFileNotices().empty());
  EXPECT_TRUE(profile_.LastLoadReport().written);
}

TEST_F(DamagedProfile, SomethingThatCannotBeReadIsNeverReplaced) {
  ASSERT_EQ(mkdir(profilePath_.c_str(), 0755), 0);
  profile_.LoadProfile(profilePath_);
  EXPECT_EQ(profile_.LastLoadReport().outcome, ProfileLoadOutcome::kFilledFromDefaults);
  EXPECT_FALSE(profile_.LastLoadReport().written);
  EXPECT_FALSE(profile_.SaveProfile());
  struct stat info {};
  ASSERT_EQ(stat(profilePath_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(DamagedProfile, GenericSaveKeepsADamagedListFileAside) {
  std::string list = folder_ + "ProfileList.ini";
  WriteFileBytes(list, "{\"profilelist\": [");
  std::vector<DamagedFileNotice> notices;
  Json::Value fresh;
  fresh["profileselect"] = 0;
  ASSERT_TRUE(SaveJsonDocument(fresh, list, notices));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(ReadFileBytes(list + ".damaged"), "{\"profilelist\": [");
  EXPECT_EQ(LoadJsonFile(list), fresh);
}

}  // namespace
