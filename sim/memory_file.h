#pragma once
#include <string>

#include "sim/firmware_memory.h"

// A virtual device's memory kept in a file across runs, as a real device keeps what it was told.
// One line per block: its name, a space, its bytes in hex. The file is replaced atomically.

// Reads the file over `memory`. Only blocks of the sizes `memory` already has are taken, so a file
// from a device of another shape cannot resize a block. False when there is no such file or it is
// not a memory file (then `memory` is unchanged).
bool LoadSimMemoryFile(const std::string& path, SimFirmwareMemory& memory);

bool SaveSimMemoryFile(const std::string& path, const SimFirmwareMemory& memory);
