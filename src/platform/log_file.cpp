#include "platform/log_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <mutex>

#include "platform/app_paths.h"

std::string LogFilePath() { return LocalAppDataFolder() + "/R318PX-DOV/Zorbel.log"; }

namespace {

std::string TimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[64] = {};
  std::snprintf(buffer, sizeof buffer, "%4d-%02d-%02d-%02d-%02d-%02d:", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return buffer;
}

}  // namespace

void WriteLogLine(std::string_view message) {
  // One lock for the whole open-append-close keeps lines whole between threads of this process;
  // O_APPEND keeps them whole against another process writing the same file.
  static std::mutex lock;
  std::lock_guard guard(lock);

  const std::string path = LogFilePath();
  FILE* file = std::fopen(path.c_str(), "a");
  if (!file) {
    std::fputs("unable to open log file\n", stderr);
    return;
  }
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && info.st_size > kLogFileLimitBytes) {
    std::fclose(file);
    file = std::fopen(path.c_str(), "w");
    if (!file) {
      std::fputs("unable to open log file\n", stderr);
      return;
    }
  }
  std::string line = TimeStamp();
  line.append(message);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}
