#pragma once
#include <cstdint>
#include <string>

// The mouse's firmware updater: a program of its own, shipped in the program folder's "Update/"
// (or named by $T640_FIRMWARE_UPDATER, as the stand-in updater is for the virtual mouse). It
// brings firmware kShippedFirmwareVersion and reports over the desktop bus with the forward
// message.
inline constexpr uint16_t kShippedFirmwareVersion = 0x0103;
inline constexpr const char* kUpdaterReportMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";

std::string FirmwareUpdaterPath();
// An executable file is there.
bool IsFirmwareUpdaterInstalled(const std::string& path);
// Starts it as the shipped updater expects to be started; false when it did not start.
bool StartFirmwareUpdater(const std::string& path);
