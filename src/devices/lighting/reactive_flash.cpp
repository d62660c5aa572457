#include "devices/lighting/reactive_flash.h"

#include "devices/lighting/lighting_tables.h"

uint8_t FlashWheelPosition(uint32_t seed, size_t index) {
  // An integer hash, so neighbouring entries of one flash get unrelated colours.
  uint32_t x = seed + 0x9E3779B9u * (static_cast<uint32_t>(index) + 1u);
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return static_cast<uint8_t>(x % kColourWheelSize);
}
