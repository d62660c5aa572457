#include "windows/main_wnd/firmware_updater.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/debug_output.h"
#include "platform/process_launch.h"
#include "platform/program_folder.h"

namespace {

constexpr const char* kUpdaterFile = "Update/TX4D18-V0103-20260117";
constexpr const char* kUpdaterArgument = "On the upgrade";

}  // namespace

std::string FirmwareUpdaterPath() {
  if (const char* chosen = std::getenv("T640_FIRMWARE_UPDATER"); chosen && *chosen) return chosen;
  return ProgramFolder() + kUpdaterFile;
}

bool IsFirmwareUpdaterInstalled(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool StartFirmwareUpdater(const std::string& path) {
  if (StartDetachedProgram(path, {kUpdaterArgument})) return true;
  OutputDebugString("firmware updater not started: " + path);
  return false;
}
