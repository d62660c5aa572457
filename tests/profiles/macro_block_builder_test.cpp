#include "profiles/macros/macro_block_builder.h"

#include <gtest/gtest.h>

#include "macro_test_fixture.h"
#include "profiles/macros/macro_bindings.h"

namespace {

TEST_F(MacroFolder, BuildsTheImageOfTheBoundMacrosInImageOrder) {
  WriteList({"b", "unused", "a"});
  WriteMacroFile("id2", R"([{"Type": 10, "Button": 4, "Action": "down", "Delay": "100"},
                            {"Type": 10, "Button": 4, "Action": "up", "Delay": "50"}])");
  WriteMacroFile("id0", R"([{"Type": 1, "Button": 1, "Action": "down", "Delay": "300"},
                            {"Type": 4, "Button": 25, "Action": "up", "Delay": "10"},
                            {"Type": 9, "Button": 2, "Action": "down", "Delay": "65536"}])");
  std::vector<KeyAssignmentPair> keys = {
      {KeyAssignment::FromValue(0, 0x700200), {}}, {KeyAssignment::FromValue(1, 0x710003), {}}};
  std::vector<int> order = CollectBoundMacros(keys, static_cast<int>(store_.Count()));

  MacroBlockBuild build = BuildMacroBlock(store_, order, 2, MacroEventLimit::kEnforce);
  ASSERT_EQ(build.status, MacroBlockStatus::kReady);
  EXPECT_EQ(build.ResultCode(), 0);
  // The same two macros as the hand-computed image in macro_image_test.cpp.
  const std::vector<uint8_t> expected = {
      0xAA, 0x55, 0x30, 0x00, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x14, 0x00, 0x20, 0x00,
      0x02, 0x00, 0x00, 0x00, 0x64, 0x00, 0x8A, 0x04, 0x32, 0x00, 0x0A, 0x04,
      0x03, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x81, 0x01, 0x0A, 0x00, 0x04, 0x19, 0x00, 0x00, 0x89, 0x02};
  EXPECT_EQ(build.image, expected);
}

TEST_F(MacroFolder, NothingIsSentWithoutAListOrWithoutBoundMacros) {
  EXPECT_EQ(BuildMacroBlock(store_, {0}, 8, MacroEventLimit::kEnforce).status, MacroBlockStatus::kNothingToSend);
  WriteList({"a"});
  MacroBlockBuild build = BuildMacroBlock(store_, {}, 8, MacroEventLimit::kEnforce);
  EXPECT_EQ(build.status, MacroBlockStatus::kNothingToSend);
  EXPECT_EQ(build.ResultCode(), 0);
  EXPECT_TRUE(build.image.empty());
}

TEST_F(MacroFolder, AnImageLargerThanTheMacroMemoryIsNotBuilt) {
  WriteList({"long"});
  WriteMacroFile("id0", KeyEvents(60));
  MacroBlockBuild build = BuildMacroBlock(store_, {0}, 2, MacroEventLimit::kEnforce);
  EXPECT_EQ(build.status, MacroBlockStatus::kOverCapacity);
  EXPECT_EQ(build.ResultCode(), 2) << "262 bytes in 256: (6 / 4) + 1 events must go";
  EXPECT_TRUE(build.image.empty());
  EXPECT_EQ(BuildMacroBlock(store_, {0}, 3, MacroEventLimit::kEnforce).status, MacroBlockStatus::kReady);
}

TEST_F(MacroFolder, OnlyTheMouseRefusesAMacroOfMoreThanSixtyEvents) {
  WriteList({"long"});
  WriteMacroFile("id0", KeyEvents(61));
  MacroBlockBuild mouse = BuildMacroBlock(store_, {0}, 8, MacroEventLimit::kEnforce);
  EXPECT_EQ(mouse.status, MacroBlockStatus::kMacroTooLong);
  EXPECT_EQ(mouse.ResultCode(), 61);
  MacroBlockBuild keyboard = BuildMacroBlock(store_, {0}, 8, MacroEventLimit::kIgnore);
  EXPECT_EQ(keyboard.status, MacroBlockStatus::kReady);
  EXPECT_EQ(keyboard.image.size(), 16u + 6 + 4 * 61);
}

}  // namespace
