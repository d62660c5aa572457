#pragma once
#include <string_view>

// Diagnostic trace: the counterpart of a debugger output stream. It goes nowhere unless the
// environment variable T640_TRACE is "1" (standard error) or a file path (appended to that file).
// Each call is written as one whole line.
void OutputDebugString(std::string_view text);

// Re-reads T640_TRACE; tests call it after changing the variable.
void ReloadDebugOutputTarget();
