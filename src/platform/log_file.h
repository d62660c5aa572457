#pragma once
#include <string>
#include <string_view>

// Appends one time-stamped line to the support log "<local app data>/R318PX-DOV/Zorbel.log".
// The folder is never created; when the file cannot be opened the line is dropped with a note on
// standard error. A log that has grown past 4 MiB restarts empty. Safe to call from any thread.
void WriteLogLine(std::string_view message);

std::string LogFilePath();

inline constexpr long long kLogFileLimitBytes = 4LL * 1024 * 1024;
