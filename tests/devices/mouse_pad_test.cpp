// The mouse pad against the virtual pad: what a read sends and shows, the 21 bytes every lighting
// change writes, the re-read the pad asks for, and the pad going and coming back.
#include <gtest/gtest.h>

#include <vector>

#include "devices/device_messages.h"
#include "pad_rig.h"
#include "profiles/profile_session/profile_session.h"
#include "transport/command_numbers.h"
#include "transport/result_codes.h"
#include "ui_test_environment.h"

namespace {

struct SentFrame {
  uint8_t command;
  uint8_t length;
  uint16_t offset;
  bool operator==(const SentFrame&) const = default;
};

std::vector<SentFrame> SettingsFrames(CVirtualDevice& device) {
  std::vector<SentFrame> frames;
  for (const SimLoggedFrame& frame : device.Frames().Snapshot()) {
    if (frame.Command() != kCmdReadSettings && frame.Command() != kCmdWriteSettings) continue;
    frames.push_back({frame.Command(), frame.bytes[4], static_cast<uint16_t>(frame.bytes[5] | frame.bytes[6] << 8)});
  }
  return frames;
}

// The pad stores the mode as its code and 4 − speed.
std::vector<uint8_t> StoredLighting(uint8_t code, uint8_t brightness, uint8_t storedSpeed, uint8_t fx, uint8_t multi,
                                    uint8_t red, uint8_t green, uint8_t blue) {
  return {code, brightness, storedSpeed, fx, multi, red, green, blue};
}

LightInfoRecord Lighting(uint8_t mode, uint8_t brightness, uint8_t speed, uint8_t fx, uint8_t multi, uint8_t red,
                         uint8_t green, uint8_t blue) {
  LightInfoRecord light;
  light.SelectItem = mode;
  light.Light = brightness;
  light.Speed = speed;
  light.Fx = fx;
  light.MultiColor = multi;
  light.Red = red;
  light.Green = green;
  light.Blue = blue;
  return light;
}

// The fields the page carries; the rest of a record is the profile's.
LightInfoRecord PageFields(const LightInfoRecord& r) {
  return Lighting(r.SelectItem, r.Light, r.Speed, r.Fx, r.MultiColor, r.Red, r.Green, r.Blue);
}

class MousePad : public testing::Test {
 protected:
  // The lighting the pad runs, as it stores it, before the host reads it.
  void PresetPage(const std::vector<uint8_t>& bytes1To8) {
    rig.Pad().WriteBlock(SimBlock::Settings, rig.Pad().ActivePage() * 25 + 1, bytes1To8);
  }

  PadRig rig;
};

}  // namespace

TEST_F(MousePad, AReadTakesTheInformationBlockThenTheActivePageAtItsReadOffset) {
  for (const uint8_t active : {uint8_t{0}, uint8_t{2}}) {
    PadRig local;
    local.Pad().SetActivePage(active);
    ASSERT_TRUE(local.Attach());
    local.Pad().Frames().Clear();
    local.FireTimer(kTimerReadAll);
    const std::vector<uint8_t> expected = {kCmdBeginConfig,  kCmdReadDeviceInfo, kCmdEndConfig,
                                           kCmdReadSettings, kCmdReadSettings,   kCmdSendHostReady};
    EXPECT_EQ(CommandsSeen(local.Pad()), expected) << "page " << int(active);
    const std::vector<SentFrame> pages = {{kCmdReadSettings, 1, 0},
                                          {kCmdReadSettings, 45, static_cast<uint16_t>(25 * active)}};
    EXPECT_EQ(SettingsFrames(local.Pad()), pages) << "page " << int(active);
    EXPECT_EQ(local.Device().GetPadSettings().bytes[0], active);
    EXPECT_TRUE(local.Device().IsLightThreadRunning());
  }
}

