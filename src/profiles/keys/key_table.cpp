#include "profiles/keys/key_table.h"

const KeyTableRow* FindKeyByUsage(uint8_t usage) {
  for (size_t i = kModifierRowCount; i < kKeyTable.size(); ++i) {
    const KeyTableRow& row = kKeyTable[i];
    if (row.type == kKeyboardKeyType && row.p1 == 0 && row.p2 == usage) return &row;
  }
  return nullptr;
}

const KeyTableRow* FindModifierByBit(uint8_t bit) {
  for (size_t i = 0; i < kModifierRowCount; ++i) {
    if (kKeyTable[i].p1 == bit) return &kKeyTable[i];
  }
  return nullptr;
}

const KeyTableRow* FindKeyByScanCode(uint8_t scan, bool extended) {
  for (size_t i = 0; i < kScanCodeRowCount; ++i) {
    if (kKeyTable[i].scan == scan && kKeyTable[i].extended == extended) return &kKeyTable[i];
  }
  return nullptr;
}

size_t KeyTableRowIndex(const KeyTableRow& row) { return static_cast<size_t>(&row - kKeyTable.data()); }
