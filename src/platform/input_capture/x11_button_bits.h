#pragma once
#include <cstdint>

// The capture's bit of an X pointer button: 1 left, 2 middle, 3 right, 8 back, 9 forward. Zero for
// the wheel (4–7) and every other button, which are not captured.
uint8_t CaptureBitOfX11Button(uint32_t button);
