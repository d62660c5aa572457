#include "platform/log_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <utility>

#include "platform/app_paths.h"
#include "platform/debug_output.h"

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

CLogFile::CLogFile(std::function<std::string()> path) : path_(std::move(path)) {}

void CLogFile::WriteLine(std::string_view message) {
  std::lock_guard guard(lock_);
  const std::string path = path_();
  // O_APPEND keeps lines whole against another process writing the same file.
  FILE* file = std::fopen(path.c_str(), "a");
  if (!file) {
    NoteFailure(path, errno);
    return;
  }
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && info.st_size > kLogFileLimitBytes) {
    std::fclose(file);
    file = std::fopen(path.c_str(), "w");
    if (!file) {
      NoteFailure(path, errno);
      return;
    }
  }
  std::string line = TimeStamp();
  line.append(message);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

void CLogFile::NoteFailure(const std::string& path, int error) {
  if (std::exchange(failureNoted_, true)) return;
  const std::string reason = std::error_code(error, std::generic_category()).message();
  OutputDebugString("unable to open log file " + path + ": " + reason + " (further lines are dropped silently)");
}

void WriteLogLine(std::string_view message) {
  static CLogFile programLog;
  programLog.WriteLine(message);
}
