#pragma once
#include <json/json.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/supported_devices.h"
#include "transport/usb_command_channel.h"

// What the diagnostic read of one mouse pad found: its information block and its active settings
// page, read as the program reads them.
struct PadReadResult {
  int result = 0;          // the first failing command's code, or 1
  std::string failedStep;  // empty on success
  std::array<uint8_t, kDeviceInfoSize> info{};
  bool haveInfo = false;
  int activeProfile = -1;
  std::vector<uint8_t> settingsPage;  // the 21 bytes as the pad stores them
};

// Reads the pad on an open channel without changing anything on it, with the program's driver.
PadReadResult ReadPadForDiagnosis(CUsbCommandChannel& channel);

// The JSON record of one pad read, as `t640ctl info` prints it.
Json::Value PadReportJson(const HidAttributes& attributes, const PadReadResult& read);
