#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "profiles/settings/colour_option_file.h"
#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

constexpr const char* kFactory = R"({"coloroptioninfo": {
  "palletDialogcoloroption": [{"color": "FFFF0000"}],
  "palletDialogcoloroption_selectitem": 4,
  "palletDialogcollectcoloroption": [{"color": "FFFFFFFF", "UserData": ""}, {"color": "FF123456", "UserData": "1"}],
  "palletDialogcollectcoloroption_selectitem": 0}})";

class ColourOptionFileTest : public ::testing::Test {
 protected:
  TempDataFolder temp_;
  std::string userPath_ = temp_.MakeFolder("T640") + "/color_option_info.config";
  std::string factoryPath_ = temp_.MakeFolder("program/DefaultData") + "/color_option_info.config";
  CColourOptionFile file_{userPath_, factoryPath_};
};

}  // namespace

TEST(ColourText, IsEightUpperCaseDigitsAndReadsBackOnlyFromHex) {
  EXPECT_EQ(ColourText(0xFF00d4ffu), "FF00D4FF");
  EXPECT_EQ(ColourText(0x0000000Au), "0000000A");
  EXPECT_EQ(ParseColourText("ff00d4ff"), 0xFF00D4FFu);
  EXPECT_EQ(ParseColourText("A"), 0xAu);
  for (const char* bad : {"", "FF00D4FF0", "FF00G4FF", "-1", "0x12", " FF"}) {
    EXPECT_EQ(ParseColourText(bad), std::nullopt) << '"' << bad << '"';
  }
}

// What the user copy holds decides whether the factory copy takes its place.
TEST_F(ColourOptionFileTest, AMissingEmptyOrDamagedUserCopyIsReplacedByTheFactoryCopyAndDamageIsKeptAside) {
  struct Case {
    const char* name;
    const char* userBytes;  // null: no user copy
    bool keptAside;
  };
  const Case cases[] = {
      {"missing", nullptr, false},
      {"empty", "  \n", false},
      {"cut short", R"({"coloroptioninfo": {"palletDia)", true},
      {"not an object", R"([1, 2])", true},
  };
  WriteFileBytes(factoryPath_, kFactory);
  for (const Case& test : cases) {
    std::remove(userPath_.c_str());
    std::remove((userPath_ + ".damaged").c_str());
    if (test.userBytes) WriteFileBytes(userPath_, test.userBytes);
    CColourOptionFile file(userPath_, factoryPath_);
    ASSERT_TRUE(file.Load()) << test.name;
    EXPECT_EQ(LoadJsonFile(userPath_), LoadJsonFile(factoryPath_)) << test.name << ": the factory copy is written";
    EXPECT_EQ(file.Collected(1)->colour, 0xFF123456u) << test.name;
    EXPECT_EQ(file.Notices().size(), test.keptAside ? 1u : 0u) << test.name;
    if (test.keptAside) {
      EXPECT_EQ(ReadFileBytes(userPath_ + ".damaged"), test.userBytes) << test.name;
    }
  }
}

TEST_F(ColourOptionFileTest, AReadableUserCopyIsUsedAsItIs) {
  WriteFileBytes(factoryPath_, kFactory);
  const std::string user = R"({"coloroptioninfo": {"palletDialogcollectcoloroption": [{"color": "ff00ff00", "UserData": "1"}]}})";
  WriteFileBytes(userPath_, user);
  ASSERT_TRUE(file_.Load());
  EXPECT_EQ(ReadFileBytes(userPath_), user) << "not rewritten on reading";
  ASSERT_TRUE(file_.Collected(0));
  EXPECT_EQ(file_.Collected(0)->colour, 0xFF00FF00u);
  EXPECT_TRUE(file_.Collected(0)->Filled());
  EXPECT_FALSE(file_.Collected(1)) << "no entry";
  EXPECT_FALSE(file_.HasCollectedSelection());
}

