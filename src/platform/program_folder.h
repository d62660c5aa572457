#pragma once
#include <string>

// The folder of the running executable, with a trailing separator: the base of the shipped data
// ("DefaultData/", "skin/", "Font/", "Update/"). T640_PROGRAM_FOLDER overrides it, so tests and
// a build tree can point at the repository's data.
std::string ProgramFolder();
