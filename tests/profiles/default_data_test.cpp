// The factory files shipped in DefaultData, loaded through the profile classes the devices use.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/settings/language_list.h"
#include "profiles/storage/data_folders.h"

namespace {

const std::string kShippedFolder = std::string(T640_SOURCE_DIR) + "/DefaultData/";

template <class Profile>
void LoadShipped(Profile& profile, std::string_view kindName) {
  std::string path = DefaultDataPathIn(kShippedFolder, kindName);
  profile.SetDefaultDataPath(path);
  ASSERT_TRUE(profile.LoadDefaultData(path).isObject()) << path;
  ASSERT_EQ(profile.LastLoadReport().outcome, ProfileLoadOutcome::kLoaded);
  profile.SetDeviceObject(profile.DefaultDeviceObject());
}

// The factory records by which the mouse finds its 11 logical buttons in its button table.
constexpr uint32_t kMouseFactoryButtons[11] = {0x100100, 0x100200, 0x100400, 0x101000, 0x100800, 0x130100,
                                               0x130200, 0x130300, 0xA01B00, 0x169001, 0x147802};

TEST(ShippedDefaults, MouseHasItsElevenFactoryButtonsSevenStagesAndSettings) {
  CMouseProfiledata mouse;
  LoadShipped(mouse, kMouseKindName);
  std::vector<KeyAssignmentPair> keys = mouse.ReadDefaultKeyList();
  ASSERT_EQ(keys.size(), 11u);
  EXPECT_EQ(mouse.ReadKeyList(), keys);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].Current.Value(), kMouseFactoryButtons[i]) << "button " << i;
    EXPECT_EQ(keys[i].Default.Value(), kMouseFactoryButtons[i]) << "button " << i;
  }

  std::vector<DPIStage> stages = mouse.ReadDPIStages();
  ASSERT_EQ(stages.size(), 7u);
  std::set<std::tuple<int, int, int>> colours;
  for (size_t i = 0; i < stages.size(); ++i) {
    EXPECT_EQ(stages[i].StageActive, 1) << i;
    // Stored values for the common sensor, whose shown number is 50 v + 50 up to slider 519.
    EXPECT_LE(stages[i].StageDPIX, 519) << i;
    if (i > 0) {
      EXPECT_GT(stages[i].StageDPIX, stages[i - 1].StageDPIX) << i;
    }
    colours.insert({stages[i].StageColorR, stages[i].StageColorG, stages[i].StageColorB});
  }
  EXPECT_EQ(colours.size(), 7u) << "every stage has its own indicator colour";
  EXPECT_LT(mouse.GetStageActive(), 7);

  MouseSystemBlock block = mouse.ReadSystemStages();
  EXPECT_LE(HighHalf(block[2]), 3) << "a polling-rate stage the page can show";
  EXPECT_GT(LowHalf(block[5]), 0) << "Bluetooth sleep";
  EXPECT_GT(LowHalf(block[6]), 0) << "device sleep";
  EXPECT_GT(HighHalf(block[6]), 0);
  EXPECT_GT(LowHalf(block[7]), 0) << "debounce";
  EXPECT_LE(mouse.ReadLightInfo().Light, 4);
  EXPECT_LE(mouse.ReadLightInfo().Speed, 4);
}

// The keyboard's page key table: rows not listed are (0x20, 0, usage).
uint32_t KeyboardFactoryKey(size_t row) {
  auto usage = [](uint32_t u) { return 0x200000u | u; };
  static const std::pair<size_t, std::vector<uint32_t>> kRuns[] = {
      {0, {usage(0x29)}},
      {16, {0xA01B00, 0xA02400, 0x200000, 0x200000, 0x200000, usage(0x35)}},
      {32, {usage(0x2D), usage(0x2E), usage(0x2A), usage(0x49), usage(0x4A), usage(0x4B), usage(0x53), usage(0x54),
            usage(0x55), usage(0x56)}},
      {42, {usage(0x2B), usage(0x14), usage(0x1A), usage(0x08), usage(0x15), usage(0x17), usage(0x1C), usage(0x18),
            usage(0x0C), usage(0x12), usage(0x13), usage(0x2F), usage(0x30), usage(0x31), usage(0x4C), usage(0x4D),
            usage(0x4E), usage(0x5F), usage(0x60), usage(0x61)}},
      {62, {usage(0x32), usage(0x39), usage(0x04), usage(0x16), usage(0x07), usage(0x09), usage(0x0A), usage(0x0B),
            usage(0x0D), usage(0x0E), usage(0x0F), usage(0x33), usage(0x34), usage(0x28), usage(0x5C), usage(0x5D),
            usage(0x5E), usage(0x8A), usage(0x8B), usage(0x90), usage(0x91), usage(0x88), 0x200200}},
      {85, {usage(0x1D), usage(0x1B), usage(0x06), usage(0x19), usage(0x05), usage(0x11), usage(0x10), usage(0x36),
            usage(0x37), usage(0x38), 0x202000, usage(0x52), usage(0x59), usage(0x5A), usage(0x5B), usage(0x87),
            usage(0x89), usage(0x64), usage(0x85), 0x200000, 0x200100, 0x200800, 0x200400, usage(0x2C), 0x204000,
            0xA00100, usage(0x65), 0x201000, usage(0x50), usage(0x51), usage(0x4F), usage(0x62), usage(0x63),
            usage(0x58), usage(0x57), 0xD0A201, 0xD0A202, 0xD0A203, 0xD0A204, 0xD0A205, 0x208000}},
  };
  if (row >= 1 && row <= 15) return usage(static_cast<uint32_t>(0x3A + row - 1));
  if (row >= 22 && row <= 31) return usage(static_cast<uint32_t>(0x1E + row - 22));
  for (const auto& [first, values] : kRuns) {
    if (row >= first && row < first + values.size()) return values[row - first];
  }
  return 0x200000;
}

