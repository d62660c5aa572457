#include "profiles/keys/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

TEST(KeyTable, ScanCodesIdentifyOneKeyAmongTheKeyboardRows) {
  std::set<std::pair<uint8_t, bool>> seen;
  for (size_t i = 0; i < kScanCodeRowCount; ++i) {
    const KeyTableRow& row = kKeyTable[i];
    EXPECT_NE(row.scan, 0) << "row " << i;
    EXPECT_TRUE(seen.insert({row.scan, row.extended}).second) << "row " << i << " repeats scan code " << int(row.scan);
  }
  for (size_t i = kScanCodeRowCount; i < kKeyTable.size(); ++i) EXPECT_EQ(kKeyTable[i].scan, 0) << "row " << i;
}

TEST(KeyTable, ModifierRowsCarryOneBitEachAndNoUsage) {
  uint8_t bits = 0;
  for (size_t i = 0; i < kModifierRowCount; ++i) {
    const KeyTableRow& row = kKeyTable[i];
    EXPECT_EQ(row.type, kKeyboardKeyType);
    EXPECT_EQ(row.p1, 1u << i) << "row " << i;
    EXPECT_EQ(row.p2, 0) << "row " << i;
    bits |= row.p1;
  }
  EXPECT_EQ(bits, 0xFF);
}

TEST(KeyTable, KeyboardKeysHaveDistinctUsagesAndNoModifier) {
  std::set<uint8_t> usages;
  for (size_t i = kModifierRowCount; i <= 113; ++i) {
    const KeyTableRow& row = kKeyTable[i];
    EXPECT_EQ(row.type, kKeyboardKeyType) << "row " << i;
    EXPECT_EQ(row.p1, 0) << "row " << i;
    EXPECT_GE(row.p2, 0x04) << "row " << i;
    EXPECT_TRUE(usages.insert(row.p2).second) << "row " << i << " repeats usage " << int(row.p2);
  }
  for (size_t i = 114; i < kKeyTable.size(); ++i) EXPECT_NE(kKeyTable[i].type, kKeyboardKeyType) << "row " << i;
}

TEST(KeyTable, EveryRowHasANameKeyOfItsOwn) {
  std::set<std::string> names;
  for (const KeyTableRow& row : kKeyTable) {
    ASSERT_NE(row.nameKey, nullptr);
    EXPECT_TRUE(names.insert(row.nameKey).second) << row.nameKey;
  }
  EXPECT_STREQ(kKeyTable[130].nameKey, "wed_stop");
}

TEST(KeyTable, LookupsFindTheRowsTheEditorsAskFor) {
  EXPECT_EQ(KeyTableRowIndex(*FindKeyByUsage(0x04)), 8u);             // A
  EXPECT_EQ(KeyTableRowIndex(*FindKeyByUsage(0x58)), 91u);            // Num Enter
  EXPECT_EQ(FindKeyByUsage(0x00), nullptr);
  EXPECT_EQ(KeyTableRowIndex(*FindModifierByBit(0x10)), 4u);          // right Ctrl
  EXPECT_EQ(FindModifierByBit(0x03), nullptr);
  EXPECT_EQ(KeyTableRowIndex(*FindKeyByScanCode(0x1D, true)), 4u);    // right Ctrl
  EXPECT_EQ(KeyTableRowIndex(*FindKeyByScanCode(0x45, false)), 75u);  // Pause
  EXPECT_EQ(KeyTableRowIndex(*FindKeyByScanCode(0x45, true)), 86u);   // Num Lock
  EXPECT_EQ(FindKeyByScanCode(0x7F, false), nullptr);
}

}  // namespace
