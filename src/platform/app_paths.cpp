#include "platform/app_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

std::string LocalAppDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return xdg;
  std::string home;
  if (const char* env = std::getenv("HOME"); env && *env) {
    home = env;
  } else if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
    home = entry->pw_dir;
  }
  return home + "/.local/share";
}
