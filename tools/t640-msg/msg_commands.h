#pragma once
#include <string>

#include "tools/t640-msg/msg_arguments.h"

inline constexpr int kMsgExitOk = 0;
inline constexpr int kMsgExitFailed = 1;  // no such window, time-out, or the bus cannot be used
inline constexpr int kMsgExitUsage = 2;

// Runs one checked command against the bus in `folder`, printing to standard output and errors
// to standard error. listen runs until `stopFd` becomes readable.
int RunMsgCommand(const MsgCommandLine& command, const std::string& folder, int stopFd);
