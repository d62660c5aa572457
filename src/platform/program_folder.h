#pragma once
#include <functional>
#include <string>
#include <vector>

// The folder of the shipped data ("DefaultData/", "skin/", "Font/", "Update/"), with a trailing
// separator. Looked for, in this order:
//   1. T640_PROGRAM_FOLDER, when set (and then only there): tests and scripts point it elsewhere;
//   2. the installed layout: <prefix>/bin/t640 reads <prefix>/share/t640/;
//   3. the executable's own folder (the program and its data copied somewhere together);
//   4. the source tree of the build the executable came from.
// A folder counts when it holds "skin/res.xml".
std::string ProgramFolder();

// Every place ProgramFolder looks, in its order, for messages that name them.
std::vector<std::string> ProgramFolderCandidates();
// True when ProgramFolder found a folder that holds the data.
bool ProgramFolderFound();

// The rule itself, for tests: the candidates for an override ("" when unset), the executable's
// path and the build's source tree ("" when unknown), and the first that `holdsData` accepts (or
// the first candidate when none does).
std::vector<std::string> ProgramFolderCandidatesFor(const std::string& override, const std::string& executable,
                                                    const std::string& sourceTree);
std::string ChooseProgramFolder(const std::vector<std::string>& candidates,
                                const std::function<bool(const std::string&)>& holdsData);
inline constexpr const char* kProgramFolderMarker = "skin/res.xml";
