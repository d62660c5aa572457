#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/usb_command_channel.h"

// What the diagnostic read of one mouse found: the information block, the configuration image
// and the active settings page, read in the order the program itself reads them.
struct MouseReadResult {
  int result = 0;           // the first failing command's code, or 1
  std::string failedStep;   // empty on success
  std::array<uint8_t, kDeviceInfoSize> info{};
  bool haveInfo = false;
  std::vector<uint8_t> configImage;
  int activeProfile = -1;
  std::vector<uint8_t> settingsPage;
};

inline constexpr uint32_t kMouseSettingsPageSize = 87;
inline constexpr uint32_t kMouseSettingsPageStride = 128;

// Reads the mouse on an open channel without changing anything on it, with the program's driver.
// Through the receiver every step first asks whether the mouse is linked.
MouseReadResult ReadMouseForDiagnosis(CUsbCommandChannel& channel);