TEST_F(MousePad, AReadShowsThePadsModeBrightnessSpeedAndColour) {
  // Ripple (code 6), brightness 2, stored speed 4 (speed 0), right to left, one colour.
  PresetPage(StoredLighting(6, 2, 4, 1, 0, 0x12, 0x34, 0x56));
  rig.AttachAndRead();

  EXPECT_EQ(PageFields(rig.Device().GetLightInfo()), Lighting(6, 2, 0, 1, 0, 0x12, 0x34, 0x56));
  const LightEffectParams preview = rig.Device().GetLightEffect();
  EXPECT_EQ(preview.mode, 6);
  EXPECT_EQ(preview.brightness, 2);
  EXPECT_EQ(preview.speed, 0);
  EXPECT_EQ(preview.colour, (Rgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(rig.Device().PageView().ShownMode(), "light_mode_ripple");
  EXPECT_EQ(rig.Device().ProfileSession()->Data().ReadLightInfo(), rig.Device().GetLightInfo()) << "saved";
}

TEST_F(MousePad, AModeCodeTheListDoesNotNameStaysAndAWildSpeedReadsAsTheSlowest) {
  PresetPage(StoredLighting(0x2A, 3, 9, 0, 1, 1, 2, 3));
  rig.AttachAndRead();
  EXPECT_EQ(rig.Device().GetLightInfo().SelectItem, 0x2A);
  EXPECT_EQ(rig.Device().GetLightInfo().Speed, 0);
  // Written back, the unknown code goes as it came.
  rig.Pad().Frames().Clear();
  EXPECT_EQ(rig.Device().ApplySettings(), kResultSuccess);
  EXPECT_EQ(rig.Pad().WrittenPage(0)[1], 0x2A);
}

TEST_F(MousePad, EachLightingChangeReachesPageZeroAsItsCodeAndInvertedSpeed) {
  rig.AttachAndRead();
  const std::vector<uint8_t> read = rig.Pad().WrittenPage(0);
  const std::vector<uint8_t> ownBytes(read.begin() + 9, read.end());
  struct Case {
    LightInfoRecord light;
    uint8_t code;
  };
  // Modes by index: 0 wave … 8 off; the factory list's codes are the indexes.
  for (const Case& c : {Case{Lighting(0, 4, 4, 1, 1, 1, 2, 3), 0}, Case{Lighting(3, 1, 0, 0, 0, 255, 0, 128), 3},
                        Case{Lighting(7, 2, 2, 1, 0, 9, 8, 7), 7}, Case{Lighting(8, 0, 1, 0, 0, 0, 0, 0), 8}}) {
    rig.Pad().Frames().Clear();
    rig.Device().SetLightInfo(c.light);
    ASSERT_EQ(rig.Device().ApplySettings(), kResultSuccess);
    EXPECT_EQ(CommandsSeen(rig.Pad()), (std::vector<uint8_t>{kCmdBeginConfig, kCmdWriteSettings, kCmdEndConfig}));
    EXPECT_EQ(SettingsFrames(rig.Pad()), (std::vector<SentFrame>{{kCmdWriteSettings, 21, 0}}));
    std::vector<uint8_t> expected = {0, c.code, c.light.Light, static_cast<uint8_t>(4 - c.light.Speed), c.light.Fx,
                                     c.light.MultiColor, c.light.Red, c.light.Green, c.light.Blue};
    expected.insert(expected.end(), ownBytes.begin(), ownBytes.end());
    EXPECT_EQ(rig.Pad().WrittenPage(0), expected) << "mode " << int(c.light.SelectItem);
    EXPECT_EQ(rig.Device().GetLightEffect().mode, c.light.SelectItem) << "the preview runs the index, not the code";
  }
}

TEST_F(MousePad, NothingIsWrittenWhileThePadRunsAnotherPage) {
  rig.Pad().SetActivePage(2);
  rig.AttachAndRead();
  const std::vector<uint8_t> before = rig.Pad().Block(SimBlock::Settings);
  rig.Pad().Frames().Clear();

  rig.Device().SetLightInfo(Lighting(3, 4, 2, 0, 0, 255, 0, 0));
  EXPECT_EQ(rig.Device().ApplySettings(), kPadPageNotWritable);
  EXPECT_TRUE(CommandsSeen(rig.Pad()).empty());
  EXPECT_EQ(rig.Pad().Block(SimBlock::Settings), before) << "page 2's own bytes never land on page 0";
  EXPECT_EQ(rig.Device().GetLightInfo().Red, 255) << "the change stays in the profile";
  EXPECT_EQ(rig.Device().PageView().ShownMode(), "mousepad_other_page_note") << "the page says why";
}

TEST_F(MousePad, NothingIsWrittenAfterAReadThatFailed) {
  ASSERT_TRUE(rig.Attach());
  rig.Pad().Faults().FailStatusForCommand(kCmdReadSettings, 0xFF);
  rig.FireTimer(kTimerReadAll);
  const std::vector<uint8_t> before = rig.Pad().Block(SimBlock::Settings);
  rig.Pad().Frames().Clear();

  EXPECT_EQ(rig.Device().ApplySettings(), kPadPageNotWritable);
  EXPECT_TRUE(CommandsSeen(rig.Pad()).empty()) << "bytes 9-20 were never read: zeros would go over the pad's own";
  EXPECT_EQ(rig.Pad().Block(SimBlock::Settings), before);
}

TEST_F(MousePad, AReReadRequestReadsThePageAgain) {
  rig.AttachAndRead();
  ASSERT_TRUE(rig.AttachEvents());
  rig.Pad().ChangeLighting(StoredLighting(1, 3, 1, 0, 1, 0, 0, 0));  // spectrum, speed 3
  EXPECT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerSyncFromDevice); }));
  EXPECT_EQ(rig.Tile().PeriodOf(kTimerSyncFromDevice), 500u);

  rig.FireTimer(kTimerSyncFromDevice);
  EXPECT_EQ(rig.Device().GetLightInfo().SelectItem, 1);
  EXPECT_EQ(rig.Device().GetLightInfo().Speed, 3);
  EXPECT_EQ(rig.Device().GetLightEffect().mode, 1);
  EXPECT_EQ(rig.Device().PageView().ShownMode(), "light_mode_spectrum");
}

TEST_F(MousePad, UnpluggedNothingIsSentAndRepluggedItIsReadAndWrittenAgain) {
  rig.AttachAndRead();
  rig.Pad().Unplug();
  rig.Device().DetachCommandInterface();
  EXPECT_EQ(rig.Device().ApplySettings(), kResultNoReply);
  rig.Clock().Advance(60'000);
  EXPECT_TRUE(PumpUntil([&] { return rig.Device().IsLightThreadResting(); })) << "no preview for a pad that is gone";

  // The pad comes back on another lighting; the read after the attach shows it and writes reach it.
  PresetPage(StoredLighting(2, 1, 3, 0, 0, 7, 7, 7));
  ASSERT_TRUE(rig.Sim().Backend().Plug(rig.Sim().MousePad()));
  rig.AttachAndRead();
  EXPECT_EQ(rig.Device().GetLightInfo().SelectItem, 2);
  EXPECT_EQ(rig.Device().GetLightInfo().Speed, 1);
  rig.Device().SetLightInfo(Lighting(3, 4, 0, 0, 0, 1, 2, 3));
  EXPECT_EQ(rig.Device().ApplySettings(), kResultSuccess);
  EXPECT_EQ(rig.Pad().WrittenPage(0)[6], 1);
}
