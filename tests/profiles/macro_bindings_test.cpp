#include "profiles/macros/macro_bindings.h"

#include <gtest/gtest.h>

namespace {

KeyAssignmentPair Key(uint16_t index, uint32_t current, uint32_t factory = 0x100100) {
  return {KeyAssignment::FromValue(index, current), KeyAssignment::FromValue(index, factory)};
}

TEST(MacroBindings, ImageOrderFollowsKeyOrderWithoutRepeats) {
  std::vector<KeyAssignmentPair> keys = {Key(0, 0x700200), Key(1, 0x710003), Key(2, 0x700201), Key(3, 0x200004)};
  EXPECT_EQ(CollectBoundMacros(keys, 3), (std::vector<int>{2, 0}));
}

TEST(MacroBindings, MacroNumbersWithoutAListEntryAndAbsentKeysAreNotCollected) {
  std::vector<KeyAssignmentPair> keys = {Key(0, 0x700500), Key(1, 0x700100), Key(2, 0x700000)};
  EXPECT_EQ(CollectBoundMacros(keys, 5), (std::vector<int>{1, 0})) << "macro 5 of a 5-entry list does not exist";
  EXPECT_EQ(CollectBoundMacros(keys, 5, [](size_t key) { return key != 1; }), (std::vector<int>{0}));
}

TEST(MacroBindings, TheDeviceGetsImagePositionsOrTheFactoryAssignment) {
  const std::vector<int> imageOrder = {2, 0};
  EXPECT_EQ(AssignmentForDevice(Key(0, 0x700201), imageOrder, 3).Value(), 0x700001u);
  EXPECT_EQ(AssignmentForDevice(Key(1, 0x710003), imageOrder, 3).Value(), 0x710103u);
  EXPECT_EQ(AssignmentForDevice(Key(2, 0x700500, 0x100400), imageOrder, 5).Value(), 0x100400u);
  EXPECT_EQ(AssignmentForDevice(Key(3, 0x700100, 0x100800), imageOrder, 3).Value(), 0x100800u) << "not in the image";
  EXPECT_EQ(AssignmentForDevice(Key(4, 0x200004), imageOrder, 3).Value(), 0x200004u);
  EXPECT_EQ(AssignmentForDevice(Key(5, 0x700500, 0x100400), imageOrder, 5).KeyIndex, 5);
}

TEST(MacroBindings, RepairFallsBackToFactoryForMacrosThatAreGone) {
  std::vector<KeyAssignmentPair> keys = {Key(0, 0x700100), Key(1, 0x710300, 0x101000), Key(2, 0x130100)};
  EXPECT_TRUE(RepairMacroAssignments(keys, 2));
  EXPECT_EQ(keys[0].Current.Value(), 0x700100u);
  EXPECT_EQ(keys[1].Current.Value(), 0x101000u);
  EXPECT_FALSE(RepairMacroAssignments(keys, 2));
}

TEST(MacroBindings, DeletingMacroOneOfThreeRenumbersTheLaterOne) {
  std::vector<KeyAssignmentPair> keys = {Key(0, 0x700000), Key(1, 0x700100, 0x100200), Key(2, 0x710205)};
  EXPECT_TRUE(ForgetMacroInAssignments(keys, 1));
  EXPECT_EQ(keys[0].Current.Value(), 0x700000u);
  EXPECT_EQ(keys[1].Current.Value(), 0x100200u);
  EXPECT_EQ(keys[2].Current.Value(), 0x710105u);
}

}  // namespace
