// Attaching, switching between cable and receiver, detaching, and the editor page switch.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/device_attachment.h"
#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "transport/command_numbers.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

constexpr size_t kCableCommandRow = 4;
constexpr size_t kReceiverCommandRow = 6;

// The scan loop's slot list with the virtual mouse's interfaces claimed as they are plugged.
void ClaimSlots(CDeviceSlotList& slots, MouseRig& rig, bool cable, bool receiver) {
  if (cable) slots.Claim(kCableCommandRow, rig.CableSlot().DevicePath);
  if (receiver) slots.Claim(kReceiverCommandRow, rig.ReceiverSlot().DevicePath);
}

size_t LinkTests(MouseRig& rig) {
  const std::vector<uint8_t> commands = CommandsSeen(*rig.Sim().Receiver());
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), kCmdDeviceIsLink));
}

int SelectedPage(MouseRig& rig, const char* tab) {
  return static_cast<CTabLayoutUI*>(rig.Control(tab)->GetInterface("TabLayout"))->GetCurSel();
}

}  // namespace

TEST(Connection, ACableArrivingWhileOnTheReceiverTakesOverAtOnce) {
  MouseRig rig("mouse,mouse-receiver");
  CDeviceSlotList slots;
  ClaimSlots(slots, rig, false, true);
  HandleCommandArrival(rig.Device(), slots, kReceiverCommandRow);
  ASSERT_TRUE(rig.Device().Channel().ReceiverMode());
  EXPECT_FALSE(rig.Tile().shown) << "a receiver alone shows its tile once the link is known";

  slots.Claim(kCableCommandRow, rig.CableSlot().DevicePath);
  rig.Tile().ClearHistory();
  HandleCommandArrival(rig.Device(), slots, kCableCommandRow);

  CUsbCommandChannel& channel = rig.Device().Channel();
  EXPECT_TRUE(channel.IsOpen());
  EXPECT_FALSE(channel.ReceiverMode());
  EXPECT_EQ(channel.ChunkSize(), kDirectChunkSize);
  EXPECT_EQ(channel.DirectPort().GetDevicePath(), rig.CableSlot().DevicePath);
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerReadAll), kReadAllDelayMs);
  EXPECT_EQ(rig.Messages(), (std::vector<OwnerMessage>{{WM_DEVICE_LINK_STATE, 0, 1}}));
  EXPECT_EQ(rig.Device().GetDeviceEntry().DeviceKind, kDeviceKindMouse) << "known by its cable row";
}

TEST(Connection, PullingTheCableFallsBackToTheReceiverAfterALinkTest) {
  struct Case {
    const char* list;
    size_t linkTests;
  };
  for (const Case& test : {Case{"mouse,mouse-receiver", 1}, Case{"mouse,mouse-receiver:unlinked", 26}}) {
    MouseRig rig(test.list);
    CDeviceSlotList slots;
    ClaimSlots(slots, rig, true, true);
    HandleCommandArrival(rig.Device(), slots, kCableCommandRow);
    HandleCommandArrival(rig.Device(), slots, kReceiverCommandRow);
    ASSERT_FALSE(rig.Device().Channel().ReceiverMode()) << "the cable wins while both are there";

    const DeviceEntry removed = slots.Slot(kCableCommandRow);
    rig.Sim().Mouse()->Unplug();
    slots.Free(kCableCommandRow);
    rig.Sim().Receiver()->Frames().Clear();
    HandleCommandRemoval(rig.Device(), slots, removed, kCableCommandRow);

    EXPECT_TRUE(rig.Device().Channel().IsOpen()) << test.list;
    EXPECT_TRUE(rig.Device().Channel().ReceiverMode()) << test.list;
    EXPECT_EQ(rig.Device().Channel().ChunkSize(), kReceiverChunkSize);
    // The link tests of the switch, then the one of the status read that follows a working link.
    EXPECT_EQ(LinkTests(rig), test.linkTests + 1) << test.list;
    EXPECT_EQ(rig.Tile().PeriodOf(kTimerKeepAlive), kKeepAliveFirstMs);
    EXPECT_EQ(rig.Tile().PeriodOf(kTimerLinkWatch), kLinkWatchFirstMs);
  }
}

