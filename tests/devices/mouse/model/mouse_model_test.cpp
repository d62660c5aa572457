// The mouse's profile state: what it takes from a profile document, what it gives back, and the
// stage and setting edits the page makes.
#include "devices/mouse/model/mouse_model.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "devices/mouse/mouse_system_words.h"
#include "devices/mouse/sensitivity_rule.h"
#include "profiles/storage/json_file.h"
#include "support/temp_data_folder.h"

namespace {

// Nine stages (two more than the mouse has), stage 2 current, sleep times 5 and 3 minutes, a
// lighting record with a key this program does not write ("Extra") and two keys.
constexpr const char* kProfile = R"({"profilename": "P", "profileUUID": "u", "Device": [{
  "DPIStages": {"StageActive": 2, "StageDPIs": [
    {"StageActive": 1, "StageDPIX": 7}, {"StageActive": 1, "StageDPIX": 15}, {"StageActive": 1, "StageDPIX": 31},
    {"StageActive": 0, "StageDPIX": 47}, {"StageActive": 0, "StageDPIX": 63}, {"StageActive": 0, "StageDPIX": 127},
    {"StageActive": 0, "StageDPIX": 239}, {"StageActive": 1, "StageDPIX": 1}, {"StageActive": 1, "StageDPIX": 2}]},
  "SystemStages": {"MouseSpeed": 10, "Logoledmode": 1},
  "ReportStages": {"StageActive": 3, "device_sleep1": 5, "device_sleep2": 3, "key_debounce_time": 4},
  "LightInfo": {"SelectItem": 2, "Light": 4, "Red": 255, "Extra": 1},
  "KeyList": [{"Assignment": 1048832, "DefaultAssignment": 1048832}, {"Assignment": 1049088, "DefaultAssignment": 1049088}]
}]})";

class MouseModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(path_) << kProfile;
    profile_.SetProfilePath(path_);
    profile_.LoadProfile(path_);
    model_.LoadFrom(profile_);
  }
  Json::Value Saved() {
    model_.StoreChanges(profile_);
    EXPECT_TRUE(profile_.SaveProfile());
    return LoadJsonFile(path_)["Device"][0];
  }

  TempDataFolder temp_;
  std::string path_ = temp_.MakeFolder("T640/mouse") + "/profile.Json";
  CMouseProfiledata profile_;
  CMouseModel model_;
};

}  // namespace

TEST_F(MouseModelTest, TakesEveryRecordFromTheProfileAndAtMostSevenStages) {
  ASSERT_EQ(model_.Stages().size(), kMaxStages);
  EXPECT_EQ(model_.Stages()[6].StageDPIX, 239);
  EXPECT_EQ(model_.CurrentStage(), 2);
  EXPECT_EQ(HighHalf(model_.System()[kSystemWordClickAndSpeed]), 10);
  EXPECT_EQ(HighHalf(model_.System()[kSystemWordWheelAndPolling]), 3);
  EXPECT_EQ(model_.KeepAliveMinutes(), 3) << "the shorter of the two device sleep times";
  EXPECT_EQ(model_.Light().SelectItem, 2);
  ASSERT_EQ(model_.Keys().size(), 2u);
  EXPECT_EQ(model_.Keys()[1].Current.Value(), 0x100200u);
  EXPECT_EQ(model_.EnabledStageCount(), 3);
}

