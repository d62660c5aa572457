#include "platform/program_folder.h"

#include <unistd.h>

#include <cstdlib>

std::string ProgramFolder() {
  std::string folder;
  if (const char* override = std::getenv("T640_PROGRAM_FOLDER"); override && *override) {
    folder = override;
  } else {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
      folder.assign(path, static_cast<size_t>(length));
      folder.erase(folder.find_last_of('/') + 1);
    }
  }
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return folder;
}
