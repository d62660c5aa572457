// How the profile-data objects read what the file holds: the edge cases of each record, and
// documents of the wrong shape.
#include <gtest/gtest.h>

#include "profile_test_fixture.h"
#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"

namespace {

class ProfileReads : public ProfileFolders {
 protected:
  template <class Profile>
  void Load(Profile& profile, const std::string& deviceObject) {
    WriteFileBytes(profilePath_, R"({"Device": [)" + deviceObject + "]}");
    profile.LoadProfile(profilePath_);
    ASSERT_EQ(profile.LastLoadReport().outcome, ProfileLoadOutcome::kLoaded);
  }
};

TEST_F(ProfileReads, AudioLightColourTypeReadsAsOneWhateverTheFileHolds) {
  CMouseProfiledata profile;
  Load(profile, R"({"AudioLightInfo": {"AudioMode": 2, "FgColorR": 9, "7ColorFlags": 1, "ColorTypeFlags": 0}})");
  AudioLightRecord record = profile.ReadAudioLightInfo();
  EXPECT_EQ(record.ColorTypeFlags, 1);
  EXPECT_EQ(record.SevenColorFlags, 1) << "integer 0/1 flags are accepted";
  EXPECT_EQ(record.FgColorR, 9);
}

TEST_F(ProfileReads, MissingLightInfoGivesTheFallbackRecord) {
  CMouseProfiledata profile;
  Load(profile, "{}");
  LightInfoRecord fallback;
  fallback.Light = 4;
  profile.SetFallbackLightInfo(fallback);
  EXPECT_EQ(profile.ReadLightInfo(), fallback);
}

TEST_F(ProfileReads, StageListsMergeIntoTheHeldListWithoutShrinking) {
  CMouseProfiledata profile;
  profile.WriteDPIStages({{1, 0, 1, 1, 0, 0, 0}, {1, 0, 2, 2, 0, 0, 0}, {1, 0, 3, 3, 0, 0, 0}});
  Load(profile, R"({"DPIStages": {"StageActive": 1, "StageDPIs": [{"StageDPIX": 9}]}})");
  std::vector<DPIStage> shorter = profile.ReadDPIStages();
  ASSERT_EQ(shorter.size(), 3u);
  EXPECT_EQ(shorter[0].StageDPIX, 9);
  EXPECT_EQ(shorter[2].StageDPIX, 3) << "entries past the file's list stay as they were";
  EXPECT_EQ(profile.GetStageActive(), 1);

  Load(profile, R"({"DPIStages": {"StageDPIs": [{}, {}, {}, {"StageDPIX": 4}]}})");
  std::vector<DPIStage> longer = profile.ReadDPIStages();
  ASSERT_EQ(longer.size(), 4u);
  EXPECT_EQ(longer[3].StageDPIX, 4);
}

TEST_F(ProfileReads, MissingReportStagesLeavesOnlyTheSystemHalves) {
  CMouseProfiledata profile;
  Load(profile, R"({"SystemStages": {"WheelScorlllinse": 3, "Logoledmode": 2, "DoubleClickTime": 500}})");
  MouseSystemBlock block = profile.ReadSystemStages();
  EXPECT_EQ(block[0], 500u);
  EXPECT_EQ(block[2], 3u);
  EXPECT_EQ(block[3] | block[4] | block[5] | block[6], 0u);
  EXPECT_EQ(block[7], 2u << 16);
}

TEST_F(ProfileReads, ValuesPastTheirFieldAreClampedNotWrapped) {
  CMouseProfiledata profile;
  Load(profile, R"({"SystemStages": {"MouseSpeed": 65537, "DoubleClickTime": -5},
                    "ReportStages": {"Ripple": 4294967295},
                    "DPIStages": {"StageDPIs": [{"StageDPIX": 70000, "StageColorR": 300, "StageActive": -1}]}})");
  MouseSystemBlock block = profile.ReadSystemStages();
  EXPECT_EQ(block[0], 0xFFFFu << 16) << "65537 wrapped would be 1";
  EXPECT_EQ(block[4], 0xFFFFu);
  const std::vector<DPIStage> stages = profile.ReadDPIStages();
  ASSERT_EQ(stages.size(), 1u);
  EXPECT_EQ(stages[0].StageDPIX, 0xFFFF) << "70000 wrapped would reach the sensor as 4464";
  EXPECT_EQ(stages[0].StageColorR, 255);
  EXPECT_EQ(stages[0].StageActive, 0);
}

