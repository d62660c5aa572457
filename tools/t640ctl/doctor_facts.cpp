#include "tools/t640ctl/doctor_facts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/desktop_bus/bus_folder.h"
#include "platform/desktop_bus/single_instance_lock.h"
#include "platform/log_file.h"
#include "platform/x11/x11_tray_probe.h"
#include "profiles/storage/data_folders.h"

namespace {

// The folders udev reads rules from, the administrator's first.
constexpr const char* kRuleFolders[] = {"/etc/udev/rules.d/", "/run/udev/rules.d/", "/usr/local/lib/udev/rules.d/",
                                        "/usr/lib/udev/rules.d/", "/lib/udev/rules.d/"};
constexpr const char* kRuleName = "70-t640.rules";

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

DoctorFacts::OtherCopy LookForRunningCopy() {
  std::string error;
  const std::string folder = OpenDesktopBusFolder(error);
  if (folder.empty()) return DoctorFacts::OtherCopy::kUnknown;
  CSingleInstanceLock lock(folder, kT640InstanceName);
  switch (lock.Acquire(error)) {
    case CSingleInstanceLock::Outcome::First:
      return DoctorFacts::OtherCopy::kNone;  // released as `lock` goes
    case CSingleInstanceLock::Outcome::AnotherIsRunning:
      return DoctorFacts::OtherCopy::kRunning;
    case CSingleInstanceLock::Outcome::Unavailable:
      break;
  }
  return DoctorFacts::OtherCopy::kUnknown;
}

}  // namespace

DoctorFacts GatherDoctorFacts(IHidBackend& backend) {
  DoctorFacts facts;
  facts.listed = ListSupportedInterfaces(backend, facts.interfaces);
  for (const char* folder : kRuleFolders) {
    if (Exists(std::string(folder) + kRuleName)) {
      facts.ruleFile = std::string(folder) + kRuleName;
      break;
    }
  }
  facts.root = geteuid() == 0;
  facts.seat = Environment("XDG_SEAT");
  facts.dataFolder = UserDataFolder();
  facts.dataWritable = !facts.dataFolder.empty() && access(facts.dataFolder.c_str(), W_OK | X_OK) == 0;
  facts.logFile = LogFilePath();
  facts.logEnabled = Exists(facts.logFile.substr(0, facts.logFile.find_last_of('/') + 1));
  if (!Environment("WAYLAND_DISPLAY").empty()) {
    facts.display = DoctorFacts::Display::kWayland;
  } else if (!Environment("DISPLAY").empty()) {
    facts.display = DoctorFacts::Display::kX11;
    facts.trayPresent = X11SystemTrayPresent("");
  }
  facts.otherCopy = LookForRunningCopy();
  return facts;
}
