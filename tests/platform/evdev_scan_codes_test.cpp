#include "platform/input_capture/evdev_scan_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(EvdevScanCodes, KeysOfTheMainBlockKeepTheirCodeAndE0KeysGetTheExtendedFlag) {
  struct Case {
    uint32_t evdev;
    ScanCode code;
  };
  const Case cases[] = {
      {1, {0x01, false}},   {30, {0x1E, false}},  {29, {0x1D, false}},  {42, {0x2A, false}},  {54, {0x36, true}},
      {87, {0x57, false}},  {88, {0x58, false}},  {97, {0x1D, true}},   {100, {0x38, true}},  {96, {0x1C, true}},
      {98, {0x35, true}},   {99, {0x37, true}},   {103, {0x48, true}},  {105, {0x4B, true}},  {106, {0x4D, true}},
      {108, {0x50, true}},  {102, {0x47, true}},  {107, {0x4F, true}},  {104, {0x49, true}},  {109, {0x51, true}},
      {110, {0x52, true}},  {111, {0x53, true}},  {125, {0x5B, true}},  {126, {0x5C, true}},  {127, {0x5D, true}},
      {69, {0x45, true}},   {119, {0x45, false}}, {86, {0x56, false}},  {89, {0x73, false}},  {124, {0x7D, false}},
  };
  for (const Case& test : cases) {
    const std::optional<ScanCode> code = ScanCodeOfEvdev(test.evdev);
    ASSERT_TRUE(code) << test.evdev;
    EXPECT_EQ(*code, test.code) << test.evdev;
  }
  for (uint32_t unknown : {0u, 113u, 240u, 0x110u}) EXPECT_FALSE(ScanCodeOfEvdev(unknown)) << unknown;
}

}  // namespace
