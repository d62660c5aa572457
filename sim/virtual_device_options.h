#pragma once
#include <cstdint>

// What can be chosen about a virtual device when it is built (the --simulate parameters).

struct SimMouseOptions {
  uint16_t sensorId = 0x3395;
  bool initialised = true;            // false: a fresh device, initialisation marker 0
  uint16_t firmwareVersion = 0x0103;  // the cable product's USB release number
  uint8_t batteryLevel = 80;          // 0..100
  bool charging = false;
  uint8_t recordCount = 16;  // button records N; the configuration image is 3 * N bytes
  uint8_t macroUnits = 32;   // macro memory in units of 128 bytes
};

struct SimReceiverOptions {
  bool linked = true;
  uint16_t version = 0x0105;  // the receiver's own USB release number
};

struct SimMousePadOptions {
  bool initialised = true;
  uint16_t firmwareVersion = 0x0101;
};

struct SimHeadsetOptions {
  bool initialised = true;
  uint16_t firmwareVersion = 0x0100;
  uint8_t batteryLevel = 80;
};