TEST_F(ProfileReads, LightListEntriesCarryAPresentFlagAndNullEntriesAreZero) {
  CMouseProfiledata profile;
  Load(profile, R"({"LightList": [{"LEDREGMode": 2, "LEDSpeed": 3, "LEDDirection": true, "red": 10}, null]})");
  std::vector<LightListEntry> list = profile.ReadLightList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Present, 1);
  EXPECT_EQ(list[0].LEDREGMode, 2);
  EXPECT_EQ(list[0].LEDDirection, 1);
  EXPECT_EQ(list[0].Red, 10);
  EXPECT_EQ(list[1], LightListEntry{});
}

TEST_F(ProfileReads, EqPresetNumbersMapToTheirStoredSlots) {
  CRi6533Profiledata profile;
  Load(profile, R"({"EQHzValueInfo": [null, [{"value": 1}], [{"value": 2}]]})");
  EXPECT_EQ(profile.ReadEQValues(0)[0], 1) << "preset 0 is preset 1";
  EXPECT_EQ(profile.ReadEQValues(2)[0], 2);
  EXPECT_EQ(profile.ReadEQValues(14)[0], 1) << "numbers past 13 are preset 1";
  EXPECT_EQ(profile.ReadEQValues(2).size(), 10u) << "missing bands are created as 0";
  EXPECT_EQ(profile.DeviceObject()["EQHzValueInfo"][2u].size(), 10u);
}

TEST_F(ProfileReads, EqPresetThirteenIsNeitherReadNorWritten) {
  CRi6533Profiledata profile;
  Load(profile, R"({"EQHzValueInfo": []})");
  EXPECT_TRUE(profile.ReadEQValues(13).empty());
  profile.WriteEQValues(13, std::vector<int>(10, 5));
  EXPECT_EQ(profile.DeviceObject()["EQHzValueInfo"].size(), 0u);
}

TEST_F(ProfileReads, RemovingACustomEqualiserKeepsEveryOtherWithItsOwnBands) {
  CRi6533Profiledata profile;
  Load(profile, "{}");
  profile.WriteCustomEQNames({"A", "B", "C"});
  for (int i = 0; i < 3; ++i) profile.WriteCustomEQValues(i, std::vector<int>(10, i));
  profile.RemoveCustomEQ(1);
  EXPECT_EQ(profile.ReadCustomEQNames(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(profile.ReadCustomEQValues(1), std::vector<int>(10, 2));
}

TEST_F(ProfileReads, CustomColourReadsCreateMissingEntriesAndRespectTheLimits) {
  CKeyboardProfiledata profile;
  Load(profile, R"({"CustomLightMode": {"LightColorInfo": [[{"Red": 5}]]}})");
  std::vector<CustomKeyColour> colours = profile.ReadCustomLightColors(0, 3);
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0].Red, 5);
  EXPECT_EQ(profile.DeviceObject()["CustomLightMode"]["LightColorInfo"][0u].size(), 3u);
  EXPECT_TRUE(profile.ReadCustomLightColors(5, 3).empty()) << "only banks 0-4 exist";
  EXPECT_TRUE(profile.ReadCustomLightColors(0, 100000).empty());
  EXPECT_EQ(profile.DeviceObject()["CustomLightMode"]["LightColorInfo"].size(), 1u);
}

