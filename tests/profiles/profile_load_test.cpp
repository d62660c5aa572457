#include <gtest/gtest.h>

#include "profile_test_fixture.h"
#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"

namespace {

class ProfileLoading : public ProfileFolders {
 protected:
  void SetUp() override { profile_.SetDefaultDataPath(WriteDefaults(kDefaults)); }

  static constexpr const char* kDefaults = R"({"Device": [{"LightInfo": {"Light": 3, "Red": 200}}]})";
  CMouseProfiledata profile_;
};

TEST_F(ProfileLoading, MissingProfileIsCreatedFromTheFactoryObject) {
  Json::Value object = profile_.LoadProfile(profilePath_);
  EXPECT_EQ(object, Parse(kDefaults)["Device"][0u]);
  EXPECT_EQ(profile_.LastLoadReport().outcome, ProfileLoadOutcome::kFilledFromDefaults);
  EXPECT_TRUE(profile_.LastLoadReport().written);
  EXPECT_EQ(LoadJsonFile(profilePath_)["Device"][0u], object);
  EXPECT_EQ(profile_.ReadLightInfo().Red, 200);
}

TEST_F(ProfileLoading, EmptyDeviceListIsFilledAndTheProfileNameKept) {
  WriteFileBytes(profilePath_, R"({"profilename": "Game", "profileUUID": "x", "Device": []})");
  profile_.LoadProfile(profilePath_);
  Json::Value written = LoadJsonFile(profilePath_);
  EXPECT_EQ(written["profilename"].asString(), "Game");
  EXPECT_EQ(written["Device"][0u]["LightInfo"]["Light"].asInt(), 3);
}

TEST_F(ProfileLoading, AProfileThatHasItsObjectIsLoadedAndNotRewritten) {
  const std::string bytes = R"({"Device": [{"LightInfo": {"Light": 1}}]})";
  WriteFileBytes(profilePath_, bytes);
  profile_.LoadProfile(profilePath_);
  EXPECT_EQ(profile_.LastLoadReport().outcome, ProfileLoadOutcome::kLoaded);
  EXPECT_EQ(profile_.ReadLightInfo().Light, 1);
  EXPECT_EQ(ReadFileBytes(profilePath_), bytes);
}

TEST_F(ProfileLoading, WithoutDefaultDataNothingIsWrittenAndReadsGiveZeros) {
  profile_.SetDefaultDataPath(defaultFolder_ + "absent.Json");
  EXPECT_TRUE(profile_.LoadProfile(profilePath_).isNull());
  EXPECT_EQ(profile_.LastLoadReport().outcome, ProfileLoadOutcome::kNoData);
  EXPECT_FALSE(FileExists(profilePath_));
  EXPECT_EQ(profile_.ReadLightInfo(), LightInfoRecord{});
  // A later save still writes what the device put into the object.
  profile_.SetProfilePath(profilePath_);
  profile_.SetStageActive(2);
  EXPECT_TRUE(profile_.SaveProfile());
  EXPECT_EQ(LoadJsonFile(profilePath_)["Device"][0u]["DPIStages"]["StageActive"].asInt(), 2);
}

TEST_F(ProfileLoading, LoadingTheDefaultDataFileItselfNeverWritesIt) {
  profile_.SetDefaultDataPath(defaultFolder_ + "absent.Json");
  EXPECT_TRUE(profile_.LoadDefaultData(defaultFolder_ + "absent.Json").isNull());
  EXPECT_FALSE(FileExists(defaultFolder_ + "absent.Json"));
  profile_.SetDefaultDataPath(defaultDataPath_);
  EXPECT_EQ(profile_.LoadDefaultData(defaultDataPath_)["LightInfo"]["Red"].asInt(), 200);
  EXPECT_EQ(profile_.LastLoadReport().outcome, ProfileLoadOutcome::kLoaded);
}

TEST_F(ProfileLoading, SavingKeepsOtherDeviceElementsAndTopLevelKeys) {
  WriteFileBytes(profilePath_, R"({"profilename": "P", "Device": [{"a": 1}, {"b": 2}]})");
  Json::Value replacement;
  replacement["c"] = 3;
  ASSERT_TRUE(profile_.SaveDeviceObject(replacement, profilePath_));
  Json::Value written = LoadJsonFile(profilePath_);
  EXPECT_EQ(written["Device"][0u], replacement);
  EXPECT_EQ(written["Device"][1u]["b"].asInt(), 2);
  EXPECT_EQ(written["profilename"].asString(), "P");
}

TEST_F(ProfileLoading, SaveDefaultDataWritesTheHeldFactoryObject) {
  profile_.LoadDefaultData(defaultDataPath_);
  std::string copy = folder_ + "factory-copy.Json";
  ASSERT_TRUE(profile_.SaveDefaultData(copy));
  EXPECT_EQ(LoadJsonFile(copy)["Device"][0u], Parse(kDefaults)["Device"][0u]);
}

TEST_F(ProfileLoading, SetPathsIgnoreEmptyText) {
  profile_.SetProfilePath(profilePath_);
  profile_.SetProfilePath("");
  EXPECT_EQ(profile_.GetProfilePath(), profilePath_);
  profile_.SetDefaultDataPath("");
  EXPECT_EQ(profile_.GetDefaultDataPath(), defaultDataPath_);
}

// The smallest factory file there is: every read of every kind yields zeros.
TEST_F(ProfileLoading, MinimalFactoryObjectMakesEveryReadZero) {
  WriteDefaults(R"({"Device":[{}]})");
  CMouseProfiledata mouse;
  CKeyboardProfiledata keyboard;
  CRi6533Profiledata headset;
  for (CBasicProfiledata* profile : std::initializer_list<CBasicProfiledata*>{&mouse, &keyboard, &headset}) {
    profile->SetDefaultDataPath(defaultDataPath_);
    EXPECT_TRUE(profile->LoadProfile(profilePath_).isObject());
    EXPECT_EQ(profile->ReadLightInfo(), LightInfoRecord{});
    EXPECT_EQ(profile->ReadAudioLightInfo(), AudioLightRecord{});
    EXPECT_TRUE(profile->ReadLightList().empty());
    EXPECT_TRUE(profile->ReadKeyList().empty());
    EXPECT_TRUE(profile->ReadLightEffects().empty());
  }
  EXPECT_TRUE(mouse.ReadDPIStages().empty());
  EXPECT_EQ(mouse.GetStageActive(), 0);
  EXPECT_EQ(mouse.ReadSystemStages(), MouseSystemBlock{});
  EXPECT_EQ(keyboard.ReadKeyboardSystemStages(), KeyboardSystemBlock{});
  EXPECT_EQ(keyboard.ReadCustomLightGroupIndex(), 0);
  EXPECT_EQ(keyboard.ReadCustomLightColors(0, 3), std::vector<CustomKeyColour>(3));
  EXPECT_EQ(headset.ReadSystemSetStages(), HeadsetSystemBlock{});
  EXPECT_EQ(headset.ReadEQValues(1), std::vector<int>(10, 0));
  EXPECT_TRUE(headset.ReadCustomEQNames().empty());
}

}  // namespace

TEST_F(ProfileLoading, AProfileRebuiltAfterDamageGetsItsNameAndIdBack) {
  WriteFileBytes(profilePath_, "{\"Device\": [ {\"Light");
  profile_.SetProfilePath(profilePath_);
  profile_.SetProfileIdentity("Game", "2026_01_17_09_05_03_042");
  profile_.LoadProfile(profilePath_);
  Json::Value written = LoadJsonFile(profilePath_);
  EXPECT_EQ(written["profilename"].asString(), "Game");
  EXPECT_EQ(written["profileUUID"].asString(), "2026_01_17_09_05_03_042");
  EXPECT_EQ(written["Device"][0u]["LightInfo"]["Red"].asInt(), 200);

  // A name the file already carries is its own (a rename writes it); saving leaves it.
  WriteFileBytes(profilePath_, R"({"profilename": "Renamed", "profileUUID": "2026_01_17_09_05_03_042", "Device": [{}]})");
  profile_.LoadProfile(profilePath_);
  ASSERT_TRUE(profile_.SaveProfile());
  EXPECT_EQ(LoadJsonFile(profilePath_)["profilename"].asString(), "Renamed");
}
