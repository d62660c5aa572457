#pragma once
#include "sim/firmware_memory.h"
#include "sim/virtual_device_options.h"

inline constexpr size_t kSimMouseSettingsPageStride = 128;
inline constexpr size_t kSimMouseSettingsPageSize = 87;
inline constexpr size_t kSimMouseSettingsPages = 5;
inline constexpr size_t kSimMouseStatusSize = 2;
inline constexpr size_t kSimMouseRecoilSize = 0x4000;
inline constexpr size_t kSimMouseLogicalButtons = 11;
// Offset of the current sensitivity stage inside a settings page.
inline constexpr size_t kSimMouseStageByte = 12;

// The blocks of a mouse as it leaves the factory: its information block, a configuration image
// that starts with the factory records of the 11 logical buttons, five settings pages, the live
// status and empty macro and recoil memory.
SimFirmwareMemory BuildMouseFactoryMemory(const SimMouseOptions& options);
