#include "platform/input_capture/x11_button_bits.h"

#include <gtest/gtest.h>

namespace {

TEST(X11ButtonBits, ThePointerButtonsGetTheirCaptureBitAndTheWheelAndOthersNone) {
  struct Case {
    uint32_t button;
    uint8_t bit;
  };
  const Case cases[] = {
      {1, 0x01}, {2, 0x04}, {3, 0x02}, {8, 0x08}, {9, 0x10},  // left, middle, right, back, forward
      {4, 0},    {5, 0},    {6, 0},    {7, 0},                // the wheel, up/down/left/right
      {0, 0},    {10, 0},   {255, 0},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(CaptureBitOfX11Button(test.button), test.bit) << "X button " << test.button;
  }
}

}  // namespace