TEST(ShippedDefaults, KeyboardHasItsHundredSeventyFactoryKeys) {
  CKeyboardProfiledata keyboard;
  LoadShipped(keyboard, kKeyboardKindName);
  std::vector<KeyAssignmentPair> keys = keyboard.ReadDefaultKeyList();
  ASSERT_EQ(keys.size(), 170u);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].Default.Value(), KeyboardFactoryKey(i)) << "key " << i;
    EXPECT_EQ(keys[i].Current, keys[i].Default) << "key " << i;
  }
  KeyboardSystemBlock block = keyboard.ReadKeyboardSystemStages();
  EXPECT_LE(HighHalf(block[0]), 3) << "repeat delay option";
  EXPECT_LE(HighHalf(block[1]), 3) << "polling-rate option";
  EXPECT_EQ(keyboard.ReadCustomLightColors(0, 170).size(), 170u);
}

// The twelve fixed equaliser presets, band 0 first.
const int kEqPresets[12][10] = {
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},     {7, 11, 6, -3, -11, -1, 6, 13, 6, 13}, {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},        {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13}, {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},   {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
};

TEST(ShippedDefaults, HeadsetHasTheTwelveEqualiserPresetsAndItsAudioSettings) {
  CRi6533Profiledata headset;
  LoadShipped(headset, kHeadsetKindName);
  for (int preset = 1; preset <= 12; ++preset) {
    std::vector<int> bands = headset.ReadEQValues(preset);
    ASSERT_EQ(bands.size(), 10u);
    for (int b = 0; b < 10; ++b) {
      EXPECT_EQ(bands[b], kEqPresets[preset - 1][b]) << "preset " << preset << " band " << b;
      EXPECT_GE(bands[b], -13);
      EXPECT_LE(bands[b], 18);
    }
  }
  HeadsetSystemBlock block = headset.ReadSystemSetStages();
  EXPECT_GE(block[kHeadsetEqType], 1);
  EXPECT_LE(block[kHeadsetEqType], 12);
  EXPECT_GE(block[kHeadsetMagicType], 1);
  EXPECT_LE(block[kHeadsetMagicType], 4);
  EXPECT_LE(block[kHeadsetMicInValue], 100);
  EXPECT_LE(block[kHeadsetMicMonitorValue], 100);
  EXPECT_TRUE(headset.ReadCustomEQNames().empty());
}

TEST(ShippedDefaults, EveryKindHasLightingWithinTheEditorsRanges) {
  for (std::string_view kind : {kMouseKindName, kKeyboardKindName, kMousePadKindName, kHeadsetKindName}) {
    CBasicProfiledata profile;
    LoadShipped(profile, kind);
    LightInfoRecord light = profile.ReadLightInfo();
    EXPECT_LE(light.Light, 4) << kind;
    EXPECT_LE(light.Speed, 4) << kind;
    EXPECT_EQ(profile.ReadAudioLightInfo().ColorTypeFlags, 1) << kind;
  }
}

TEST(ShippedDefaults, LanguageListStartsWithSimplifiedChineseThenEnglish) {
  std::vector<LanguageEntry> languages = ReadLanguageList(kShippedFolder);
  ASSERT_EQ(languages.size(), 2u);
  EXPECT_EQ(languages[0].file, "lan_cn.xml");
  EXPECT_EQ(languages[0].id, 2052);
  EXPECT_EQ(languages[0].text, "简体中文");
  EXPECT_EQ(languages[1].file, "lan_en.xml");
  EXPECT_EQ(languages[1].id, 1033);
  for (const LanguageEntry& language : languages) EXPECT_FALSE(language.name.empty());
}

}  // namespace
