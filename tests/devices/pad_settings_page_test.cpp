// The mouse pad's 21-byte settings page: the mode as a code on the device and an index in the
// host copy, the speed inverted, and the pad's own bytes carried through untouched.
#include <gtest/gtest.h>

#include <vector>

#include "devices/mousepad/pad_settings_page.h"

namespace {

// A list whose codes are not their indexes, so a mix-up shows.
const std::vector<int> kCodes = {10, 11, 12, 13};

PadPageReadBytes Raw(uint8_t code, uint8_t storedSpeed) {
  PadPageReadBytes raw{};
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(0x80 + i);
  raw[kPadModeByte] = code;
  raw[kPadSpeedByte] = storedSpeed;
  return raw;
}

TEST(PadSettingsPage, ReadingTurnsTheCodeIntoItsIndexAndTheSpeedBack) {
  struct Case {
    uint8_t code, storedSpeed;
    uint8_t index, speed;
  };
  for (const Case& c : {Case{12, 4, 2, 0}, Case{10, 0, 0, 4}, Case{13, 1, 3, 3},
                        // A code the list does not name stays; a stored speed past 4 reads as 0.
                        Case{99, 5, 99, 0}, Case{11, 0xFF, 1, 0}}) {
    const PadSettingsBlock block = DecodePadPage(Raw(c.code, c.storedSpeed), 7, kCodes);
    EXPECT_EQ(block.ModeIndex(), c.index) << int(c.code);
    EXPECT_EQ(block.Speed(), c.speed) << int(c.storedSpeed);
    EXPECT_EQ(block.bytes[kPadActiveProfileByte], 7) << "the active profile read at offset 0";
    EXPECT_EQ(block.bytes[20], 0x80 + 20) << "only 21 of the 45 bytes read are the page";
  }
}

TEST(PadSettingsPage, WritingSendsTheCodeAndTheInvertedSpeedAndKeepsTheRest) {
  PadSettingsBlock block = DecodePadPage(Raw(12, 1), 0, kCodes);
  const PadPageBytes sent = EncodePadPage(block, kCodes);
  EXPECT_EQ(sent[kPadModeByte], 12);
  EXPECT_EQ(sent[kPadSpeedByte], 1);
  for (size_t i = 9; i < kPadPageSize; ++i) EXPECT_EQ(sent[i], 0x80 + i) << "byte " << i;
  EXPECT_EQ(block.ModeIndex(), 2) << "the copy keeps the index";

  // An index the list does not reach (a short or missing list) goes as it is; a speed past 4 as
  // the slowest.
  block.bytes[kPadModeByte] = 6;
  block.bytes[kPadSpeedByte] = 9;
  EXPECT_EQ(EncodePadPage(block, kCodes)[kPadModeByte], 6);
  EXPECT_EQ(EncodePadPage(block, {})[kPadModeByte], 6);
  EXPECT_EQ(EncodePadPage(block, kCodes)[kPadSpeedByte], 0);
}

TEST(PadSettingsPage, TheLightingRecordFillsBytesOneToEight) {
  LightInfoRecord light;
  light.SelectItem = 3;
  light.Light = 2;
  light.Speed = 1;
  light.Fx = 1;
  light.MultiColor = 1;
  light.Red = 4;
  light.Green = 5;
  light.Blue = 6;
  light.OldLedmode = 9;
  PadSettingsBlock block;
  block.bytes[0] = 2;
  block.bytes[15] = 0x55;
  block.TakeLighting(light);
  EXPECT_EQ(block.bytes, (PadPageBytes{2, 3, 2, 1, 1, 1, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0x55, 0, 0, 0, 0, 0}));
  EXPECT_EQ(block.LightingOver(LightInfoRecord{}).OldLedmode, 0);
  LightInfoRecord back = block.LightingOver(light);
  EXPECT_EQ(back, light);
}

}  // namespace
