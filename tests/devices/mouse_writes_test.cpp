// What the mouse sends when assignments, macros, recoil tables or its initialisation are written,
// and that nothing goes out without the link.
#include <gtest/gtest.h>

#include <vector>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "profiles/macros/macro_store.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"

namespace {

bool Sent(CVirtualDevice& device, uint8_t command) {
  const std::vector<uint8_t> commands = CommandsSeen(device);
  return std::find(commands.begin(), commands.end(), command) != commands.end();
}

// One saved macro of two events in the device's macro store.
void StoreOneMacro(MouseRig& rig) {
  CMacroStore store(rig.Device().GetDeviceFolder());
  ASSERT_TRUE(store.AddMacro().done);
  ASSERT_TRUE(store.SaveMacroEvents(0, {{1, 4, true, 30}, {1, 4, false, 30}}).done);
}

}  // namespace

TEST(MouseWrites, KeyAssignmentsLandOnTheButtonsRecordsWithMacrosRenumbered) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  StoreOneMacro(rig);
  std::vector<KeyAssignmentPair> keys = rig.Device().GetKeyList();
  ASSERT_GE(keys.size(), 11u);
  keys[1].Current = KeyAssignment::FromValue(1, 0x700000);  // right button plays macro 0
  keys[4].Current = KeyAssignment::FromValue(4, 0x700700);  // back button: macro 7 does not exist

  EXPECT_EQ(rig.Device().WriteKeyAssignments(0, keys), 1);
  const std::vector<uint8_t> image = rig.Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 3, image.begin() + 6), (std::vector<uint8_t>{0x70, 0x00, 0x00}));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 12, image.begin() + 15), (std::vector<uint8_t>{0x10, 0x08, 0x00}))
      << "an unknown macro falls back to the key's default";

  EXPECT_EQ(rig.Device().GetMacroList(), std::vector<int>{});  // the profile's list holds no macro key
  EXPECT_EQ(rig.Device().WriteMacros({0}), 0);
  EXPECT_TRUE(Sent(*rig.Sim().Mouse(), kCmdWriteMacroData));
  EXPECT_NE(rig.Sim().Mouse()->ReadBlock(SimBlock::MacroData, 0, 8), std::vector<uint8_t>(8, 0));
}

TEST(MouseWrites, RecoilTablesGoOutInOneConfigurationSession) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  const std::vector<uint8_t> tables = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(rig.Device().WriteRecoilData(tables), 1);
  EXPECT_EQ(rig.Sim().Mouse()->ReadBlock(SimBlock::RecoilData, 0, tables.size()), tables);
}

TEST(MouseWrites, MarkingARejectedMouseInitialisedReadsItAgain) {
  MouseRig rig("mouse");
  const std::vector<uint8_t> foreignMarker = {0x33};
  rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 7, foreignMarker);
  rig.AttachAndRead();
  rig.Device().MarkInitialised();
  EXPECT_EQ(rig.Sim().Mouse()->ReadBlock(SimBlock::DeviceInfo, 7, 1), std::vector<uint8_t>{0x15});
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerReadAll), kReadAllDelayMs);
  rig.FireTimer(kTimerReadAll);
  EXPECT_EQ(rig.Messages().back(), (OwnerMessage{WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0}));
}

TEST(MouseWrites, WithoutTheLinkNothingIsSent) {
  MouseRig rig("mouse-receiver");
  rig.AttachAndRead();
  rig.Sim().Receiver()->SetLinked(false);
  rig.Sim().Mouse()->Frames().Clear();
  // Each write keeps the code of what stopped it.
  EXPECT_EQ(rig.Device().ApplySettings(), kResultNotLinked);
  EXPECT_EQ(rig.Device().WriteKeyAssignments(0, rig.Device().GetKeyList()), kResultNotLinked);
  EXPECT_EQ(rig.Device().WriteRecoilData({1, 2}), kResultNotLinked);
  EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdWriteSettings));
  EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdWriteConfigImage));
  EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdWriteShootData));
}

TEST(MouseWrites, ApplyingAProfileShowsItsStages) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  std::vector<DPIStage> stages = rig.Device().GetStages();
  stages[0].StageDPIX = 63;
  rig.Device().SetStages(stages);
  rig.Device().SaveProfile();
  rig.Control("DPI_edit_0")->SetText("");
  rig.Device().ApplyProfile();
  EXPECT_EQ(rig.Control("DPI_edit_0")->GetText().str(), "3200");
}