TEST_F(MouseModelTest, OnlyChangedRecordsAreWrittenBack) {
  model_.SetStageValue(1, kSensor3395, 99);
  const Json::Value device = Saved();
  EXPECT_EQ(device["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 99);
  EXPECT_EQ(device["LightInfo"]["Extra"].asInt(), 1) << "the lighting record was not touched";
  EXPECT_EQ(device["KeyList"][0].isMember("DefaultAssignment"), true);

  model_.SetSystemHalf(kSystemWordDeviceSleep, true, 1);
  model_.SetCurrentStage(0);
  model_.SetLight(LightInfoRecord{});
  const Json::Value changed = Saved();
  EXPECT_EQ(changed["ReportStages"]["device_sleep2"].asInt(), 1);
  EXPECT_EQ(changed["DPIStages"]["StageActive"].asInt(), 0);
  EXPECT_FALSE(changed["LightInfo"].isMember("Extra")) << "a written record is the program's own";
  EXPECT_EQ(model_.KeepAliveMinutes(), 1);
}

TEST_F(MouseModelTest, StageEditsReachOnlyTheSevenStagesAndGrowTheListToTheStage) {
  model_.SetStages({{1, 0, 7, 7, 0, 0, 0}});
  EXPECT_TRUE(model_.SetStageValue(4, kSensor8925, 120));
  ASSERT_EQ(model_.Stages().size(), 5u);
  EXPECT_EQ(model_.Stages()[4].StageDPIX, 120 | (120 << 8)) << "a one-byte sensor repeats the byte";
  EXPECT_TRUE(model_.SetStageEnabled(4, true));
  EXPECT_TRUE(model_.SetStageColour(4, 1, 2, 3));
  EXPECT_EQ(model_.Stages()[4].StageColorB, 3);
  // The one-stage list left stage 2 behind: the current stage moved to the stage that is on.
  const int current = model_.CurrentStage();
  EXPECT_EQ(current, 0);
  for (int outside : {-1, 7}) {
    EXPECT_FALSE(model_.SetStageValue(outside, kSensor3395, 1));
    EXPECT_FALSE(model_.SetStageEnabled(outside, true));
    EXPECT_FALSE(model_.SetCurrentStage(outside));
  }
  EXPECT_EQ(model_.Stages().size(), 5u);
  EXPECT_EQ(model_.CurrentStage(), current);
}

TEST_F(MouseModelTest, ThePageSentIsTheModelAndThePageReadReplacesAllButTheStages) {
  const SettingsPageBytes sent = model_.EncodeSettingsPage(0);
  EXPECT_EQ(sent, EncodeSettingsPage(0, model_.Stages(), 2, model_.System(), model_.Light()));

  SettingsPageBytes read = sent;
  read[12] = 1;                                  // the mouse's current stage
  read[81] = 8;                                  // its debounce time
  const std::vector<DPIStage> stages = model_.Stages();
  const std::vector<uint8_t> identityCodes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  const DecodedSettingsPage decoded = model_.TakeSettingsPage(read, 1, identityCodes);
  EXPECT_EQ(decoded.activeProfile, 1);
  EXPECT_EQ(model_.CurrentStage(), 1);
  EXPECT_EQ(LowHalf(model_.System()[kSystemWordDebounceAndLogo]), 8);
  EXPECT_EQ(model_.Stages(), stages) << "the profile stays the master of the stages";
  EXPECT_EQ(Saved()["ReportStages"]["key_debounce_time"].asInt(), 8);
}

// The profile has stages 0 to 2 on and 3 to 6 off, stage 2 current: whatever asks, the mouse is
// never sent to a stage that is off.
TEST_F(MouseModelTest, TheCurrentStageIsAlwaysAStageThatIsOn) {
  struct Case {
    const char* what;
    std::function<bool(CMouseModel&)> change;
    bool taken;
    int current;
  };
  const std::vector<DPIStage> secondOnly = {{0, 0, 7, 7, 0, 0, 0}, {1, 0, 15, 15, 0, 0, 0}, {0, 0, 31, 31, 0, 0, 0}};
  const Case cases[] = {
      {"choosing a stage that is on", [](CMouseModel& m) { return m.SetCurrentStage(1); }, true, 1},
      {"choosing a stage that is off", [](CMouseModel& m) { return m.SetCurrentStage(4); }, false, 2},
      {"switching the current stage off", [](CMouseModel& m) { return m.SetStageEnabled(2, false); }, false, 2},
      {"switching another stage off", [](CMouseModel& m) { return m.SetStageEnabled(1, false); }, true, 2},
      {"a list that switches the current stage off",
       [&](CMouseModel& m) {
         m.SetStages(secondOnly);
         return true;
       },
       true, 1},
      {"a page read naming a stage that is off",
       [](CMouseModel& m) {
         SettingsPageBytes read = m.EncodeSettingsPage(0);
         read[12] = 5;
         m.TakeSettingsPage(read, 0, std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
         return true;
       },
       true, 2},
  };
  for (const Case& test : cases) {
    model_.LoadFrom(profile_);
    EXPECT_EQ(test.change(model_), test.taken) << test.what;
    EXPECT_EQ(model_.CurrentStage(), test.current) << test.what;
    EXPECT_TRUE(model_.IsStageEnabled(model_.CurrentStage())) << test.what;
    EXPECT_EQ(model_.EncodeSettingsPage(0)[12], test.current) << test.what << ": what the mouse is sent";
  }
}

TEST_F(MouseModelTest, ADocumentNamingAStageThatIsOffStartsOnTheFirstStageThatIsOn) {
  profile_.SetStageActive(5);
  model_.LoadFrom(profile_);
  EXPECT_EQ(model_.CurrentStage(), 0);
  EXPECT_EQ(Saved()["DPIStages"]["StageActive"].asInt(), 0) << "the document is put right at its next save";
}
