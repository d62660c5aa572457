// Every record written through a profile-data object, saved to its file and read back by a fresh
// object comes back unchanged.
#include <gtest/gtest.h>

#include "profile_test_fixture.h"
#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/records/lighting_records_json.h"

namespace {

class RecordRoundTrip : public ProfileFolders {
 protected:
  // Saves what `written` holds and returns a fresh object of the same kind loaded from the file.
  template <class Profile>
  std::unique_ptr<Profile> SavedAndReloaded(Profile& written) {
    written.SetProfilePath(profilePath_);
    EXPECT_TRUE(written.SaveProfile());
    auto reloaded = std::make_unique<Profile>();
    reloaded->LoadProfile(profilePath_);
    EXPECT_EQ(reloaded->LastLoadReport().outcome, ProfileLoadOutcome::kLoaded);
    return reloaded;
  }
};

LightInfoRecord LightInfo(uint8_t mode, uint8_t light, uint8_t speed, uint8_t fx, uint8_t multi, uint8_t r, uint8_t g,
                          uint8_t b, uint8_t second, uint8_t group, uint8_t old) {
  LightInfoRecord record;
  record.SelectItem = mode;
  record.Light = light;
  record.Speed = speed;
  record.Fx = fx;
  record.MultiColor = multi;
  record.Red = r;
  record.Green = g;
  record.Blue = b;
  record.ZZCCLedMode = second;
  record.CustomGroup = group;
  record.OldLedmode = old;
  return record;
}

TEST_F(RecordRoundTrip, LightInfoThroughItsFourWords) {
  const LightInfoRecord cases[] = {LightInfoRecord{}, LightInfo(3, 4, 2, 1, 1, 0, 0x40, 0xFF, 5, 2, 7),
                                   LightInfo(255, 255, 255, 255, 1, 255, 255, 255, 255, 255, 255)};
  for (const LightInfoRecord& record : cases) {
    CMouseProfiledata profile;
    LightInfoWords words = PackLightInfo(record);
    profile.WriteLightInfo(words.Word0, words.Word1, words.Word2, words.Half3);
    EXPECT_EQ(SavedAndReloaded(profile)->ReadLightInfo(), record);
  }
}

TEST_F(RecordRoundTrip, LightInfoDropsTheBytesThatAreNotPersistedAndNormalisesMultiColour) {
  LightInfoRecord record = LightInfo(1, 2, 3, 0, 9, 4, 5, 6, 7, 8, 9);
  record.NotPersisted[1] = 0xAA;
  CMouseProfiledata profile;
  profile.WriteLightInfo(record);
  LightInfoRecord read = SavedAndReloaded(profile)->ReadLightInfo();
  EXPECT_EQ(read.NotPersisted[1], 0);
  EXPECT_EQ(read.MultiColor, 1);
  EXPECT_EQ(read.OldLedmode, 9);
}

TEST_F(RecordRoundTrip, AudioLightComesBackWithTheForegroundFlagSet) {
  const AudioLightRecord cases[] = {{2, 1, 2, 3, 4, 5, 6, 1, 1}, {0, 255, 255, 255, 0, 0, 0, 0, 0}};
  for (const AudioLightRecord& record : cases) {
    CMouseProfiledata profile;
    uint32_t word0 = record.AudioMode | record.BkColorR << 8 | record.BkColorG << 16 | uint32_t{record.BkColorB} << 24;
    uint32_t word1 = record.FgColorR | record.FgColorG << 8 | record.FgColorB << 16 | uint32_t{record.SevenColorFlags} << 24;
    profile.WriteAudioLightInfo(word0, word1, record.ColorTypeFlags);
    AudioLightRecord expected = record;
    expected.ColorTypeFlags = 1;
    EXPECT_EQ(SavedAndReloaded(profile)->ReadAudioLightInfo(), expected);
  }
}

TEST_F(RecordRoundTrip, KeyListCurrentAssignmentsAndTheUnwrittenDefaults) {
  WriteFileBytes(profilePath_, R"({"Device": [{"KeyList": [{"Assignment": 1, "DefaultAssignment": 1048832},
                                                           {"Assignment": 2, "DefaultAssignment": 1049088}]}]})");
  CMouseProfiledata profile;
  profile.LoadProfile(profilePath_);
  std::vector<KeyAssignmentPair> pairs = profile.ReadKeyList();
  ASSERT_EQ(pairs.size(), 2u);
  pairs[0].Current = KeyAssignment::FromValue(0, 0x700102);  // macro 1, play mode 2
  pairs[1].Current = KeyAssignment::FromValue(1, 0xFFFFFF);
  pairs[1].Default = KeyAssignment::FromValue(1, 0x123456);  // never written
  pairs.push_back({KeyAssignment::FromValue(2, 0x200004), KeyAssignment::FromValue(2, 0x200004)});
  profile.WriteKeyList(pairs);

  std::vector<KeyAssignmentPair> read = SavedAndReloaded(profile)->ReadKeyList();
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].Current, KeyAssignment({0, 0x70, 0x01, 0x02}));
  EXPECT_EQ(read[1].Current.Value(), 0xFFFFFFu);
  EXPECT_EQ(read[0].Default.Value(), 0x100100u);
  EXPECT_EQ(read[1].Default.Value(), 0x100200u) << "writing the key list leaves the factory assignment alone";
  EXPECT_EQ(read[2].Default.Value(), 0u) << "a new key has no factory assignment in the file";
}

