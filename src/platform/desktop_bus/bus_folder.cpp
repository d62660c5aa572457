#include "platform/desktop_bus/bus_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool IsUsableRuntimeFolder(const char* path) {
  if (path == nullptr || path[0] != '/') return false;
  struct stat info {};
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         access(path, W_OK | X_OK) == 0;
}

std::string OctalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", unsigned(mode & 07777));
  return text;
}

}  // namespace

std::string DesktopBusFolderPath() {
  const char* chosen = std::getenv("T640_BUS_DIR");
  if (chosen != nullptr && chosen[0] != '\0') return chosen;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (IsUsableRuntimeFolder(runtime)) {
    std::string path = runtime;
    if (path.back() != '/') path += '/';
    return path + "t640-bus";
  }
  return "/tmp/t640-bus-" + std::to_string(geteuid());
}

bool PrepareDesktopBusFolder(const std::string& path, std::string& error) {
  if (path.empty()) {
    error = "no message bus folder was given";
    return false;
  }
  bool created = false;
  if (mkdir(path.c_str(), 0700) == 0) {
    created = true;
  } else if (errno != EEXIST) {
    error = "cannot create the message bus folder " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    error = "cannot examine the message bus folder " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    error = "the message bus folder " + path + " is not a folder (or is a symbolic link); refusing to use it";
    return false;
  }
  if (info.st_uid != geteuid()) {
    error = "the message bus folder " + path + " belongs to user " + std::to_string(info.st_uid) +
            ", not to us; refusing to use it";
    return false;
  }
  // mkdir's mode went through the umask, which may have taken the owner's own bits away.
  if (created && (info.st_mode & 07777) != 0700) {
    if (chmod(path.c_str(), 0700) != 0) {
      error = "cannot set mode 0700 on the message bus folder " + path + ": " + std::strerror(errno);
      return false;
    }
    info.st_mode = (info.st_mode & ~mode_t(07777)) | 0700;
  }
  if ((info.st_mode & 07777) != 0700) {
    error = "the message bus folder " + path + " has mode " + OctalMode(info.st_mode) +
            " instead of 0700; refusing to use it (fix it with: chmod 700 " + path + ")";
    return false;
  }
  return true;
}

std::string OpenDesktopBusFolder(std::string& error) {
  std::string path = DesktopBusFolderPath();
  if (!PrepareDesktopBusFolder(path, error)) return {};
  return path;
}
