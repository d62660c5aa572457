// Sensitivity stage edits: each one writes the whole settings page at once and saves the profile.
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "profiles/storage/json_file.h"
#include "transport/command_numbers.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"

namespace {

constexpr size_t kStageRecordOffset = 14;
constexpr size_t kStageRecordSize = 9;

CSliderUI* Slider(MouseRig& rig, int stage) {
  return static_cast<CSliderUI*>(rig.Control("DPI_slider_" + std::to_string(stage))->GetInterface("Slider"));
}

COptionUI* EnableCheck(MouseRig& rig, int stage) {
  return static_cast<COptionUI*>(rig.Control("DPI_enable_check_" + std::to_string(stage))->GetInterface("Option"));
}

// The stage record as the mouse stores it in its active settings page.
std::vector<uint8_t> StoredStage(MouseRig& rig, int stage) {
  const uint8_t active = rig.Sim().Mouse()->ReadBlock(SimBlock::Settings, 0, 1).at(0);
  return rig.Sim().Mouse()->ReadBlock(SimBlock::Settings, 128u * active + kStageRecordOffset + kStageRecordSize * stage,
                                      kStageRecordSize);
}

Json::Value SavedStage(MouseRig& rig, int stage) {
  const Json::Value document = LoadJsonFile(rig.Device().ProfileData().GetProfilePath());
  return document["Device"][0]["DPIStages"]["StageDPIs"][stage];
}

size_t CountOf(const std::vector<uint8_t>& commands, uint8_t command) {
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

}  // namespace

TEST(MouseStageEdit, ASliderMoveWritesTheWholePageOnceAndSavesTheProfile) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  rig.Sim().Mouse()->Frames().Clear();

  Slider(rig, 2)->SetValue(99);
  rig.Device().OnStageSliderMoved(2, true);

  // 87 bytes in 56-byte chunks: one page write is two frames.
  EXPECT_EQ(CountOf(CommandsSeen(*rig.Sim().Mouse()), kCmdWriteSettings), 2u);
  const std::vector<uint8_t> record = StoredStage(rig, 2);
  EXPECT_EQ(record[2] | (record[3] << 8), 99);
  EXPECT_EQ(SavedStage(rig, 2)["StageDPIX"].asInt(), 99);
  EXPECT_EQ(rig.Control("DPI_edit_2")->GetText().str(), "5000");
}

TEST(MouseStageEdit, DraggingShowsTheNumberWithoutWriting) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  rig.Sim().Mouse()->Frames().Clear();
  Slider(rig, 0)->SetValue(19);
  rig.Device().OnStageSliderMoved(0, false);
  EXPECT_EQ(rig.Control("DPI_edit_0")->GetText().str(), "1000");
  EXPECT_EQ(CountOf(CommandsSeen(*rig.Sim().Mouse()), kCmdWriteSettings), 0u);
}

TEST(MouseStageEdit, SensorsWithOneByteStagesStoreTheValueTwice) {
  MouseRig rig("mouse:sensor=35109");
  rig.AttachAndRead();
  Slider(rig, 0)->SetValue(120);
  rig.Device().OnStageSliderMoved(0, true);
  const std::vector<uint8_t> record = StoredStage(rig, 0);
  EXPECT_EQ(record[2], 120);
  EXPECT_EQ(record[3], 120);
  EXPECT_EQ(rig.Control("DPI_edit_0")->GetText().str(), "7100");
}

TEST(MouseStageEdit, ATypedNumberIsConvertedBackToAStoredValue) {
  struct Case {
    const char* list;
    const char* typed;
    int stored;
    const char* shown;
  };
  const Case cases[] = {
      {"mouse:sensor=35109", "5100", 100, "5100"},
      {"mouse:sensor=13205", "", 0, "50"},  // an empty edit counts as 0, clamped to the lowest number
      {"mouse:sensor=12548", "3000", 54, "3000"},
  };
  for (const Case& test : cases) {
    MouseRig rig(test.list);
    rig.AttachAndRead();
    rig.Control("DPI_edit_1")->SetText(test.typed);
    rig.Device().OnStageEditTyped(1);
    EXPECT_EQ(Slider(rig, 1)->GetValue(), test.stored) << test.list;
    EXPECT_EQ(rig.Control("DPI_edit_1")->GetText().str(), test.shown) << test.list;
  }
}

TEST(MouseStageEdit, TheLastEnabledStageCannotBeDisabled) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  const int current = rig.Device().GetCurrentStage();
  EXPECT_FALSE(EnableCheck(rig, current)->IsEnabled()) << "the current stage stays enabled";
  for (int stage = 0; stage < 7; ++stage) {
    if (stage != current) rig.Device().SetStageEnabled(stage, false);
  }
  EXPECT_FALSE(EnableCheck(rig, current)->IsEnabled());
  EXPECT_FALSE(rig.Control("DPI_layout_" + std::to_string((current + 1) % 7))->IsEnabled());

  // A stage that is off must be switched on before it can be chosen.
  EXPECT_FALSE(rig.Device().SetCurrentStage((current + 1) % 7));
  rig.Device().SetStageEnabled((current + 1) % 7, true);
  EXPECT_TRUE(rig.Device().SetCurrentStage((current + 1) % 7));
  EXPECT_TRUE(EnableCheck(rig, current)->IsEnabled()) << "two stages on: either may be switched off again";
  EXPECT_EQ(StoredStage(rig, (current + 1) % 7)[0], 1);
}

TEST(MouseStageEdit, KeepAliveFollowsTheShorterDeviceSleepTime) {
  MouseRig rig("mouse-receiver");
  rig.AttachAndRead();  // the virtual mouse sleeps after 5 and 3 minutes
  EXPECT_EQ(rig.Device().KeepAliveMinutes(), 3);
  rig.FireTimer(kTimerKeepAlive);
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerKeepAlive), 170000u);
}
