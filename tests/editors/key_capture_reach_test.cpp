#include <gtest/gtest.h>

#include "profiles/keys/key_table.h"
#include "platform/input_capture/evdev_scan_codes.h"

namespace {

// Every key of the table with a scan code can be captured: some Linux key reaches it.
TEST(EvdevScanCodes, EveryKeyOfTheKeyTableIsReachedByALinuxKey) {
  for (size_t i = 0; i < kScanCodeRowCount; ++i) {
    const KeyTableRow& row = kKeyTable[i];
    bool reached = false;
    for (uint32_t evdev = 1; evdev < 256 && !reached; ++evdev) {
      const std::optional<ScanCode> code = ScanCodeOfEvdev(evdev);
      reached = code && code->scan == row.scan && code->extended == row.extended;
    }
    EXPECT_TRUE(reached) << row.nameKey;
  }
}

}  // namespace
