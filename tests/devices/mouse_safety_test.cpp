// What the mouse must never be sent or take for its own: a read while the updater owns it, an
// information block it did not give, keys for macros that never arrived.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "profiles/macros/macro_store.h"
#include "profiles/macros/sent_macro_record.h"
#include "profiles/profile_session/profile_session.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Sent(CVirtualDevice& device, uint8_t command) {
  const std::vector<uint8_t> commands = CommandsSeen(device);
  return std::find(commands.begin(), commands.end(), command) != commands.end();
}

std::vector<uint8_t> InfoBlock(MouseRig& rig) { return rig.Sim().Mouse()->Block(SimBlock::DeviceInfo); }

}  // namespace

TEST(MouseSafety, WhileTheUpdaterOwnsTheMouseNothingIsSentAndNothingReadIsKept) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  const std::string profile = rig.Device().ProfileData().GetProfilePath();
  const std::string before = FileBytes(profile);
  rig.Device().Channel().SetUpdateInProgress(1);
  rig.Sim().Mouse()->Frames().Clear();

  rig.FireTimer(kTimerReadAll);
  rig.FireTimer(kTimerSyncFromDevice);
  EXPECT_NE(rig.Device().ApplySettings(), kResultSuccess);
  EXPECT_TRUE(CommandsSeen(*rig.Sim().Mouse()).empty());
  EXPECT_EQ(FileBytes(profile), before) << "an empty settings page was taken for the mouse's";

  rig.Device().DetachCommandInterface();
  EXPECT_FALSE(rig.Device().Channel().UpdateInProgress()) << "the device leaving ends the update";
}

TEST(MouseSafety, ReconnectWritesTheMousesOwnBlockWithOnlyItsMarkerChanged) {
  MouseRig rig("mouse");
  rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 7, std::vector<uint8_t>{0x33});
  rig.AttachAndRead();
  ASSERT_EQ(rig.Messages().back(), (OwnerMessage{WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0}));
  // The mouse's block changes after the refused read: what is written must be what it holds now.
  rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 16, std::vector<uint8_t>(18, 0x5C));
  std::vector<uint8_t> expected = InfoBlock(rig);
  expected[7] = kDeviceInitialisedMarker;

  rig.Device().MarkInitialised();
  EXPECT_EQ(InfoBlock(rig), expected);
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerReadAll), kReadAllDelayMs);
}

TEST(MouseSafety, ReconnectWritesNothingToABlockWithoutSignatureOrThroughTheReceiver) {
  struct Case {
    const char* list;
    bool dropSignature;
  };
  for (const Case& test : {Case{"mouse", true}, Case{"mouse-receiver", false}}) {
    MouseRig rig(test.list);
    rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 7, std::vector<uint8_t>{0x33});
    if (test.dropSignature) rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 0, std::vector<uint8_t>{0, 0});
    rig.AttachAndRead();
    const std::vector<uint8_t> before = InfoBlock(rig);
    rig.Sim().Mouse()->Frames().Clear();
    rig.Device().MarkInitialised();
    EXPECT_EQ(InfoBlock(rig), before) << test.list;
    EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdWriteDeviceInfo)) << test.list;
  }
}

TEST(MouseSafety, ABlockWithTheMarkerButNoSignatureIsRefused) {
  MouseRig rig("mouse");
  rig.Sim().Mouse()->WriteBlock(SimBlock::DeviceInfo, 0, std::vector<uint8_t>{0x12, 0x34});
  rig.AttachAndRead();
  EXPECT_EQ(rig.Messages().back(), (OwnerMessage{WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0}));
  EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdReadConfigImage));
}

TEST(MouseSafety, AFailedMacroUploadKeepsItsCodeAndNoKeyIsWrittenAfterIt) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  const std::string folder = rig.Device().GetDeviceFolder();
  CMacroStore store(folder);
  ASSERT_TRUE(store.AddMacro().done);
  const std::vector<MacroEvent> events = {{1, 4, true, 30}, {1, 4, false, 30}};
  ASSERT_TRUE(store.SaveMacroEvents(0, events).done);
  std::vector<KeyAssignmentPair> keys = rig.Device().GetKeyList();
  keys[1].Current = KeyAssignment::FromValue(1, 0x700000);  // the right button plays macro 0
  rig.Device().Model().SetKeys(keys);
  rig.Device().SaveProfile();

  // A switch that went through leaves the record of what the macro memory holds.
  ASSERT_EQ(rig.Device().LoadSelectedProfile(), 0);
  EXPECT_EQ(ReadSentMacroRecord(folder), (std::vector<NamedMacro>{{store.Names()[0], events}}));

  rig.Sim().Mouse()->Faults().FailStatusForCommand(kCmdWriteMacroData, 0xFF);
  rig.Sim().Mouse()->Frames().Clear();
  EXPECT_EQ(rig.Device().LoadSelectedProfile(), kResultDeviceError);
  EXPECT_FALSE(Sent(*rig.Sim().Mouse(), kCmdWriteConfigImage)) << "the keys would play a macro that is not there";
  EXPECT_FALSE(ReadSentMacroRecord(folder)) << "the macro memory's content is unknown after a failed upload";

  // An upload nobody answers is no success either.
  rig.Sim().Mouse()->Faults().Clear();
  rig.Sim().Mouse()->Faults().DropAllReplies();
  EXPECT_LT(rig.Device().WriteMacros({0}), 0);
}

TEST(MouseSafety, ButtonsKeepTheirRecordsThroughReassignmentsAndReReads) {
  MouseRig rig("mouse");
  rig.AttachAndRead();
  const ButtonRecordMap factoryPlaces = rig.Device().GetButtonRecordMap();
  const std::vector<uint8_t> factoryImage = rig.Device().GetConfigImage();
  CMacroStore store(rig.Device().GetDeviceFolder());
  ASSERT_TRUE(store.AddMacro().done);
  ASSERT_TRUE(store.SaveMacroEvents(0, {{1, 4, true, 30}, {1, 4, false, 30}}).done);

  // Left and right swapped, the back button playing macro 0.
  std::vector<KeyAssignmentPair> keys = rig.Device().GetKeyList();
  keys[0].Current = KeyAssignment::FromValue(0, 0x100200);
  keys[1].Current = KeyAssignment::FromValue(1, 0x100100);
  keys[4].Current = KeyAssignment::FromValue(4, 0x700000);
  ASSERT_EQ(rig.Device().WriteKeyAssignments(0, keys), kResultSuccess);
  const std::vector<uint8_t> image = rig.Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 6), (std::vector<uint8_t>{0x10, 0x02, 0, 0x10, 0x01, 0}));

  rig.FireTimer(kTimerReadAll);
  EXPECT_EQ(rig.Device().GetButtonRecordMap(), factoryPlaces) << "the swap is not read back the wrong way round";

  // Every button can still be given back its own function.
  for (KeyAssignmentPair& key : keys) key.Current = key.Default;
  ASSERT_EQ(rig.Device().WriteKeyAssignments(0, keys), kResultSuccess);
  const std::vector<uint8_t> restored = rig.Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(restored.begin(), restored.begin() + factoryImage.size()), factoryImage);
}
