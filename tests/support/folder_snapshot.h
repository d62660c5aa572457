#pragma once
#include <map>
#include <string>

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Every file of a folder (not its sub-folders' files) with its bytes, by file name: two snapshots
// that compare equal show that an operation changed nothing there.
std::map<std::string, std::string> SnapshotFolder(const std::string& folder);
