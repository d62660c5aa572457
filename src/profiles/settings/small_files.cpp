#include "profiles/settings/small_files.h"

#include "profiles/storage/data_folders.h"

const SmallFileRow& SmallFileInfo(SmallFile file) {
  for (const SmallFileRow& row : kSmallFiles) {
    if (row.file == file) return row;
  }
  return kSmallFiles[0];
}

std::string SmallFilePathIn(SmallFile file, const std::string& defaultDataFolder, const std::string& userFolder,
                            std::string_view kindName) {
  const SmallFileRow& row = SmallFileInfo(file);
  switch (row.folder) {
    case StoredFileFolder::kDefaultData:
      return defaultDataFolder + std::string(row.name);
    case StoredFileFolder::kUser:
      EnsureFolder(userFolder);
      return userFolder + std::string(row.name);
    case StoredFileFolder::kDevice:
      return DeviceDataFolderIn(userFolder, kindName) + std::string(row.name);
  }
  return {};
}

std::string SmallFilePath(SmallFile file, std::string_view kindName) {
  return SmallFilePathIn(file, DefaultDataFolder(), UserDataFolder(), kindName);
}