TEST_F(RecordRoundTrip, DpiStagesAndTheCurrentStage) {
  const std::vector<std::vector<DPIStage>> cases = {
      {{1, 0, 7, 7, 255, 0, 0}},
      {{1, 1, 0, 65535, 1, 2, 3}, {0, 0, 12, 34, 0, 0, 0}, {1, 0, 239, 239, 255, 255, 255}},
  };
  for (const auto& stages : cases) {
    CMouseProfiledata profile;
    profile.WriteDPIStages(stages);
    profile.SetStageActive(static_cast<int>(stages.size()) - 1);
    auto reloaded = SavedAndReloaded(profile);
    EXPECT_EQ(reloaded->ReadDPIStages(), stages);
    EXPECT_EQ(reloaded->GetStageActive(), static_cast<int>(stages.size()) - 1);
  }
}

TEST_F(RecordRoundTrip, MouseSystemBlockHalvesAndTheWholeRippleWord) {
  const MouseSystemBlock cases[] = {
      {},
      {PackHalves(500, 10), PackHalves(1, 0), PackHalves(3, 3), PackHalves(1, 2), 1, PackHalves(10, 5), PackHalves(5, 3),
       PackHalves(4, 2)},
      {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
  };
  for (const MouseSystemBlock& block : cases) {
    CMouseProfiledata profile;
    profile.WriteSystemStages(block);
    EXPECT_EQ(SavedAndReloaded(profile)->ReadSystemStages(), block);
  }
  CMouseProfiledata profile;
  MouseSystemBlock wide{};
  wide[4] = 0x12345678;
  profile.WriteSystemStages(wide);
  EXPECT_EQ(SavedAndReloaded(profile)->ReadSystemStages()[4], 0xFFFFu)
      << "Ripple is written whole and read as a 16-bit value, clamped";
}

TEST_F(RecordRoundTrip, KeyboardSystemBlockAndCustomColourGroups) {
  const KeyboardSystemBlock blocks[] = {{}, {PackHalves(20, 1), PackHalves(1, 3), PackHalves(0, 1)},
                                        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}};
  for (const KeyboardSystemBlock& block : blocks) {
    CKeyboardProfiledata profile;
    profile.WriteKeyboardSystemStages(block);
    EXPECT_EQ(SavedAndReloaded(profile)->ReadKeyboardSystemStages(), block);
  }
  CKeyboardProfiledata profile;
  const std::vector<CustomKeyColour> group3 = {{255, 0, 0, 255}, {0, 128, 0, 10}, {1, 2, 3, 4}};
  profile.WriteCustomLightColors(group3, 3);
  profile.WriteCustomLightGroupIndex(3);
  auto reloaded = SavedAndReloaded(profile);
  EXPECT_EQ(reloaded->ReadCustomLightColors(3, 3), group3);
  EXPECT_EQ(reloaded->ReadCustomLightGroupIndex(), 3);
  EXPECT_EQ(reloaded->ReadCustomLightColors(0, 2), std::vector<CustomKeyColour>(2)) << "other groups are empty";
}

TEST_F(RecordRoundTrip, HeadsetBlockPresetsAndCustomEqualisers) {
  CRi6533Profiledata profile;
  const HeadsetSystemBlock block = {1, 4, 13, 1, 1, 57, 0, -1};
  const std::vector<int> preset7 = {14, 10, 4, 0, -4, -3, -1, 1, 2, 3};
  const std::vector<int> custom1 = {-13, 18, 0, 1, 2, 3, 4, 5, 6, 7};
  profile.WriteSystemSetStages(block);
  profile.WriteEQValues(7, preset7);
  profile.WriteCustomEQNames({"Bass", "人声"});
  profile.WriteCustomEQValues(1, custom1);
  auto reloaded = SavedAndReloaded(profile);
  EXPECT_EQ(reloaded->ReadSystemSetStages(), block);
  EXPECT_EQ(reloaded->ReadEQValues(7), preset7);
  EXPECT_EQ(reloaded->ReadCustomEQNames(), (std::vector<std::string>{"Bass", "人声"}));
  EXPECT_EQ(reloaded->ReadCustomEQValues(1), custom1);
}

}  // namespace
