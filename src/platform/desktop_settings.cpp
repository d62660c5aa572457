#include "platform/desktop_settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace {

struct Candidate {
  const char* program;
  std::vector<std::string> arguments;
};

// Each desktop's program and the argument that opens its mouse page.
const Candidate kCandidates[] = {
    {"gnome-control-center", {"mouse"}},
    {"systemsettings", {"kcm_mouse"}},
    {"systemsettings5", {"kcm_mouse"}},
    {"xfce4-mouse-settings", {}},
    {"cinnamon-settings", {"mouse"}},
    {"mate-mouse-properties", {}},
    {"lxqt-config-input", {}},
};

}  // namespace

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty() || name.find('/') != std::string::npos) return {};
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return {};
}

std::optional<DesktopSettingsProgram> FindMouseSettingsProgram() {
  for (const Candidate& candidate : kCandidates) {
    std::string found = FindOnPath(candidate.program);
    if (!found.empty()) return DesktopSettingsProgram{std::move(found), candidate.arguments};
  }
  return std::nullopt;
}