TEST_F(ColourOptionFileTest, EntriesWithoutAReadableColourAreSkipped) {
  WriteFileBytes(userPath_, R"({"coloroptioninfo": {"palletDialogcollectcoloroption": [
      {"UserData": "1"}, {"color": "blue", "UserData": "1"}, {"color": 7}, "FF00FF00", {"color": "FF0000FF"}]}})");
  ASSERT_TRUE(file_.Load());
  for (int slot : {0, 1, 2, 3, -1, 20}) EXPECT_FALSE(file_.Collected(slot)) << slot;
  ASSERT_TRUE(file_.Collected(4));
  EXPECT_FALSE(file_.Collected(4)->Filled()) << "no user data: an empty slot";
}

TEST_F(ColourOptionFileTest, WithoutAnyCopyTheFirstSaveMakesTheUserCopyWithAllTwentySlots) {
  EXPECT_FALSE(file_.Load());
  std::array<std::optional<CollectedColour>, kColourOptionSlots> slots{};
  slots[3] = CollectedColour{0xFF00D4FF, "1"};
  ASSERT_TRUE(file_.SaveCollected(slots, 3));
  std::array<std::optional<uint32_t>, kColourOptionSlots> presets{};
  presets[0] = 0xFFFF0000;
  ASSERT_TRUE(file_.SavePresets(presets, 0));

  const Json::Value saved = LoadJsonFile(userPath_)["coloroptioninfo"];
  ASSERT_EQ(saved["palletDialogcollectcoloroption"].size(), 20u);
  EXPECT_EQ(saved["palletDialogcollectcoloroption"][3]["color"].asString(), "FF00D4FF");
  EXPECT_EQ(saved["palletDialogcollectcoloroption"][3]["UserData"].asString(), "1");
  EXPECT_EQ(saved["palletDialogcollectcoloroption_selectitem"].asInt(), 3);
  EXPECT_EQ(saved["palletDialogcoloroption"][0]["color"].asString(), "FFFF0000");
  EXPECT_EQ(saved["palletDialogcoloroption_selectitem"].asInt(), 0);

  CColourOptionFile reread(userPath_, factoryPath_);
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Collected(3)->colour, 0xFF00D4FFu);
  EXPECT_TRUE(reread.HasCollectedSelection());
}

TEST_F(ColourOptionFileTest, SavingMendsAHandEditedShapeAndKeepsOtherKeys) {
  WriteFileBytes(userPath_, R"({"coloroptioninfo": {"palletDialogcollectcoloroption": "none",
      "palletDialogcoloroption": [3, {"color": "FF111111", "note": "mine"}]}, "other": true})");
  ASSERT_TRUE(file_.Load());
  std::array<std::optional<CollectedColour>, kColourOptionSlots> slots{};
  slots[0] = CollectedColour{0xFF222222, ""};
  ASSERT_TRUE(file_.SaveCollected(slots, -1));
  ASSERT_TRUE(file_.SavePresets({}, 2));
  const Json::Value saved = LoadJsonFile(userPath_);
  EXPECT_TRUE(saved["other"].asBool());
  EXPECT_EQ(saved["coloroptioninfo"]["palletDialogcollectcoloroption"][0]["color"].asString(), "FF222222");
  EXPECT_EQ(saved["coloroptioninfo"]["palletDialogcoloroption"][1]["note"].asString(), "mine")
      << "a preset left out keeps its entry";
}

TEST(ShippedColourOptions, HoldTwentyPresetsAndTwentyEmptyCollectedSlots) {
  const Json::Value info =
      LoadJsonFile(std::string(T640_SOURCE_DIR) + "/DefaultData/color_option_info.config")["coloroptioninfo"];
  ASSERT_EQ(info["palletDialogcoloroption"].size(), 20u);
  ASSERT_EQ(info["palletDialogcollectcoloroption"].size(), 20u);
  for (Json::ArrayIndex i = 0; i < 20; ++i) {
    EXPECT_TRUE(ParseColourText(info["palletDialogcoloroption"][i]["color"].asString())) << i;
    EXPECT_NE(info["palletDialogcollectcoloroption"][i]["UserData"].asString(), "1") << i;
  }
}
