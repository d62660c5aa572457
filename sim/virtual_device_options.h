#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What can be chosen about a virtual device when it is built (the --simulate parameters).

// Faults on the command frames a device receives, each on one frame counted from 1 since the
// device was made (the --simulate parameters late-reply=N, drop-reply=N, wrong-echo=N,
// status=ff@N or status=fe@N, unplug-after=N).
struct SimFaultOptions {
  std::optional<uint32_t> lateReply{};  // the reply comes after the host's time-out
  std::optional<uint32_t> dropReply{};  // no reply
  std::optional<uint32_t> wrongEcho{};  // the reply names another command
  std::optional<uint32_t> statusFrame{};  // the reply carries `status`
  uint8_t status = 0xFF;
  std::optional<uint32_t> unplugAfter{};  // the device answers N frames, then goes with the next
};

struct SimMouseOptions {
  uint16_t sensorId = 0x3395;
  bool initialised = true;            // false: a fresh device, initialisation marker 0
  uint16_t firmwareVersion = 0x0103;  // the cable product's USB release number
  uint8_t batteryLevel = 80;          // 0..100
  bool charging = false;
  uint8_t lightModeCode = 1;  // the factory lighting of every settings page: 1 breathing, 0 static …
  uint8_t recordCount = 16;  // button records N; the configuration image is 3 * N bytes
  uint8_t macroUnits = 32;   // macro memory in units of 128 bytes
  std::string memoryFile{};  // empty: the memory lasts as long as the run
  SimFaultOptions faults{};  // on frames over the cable
};

struct SimReceiverOptions {
  bool linked = true;
  SimFaultOptions faults{};  // on frames through the receiver
  uint16_t version = 0x0105;  // the receiver's own USB release number
};

struct SimMousePadOptions {
  bool initialised = true;
  uint16_t firmwareVersion = 0x0101;
  uint8_t lightModeCode = 3;  // the factory pages' lighting: a steady white
  bool colourful = false;     // the pages' colour cycle (the multi-colour byte)
};

struct SimHeadsetOptions {
  bool initialised = true;
  uint16_t firmwareVersion = 0x0100;
  uint8_t batteryLevel = 80;
};