class LightEffects : public ProfileReads {
 protected:
  void SetUp() override {
    profile_.SetLightConfigPath(folder_ + "orvik_light.config");
    profile_.SetBuiltInLightModeCount(11);
    profile_.SetLightIndex(1);
    WriteFileBytes(folder_ + "orvik_light.config",
                   R"({"LightInfo": [[], [{"LightName": "a", "Guid": "fx1"}, {"LightName": "b", "Guid": "../fx2"}]]})");
    WriteFileBytes(folder_ + "fx1.light",
                   R"({"LEDEffectList": [{"LEDREGMode": 3, "red": 9, "Time": 1000, "Cyle": -1}, {"LEDSpeed": 2}]})");
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
  }
  std::vector<LightEffectStep> EffectsOfMode(uint8_t mode) {
    LightInfoRecord record;
    record.SelectItem = mode;
    profile_.WriteLightInfo(record);
    return profile_.ReadLightEffects();
  }
  CMouseProfiledata profile_;
};

TEST_F(LightEffects, ACustomModeReadsItsStepsFromTheFileBesideTheConfiguration) {
  std::vector<LightEffectStep> steps = EffectsOfMode(11);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].LEDREGMode, 3);
  EXPECT_EQ(steps[0].Red, 9);
  EXPECT_EQ(steps[0].Time, 1000);
  EXPECT_EQ(steps[0].Cyle, -1);
  EXPECT_EQ(steps[1].LEDSpeed, 2);
}

TEST_F(LightEffects, BuiltInModesAndNamesWithAFolderReadNoSteps) {
  EXPECT_TRUE(EffectsOfMode(10).empty());
  WriteFileBytes(temp_.Path() + "/T640/fx2.light", R"({"LEDEffectList": [{}]})");
  EXPECT_TRUE(EffectsOfMode(12).empty()) << "a Guid that names another folder is not followed";
  EXPECT_TRUE(EffectsOfMode(13).empty()) << "no such effect";
}

// A profile edited by hand can hold any value under any key; every read must survive it.
TEST_F(ProfileReads, WrongTypesEverywhereReadAsZerosAndEmptyLists) {
  const char* objects[] = {
      R"({"LightInfo": 5, "AudioLightInfo": [], "LightList": "x", "KeyList": {"a": 1}, "DPIStages": 3,
          "SystemStages": [], "ReportStages": "r", "CustomLightMode": 1, "SystemSetStages": true,
          "EQHzValueInfo": {"1": 2}, "CustomEQNameInfo": 7, "CustomEQHzValueInfo": "v"})",
      R"({"LightInfo": {"Light": "bright", "Red": [1], "MultiColor": "yes"}, "KeyList": [1, "x", null, {"Assignment": -1}],
          "DPIStages": {"StageActive": "2", "StageDPIs": [[], 4]}, "SystemStages": {"MouseSpeed": {}},
          "CustomLightMode": {"LightColorInfo": [5, [7]]}, "EQHzValueInfo": [1, 2, "x"],
          "CustomEQNameInfo": [{"Name": 4}, 3], "CustomEQHzValueInfo": [[1, {"value": "x"}]]})",
  };
  for (const char* object : objects) {
    CMouseProfiledata mouse;
    CKeyboardProfiledata keyboard;
    CRi6533Profiledata headset;
    Load(mouse, object);
    Load(keyboard, object);
    Load(headset, object);
    EXPECT_NO_THROW({
      mouse.ReadLightInfo();
      mouse.ReadAudioLightInfo();
      mouse.ReadLightList();
      mouse.ReadKeyList();
      mouse.ReadDPIStages();
      mouse.ReadSystemStages();
      keyboard.ReadKeyboardSystemStages();
      keyboard.ReadCustomLightColors(0, 4);
      keyboard.ReadCustomLightColors(1, 4);
      keyboard.ReadCustomLightGroupIndex();
      headset.ReadSystemSetStages();
      headset.ReadEQValues(1);
      headset.ReadEQValues(2);
      headset.ReadCustomEQNames();
      headset.ReadCustomEQValues(0);
      mouse.WriteSystemStages({});
      mouse.WriteDPIStages({{}});
      mouse.WriteKeyList({{}});
      keyboard.WriteCustomLightColors({{}}, 0);
      headset.WriteEQValues(1, {1});
      headset.RemoveCustomEQ(0);
    }) << object;
    EXPECT_EQ(mouse.ReadLightInfo().Light, 0);
  }
}

}  // namespace
