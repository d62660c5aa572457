#include "profiles/storage/data_folders.h"

#include <filesystem>

#include "platform/app_paths.h"
#include "platform/debug_output.h"
#include "platform/program_folder.h"

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

bool EnsureFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (std::filesystem::is_directory(folder, error)) return true;
  OutputDebugString("cannot create the folder " + folder);
  return false;
}

std::string UserDataFolder() {
  std::string folder = WithTrailingSlash(LocalAppDataFolder()) + "T640/";
  EnsureFolder(folder);
  return folder;
}

std::string DeviceDataFolderIn(const std::string& userFolder, std::string_view kindName) {
  std::string folder = WithTrailingSlash(userFolder) + std::string(kindName) + "/";
  EnsureFolder(folder);
  return folder;
}

std::string DeviceDataFolder(std::string_view kindName) { return DeviceDataFolderIn(UserDataFolder(), kindName); }

std::string DefaultDataFolder() { return ProgramFolder() + "DefaultData/"; }

std::string DefaultDataPathIn(const std::string& defaultDataFolder, std::string_view kindName) {
  return WithTrailingSlash(defaultDataFolder) + std::string(kindName) + std::string(kProfileFileExtension);
}

std::string DefaultDataPath(std::string_view kindName) { return DefaultDataPathIn(DefaultDataFolder(), kindName); }

std::string ProfileFilePath(const std::string& deviceFolder, std::string_view profileId) {
  return WithTrailingSlash(deviceFolder) + std::string(profileId) + std::string(kProfileFileExtension);
}
