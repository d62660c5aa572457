#pragma once
#include <cstdint>
#include <string>

// The local time as "%d_%02d_%02d_%02d_%02d_%02d_%03d" (year, month, day, hour, minute, second,
// millisecond), e.g. 2026_01_17_09_05_03_042. It names profile files, macros and light effects,
// so it never hands out the same text twice in one process: when the clock has not moved on
// since the last text (two calls in one millisecond, a clock set back, the hour repeated when
// summer time ends), the next text is one millisecond after the last. Safe from any thread.
std::string MakeTimeStamp();

// The text for a moment of local wall-clock time, given as milliseconds since 1970-01-01 00:00
// of the local calendar (not UTC).
std::string FormatTimeStamp(int64_t localMilliseconds);
