#include "platform/input_capture/x11_button_bits.h"

uint8_t CaptureBitOfX11Button(uint32_t button) {
  switch (button) {
    case 1: return 0x01;
    case 2: return 0x04;
    case 3: return 0x02;
    case 8: return 0x08;
    case 9: return 0x10;
    default: return 0;
  }
}
