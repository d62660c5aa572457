#include "sim/firmware_memory.h"

std::vector<uint8_t> SimDeviceInfoBlock(bool initialised) {
  std::vector<uint8_t> block(kSimDeviceInfoSize, 0);
  block[0] = 0xAA;
  block[1] = 0x55;
  block[7] = initialised ? kSimInitialisedMarker : 0;
  return block;
}