TEST(Connection, PullingTheReceiverWhileOnTheCableChangesNothing) {
  MouseRig rig("mouse,mouse-receiver");
  CDeviceSlotList slots;
  ClaimSlots(slots, rig, true, true);
  HandleCommandArrival(rig.Device(), slots, kCableCommandRow);
  const DeviceEntry removed = slots.Slot(kReceiverCommandRow);
  slots.Free(kReceiverCommandRow);
  HandleCommandRemoval(rig.Device(), slots, removed, kReceiverCommandRow);
  EXPECT_TRUE(rig.Device().Channel().IsOpen());
  EXPECT_FALSE(rig.Device().Channel().ReceiverMode());
  EXPECT_EQ(rig.Tile().disconnectedShown, 0);
}

TEST(Connection, ASecondArrivalDoesNotReopenAndARemovalClosesEverything) {
  MouseRig rig("mouse");
  CDeviceSlotList slots;
  ClaimSlots(slots, rig, true, false);
  HandleCommandArrival(rig.Device(), slots, kCableCommandRow);
  rig.AttachAndRead();
  rig.Sim().Mouse()->Frames().Clear();
  HandleCommandArrival(rig.Device(), slots, kCableCommandRow);
  EXPECT_TRUE(rig.Device().Channel().IsOpen());
  EXPECT_TRUE(CommandsSeen(*rig.Sim().Mouse()).empty());

  const DeviceEntry removed = slots.Slot(kCableCommandRow);
  slots.Free(kCableCommandRow);
  HandleCommandRemoval(rig.Device(), slots, removed, kCableCommandRow);
  EXPECT_FALSE(rig.Device().Channel().IsOpen());
  EXPECT_FALSE(rig.Device().Channel().DirectPort().IsOpen());
  EXPECT_EQ(rig.Tile().disconnectedShown, 1);
  rig.FireTimer(kTimerPushLightPreview);
  EXPECT_FALSE(rig.Tile().IsArmed(kTimerPushLightPreview)) << "the preview stops with the channel";
}

TEST(Connection, TheLinkWatchReportsLinkChanges) {
  MouseRig rig("mouse-receiver");
  rig.AttachAndRead();
  rig.Tile().shown = false;
  rig.FireTimer(kTimerLinkWatch);
  rig.Sim().Receiver()->SetLinked(false);
  rig.Tile().shown = true;
  rig.FireTimer(kTimerLinkWatch);
  const std::vector<OwnerMessage> expected = {{WM_DEVICE_LINK_STATE, 0, 1},
                                              {WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0},  // the read
                                              {WM_DEVICE_LINK_STATE, 0, 1},              // linked, tile hidden
                                              {WM_DEVICE_LINK_STATE, 0, 0}};             // lost, tile shown
  EXPECT_EQ(rig.Messages(), expected);
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerLinkWatch), kLinkWatchMs);
}

TEST(Connection, FunctionTypesChooseTheEditorPages) {
  struct Case {
    uint16_t kind;
    int type;
    int functionPage;
    int keyFunctionPage;  // -1: not changed
  };
  const Case cases[] = {
      {kDeviceKindMouse, 1, 0, 0},     {kDeviceKindMouse, 2, 0, 1},    {kDeviceKindMouse, 3, 1, -1},
      {kDeviceKindMouse, 4, 3, -1},    {kDeviceKindMouse, 5, 2, -1},   {kDeviceKindMouse, 6, 0, 1},
      {kDeviceKindMouse, 7, 0, 2},     {kDeviceKindMouse, 8, 1, -1},   {kDeviceKindMouse, 9, 4, -1},
      {kDeviceKindKeyboard, 4, 3, -1}, {kDeviceKindMousePad, 4, 0, 2},
  };
  MouseRig rig("mouse");
  for (const Case& test : cases) {
    DeviceEntry entry = rig.CableSlot();
    entry.DeviceKind = test.kind;
    rig.Device().SetDeviceEntry(entry);
    rig.Device().SetFunctionType(0);  // key-function page back to 0
    rig.Device().SetFunctionType(test.type);
    EXPECT_EQ(SelectedPage(rig, "device_function_switch"), test.functionPage) << test.kind << "/" << test.type;
    if (test.keyFunctionPage >= 0) {
      EXPECT_EQ(SelectedPage(rig, "device_key_function_switch"), test.keyFunctionPage) << test.kind << "/" << test.type;
    }
    EXPECT_EQ(rig.Device().GetFunctionType(), test.type);
    EXPECT_FALSE(rig.Control("device_tishi_info")->IsVisible());
  }
}
