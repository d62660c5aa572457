#pragma once

#include <string>
#include <vector>

// Starts another program and leaves it running on its own (the firmware updater, a companion
// program). Its working folder is the folder it lives in. False when the file is not an
// executable or could not be started; the caller does not wait for it.
bool StartDetachedProgram(const std::string& path, const std::vector<std::string>& arguments);
