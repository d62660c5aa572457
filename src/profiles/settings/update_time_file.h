#pragma once
#include <string>

// "updatetime.config": the date of the first look for updates, {"updatelasttime": {"value":
// "2026-1-17"}} (year, month and day without leading zeros).

// The date text of a local date.
std::string UpdateDateText(int year, int month, int day);

// The stored date; when the file is missing, damaged or holds no date, `today` is written to it
// (atomically) and returned. A file that cannot be written still gives `today`.
std::string ReadOrStartUpdateTime(const std::string& path, const std::string& today);
