#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return folder;
}

// "/a/b/" for "/a/b/c" and for "/a/b/c/".
std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExecutablePath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

bool HoldsData(const std::string& folder) {
  struct stat info {};
  return stat((folder + kProgramFolderMarker).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Override() {
  const char* value = std::getenv("T640_PROGRAM_FOLDER");
  return value ? value : "";
}

std::string SourceTree() {
#ifdef T640_SOURCE_DIR
  return T640_SOURCE_DIR;
#else
  return "";
#endif
}

}  // namespace

std::vector<std::string> ProgramFolderCandidatesFor(const std::string& override, const std::string& executable,
                                                    const std::string& sourceTree) {
  if (!override.empty()) return {WithSeparator(override)};
  std::vector<std::string> candidates;
  const std::string executableFolder = ParentOf(executable);
  if (!executableFolder.empty()) {
    const std::string prefix = ParentOf(executableFolder);
    if (!prefix.empty()) candidates.push_back(prefix + "share/t640/");
    candidates.push_back(executableFolder);
  }
  if (!sourceTree.empty()) candidates.push_back(WithSeparator(sourceTree));
  return candidates;
}

std::string ChooseProgramFolder(const std::vector<std::string>& candidates,
                                const std::function<bool(const std::string&)>& holdsData) {
  for (const std::string& candidate : candidates) {
    if (holdsData(candidate)) return candidate;
  }
  return candidates.empty() ? std::string() : candidates.front();
}

std::vector<std::string> ProgramFolderCandidates() {
  return ProgramFolderCandidatesFor(Override(), ExecutablePath(), SourceTree());
}

std::string ProgramFolder() { return ChooseProgramFolder(ProgramFolderCandidates(), HoldsData); }

bool ProgramFolderFound() { return HoldsData(ProgramFolder()); }
