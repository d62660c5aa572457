#include "profiles/storage/damaged_file.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/debug_output.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr int kMaxKeptCopies = 99;

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

bool KeepDamagedFileAside(const std::string& path, DamagedFileNotice& notice) {
  std::string target = path + ".damaged";
  // Earlier copies are kept too: each may be the only record of a different profile state.
  for (int copy = 2; Exists(target) && copy <= kMaxKeptCopies; ++copy) {
    target = path + ".damaged." + std::to_string(copy);
  }
  if (Exists(target) || std::rename(path.c_str(), target.c_str()) != 0) {
    OutputDebugString("cannot keep the damaged file aside: " + path);
    return false;
  }
  OutputDebugString("damaged file kept as " + target);
  notice.path = path;
  notice.keptAs = target;
  return true;
}

bool SaveJsonDocument(const Json::Value& document, const std::string& path, std::vector<DamagedFileNotice>& notices) {
  JsonFileState state = LoadJsonDocument(path).state;
  // A file that exists but could not be read may be fine; replacing it unseen would lose it.
  if (state == JsonFileState::kUnreadable) return false;
  if (state == JsonFileState::kDamaged) {
    DamagedFileNotice notice;
    if (!KeepDamagedFileAside(path, notice)) return false;
    notices.push_back(notice);
  }
  return WriteJsonFile(document, path);
}
