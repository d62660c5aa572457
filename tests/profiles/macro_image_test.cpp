#include "profiles/macros/macro_image.h"

#include <gtest/gtest.h>

namespace {

MacroEvent Event(uint32_t type, uint32_t button, bool down, uint32_t delay) { return {type, button, down, delay}; }

// Two macros in image order: A (key A pressed for 100 ms, released, 50 ms) and B (left button
// down, 300 ms; pointer 25 to the right, 10 ms; left Shift down with a delay of 65536).
const std::vector<std::vector<MacroEvent>> kTwoMacros = {
    {Event(10, 0x04, true, 100), Event(10, 0x04, false, 50)},
    {Event(1, 0x01, true, 300), Event(4, 25, false, 10), Event(9, 0x02, true, 65536)},
};

// Worked out by hand from the layout, not by the encoder:
//   length = 16 + 6 × 2 + 4 × (2 + 3) = 48 = 0x30
//   offsets: record A at 16 + 2 × 2 = 20 (0x14); record B at 20 + 4 + 4 × 2 = 32 (0x20)
//   events: delay low, delay high, type | 0x80 for "down", button
//     100 = 0x64 → 64 00 8A 04;  50 = 0x32 → 32 00 0A 04
//     300 = 0x12C → 2C 01 81 01;  10 → 0A 00 04 19 (25 = 0x19);  65536 cut to 16 bits = 0 → 00 00 89 02
const std::vector<uint8_t> kTwoMacrosImage = {
    0xAA, 0x55, 0x30, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // header
    0x14, 0x00, 0x20, 0x00,                                                                          // offsets
    0x02, 0x00, 0x00, 0x00, 0x64, 0x00, 0x8A, 0x04, 0x32, 0x00, 0x0A, 0x04,                          // record A
    0x03, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x81, 0x01, 0x0A, 0x00, 0x04, 0x19, 0x00, 0x00, 0x89, 0x02,  // record B
};

TEST(MacroImage, MatchesTheHandComputedBytesOfTwoMacros) {
  std::vector<uint8_t> image;
  ASSERT_TRUE(EncodeMacroImage(kTwoMacros, image));
  EXPECT_EQ(image, kTwoMacrosImage);
}

TEST(MacroImage, ThreeAndZeroEventsGiveFortyBytesWithOffsetsTwentyAndThirtySix) {
  std::vector<uint8_t> image;
  ASSERT_TRUE(EncodeMacroImage({std::vector<MacroEvent>(3), {}}, image));
  ASSERT_EQ(image.size(), 40u);
  EXPECT_EQ(image[2], 40);
  EXPECT_EQ(image[16], 20);
  EXPECT_EQ(image[18], 36);
  EXPECT_EQ(image[20], 3);
  EXPECT_EQ(image[36], 0);
}

// The recoil memory uses the same layout: four tables of 30 bullets of six events each.
TEST(MacroImage, FourRecoilTablesGiveTheRecoilImageLayout) {
  std::vector<uint8_t> image;
  ASSERT_TRUE(EncodeMacroImage(std::vector<std::vector<MacroEvent>>(4, std::vector<MacroEvent>(180)), image));
  ASSERT_EQ(image.size(), 2920u);
  const int offsets[] = {24, 748, 1472, 2196};
  for (int g = 0; g < 4; ++g) EXPECT_EQ(image[16 + 2 * g] | image[17 + 2 * g] << 8, offsets[g]) << "gun " << g;
}

TEST(MacroImage, LengthFormulaAndTheSixteenBitLimit) {
  EXPECT_EQ(MacroImageLength({}), 16u);
  EXPECT_EQ(MacroImageLength({60}), 16u + 6 + 240);
  std::vector<uint8_t> image{1, 2};
  EXPECT_FALSE(EncodeMacroImage({std::vector<MacroEvent>(16380)}, image)) << "16 + 6 + 65520 bytes";
  EXPECT_TRUE(image.empty());
}

struct CapacityCase {
  size_t length;
  uint8_t units;
  int eventsOver;
};

TEST(MacroImage, CapacityIsCountedInUnitsOf128Bytes) {
  const CapacityCase cases[] = {
      {262, 2, 2},   // one macro of 60 events: (6 ÷ 4) + 1
      {256, 2, 0},   // exactly full
      {257, 2, 1},   // one byte over still costs a whole event
      {126, 1, 0},   {130, 1, 1}, {16, 0, 5}, {32640, 255, 0}, {32644, 255, 2},
  };
  for (const CapacityCase& c : cases) {
    EXPECT_EQ(EventsOverCapacity(c.length, c.units), c.eventsOver) << c.length << " bytes in " << int{c.units} << " units";
  }
}

}  // namespace
