#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

// Appends one time-stamped line to the support log "<local app data>/R318PX-DOV/Zorbel.log".
// The folder is never created: the log stays silent until the user makes it to collect a log for a
// bug report. A log that has grown past 4 MiB restarts empty. Safe to call from any thread.
void WriteLogLine(std::string_view message);

std::string LogFilePath();

inline constexpr long long kLogFileLimitBytes = 4LL * 1024 * 1024;

// One log file; WriteLogLine uses the program's. A line that cannot be written is dropped; the
// first such line of the object's life leaves one note in the diagnostic trace (T640_TRACE), so a
// developer can see why the log stays empty without every later line repeating it.
class CLogFile {
 public:
  explicit CLogFile(std::function<std::string()> path = LogFilePath);
  CLogFile(const CLogFile&) = delete;
  CLogFile& operator=(const CLogFile&) = delete;

  void WriteLine(std::string_view message);

 private:
  void NoteFailure(const std::string& path, int error);

  std::function<std::string()> path_;
  // Held for the whole open-append-close, which keeps lines whole between threads; it also guards
  // the note flag.
  std::mutex lock_;
  bool failureNoted_ = false;
};
