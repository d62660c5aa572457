#pragma once
#include <string>
#include <vector>

// File helpers for the stored-data tests: plain writes and reads that bypass the code under test.

void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes, or empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// The names in a folder, sorted; hidden temporary files included.
std::vector<std::string> FolderEntries(const std::string& folder);
