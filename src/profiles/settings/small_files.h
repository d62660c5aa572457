#pragma once
#include <array>
#include <string>
#include <string_view>

// The index of the small stored files besides profiles and macros: where each lives and whether
// the program writes it. Each file's format belongs to the code that reads it.
enum class StoredFileFolder {
  kDefaultData,  // the program folder's "DefaultData/", shipped and only read
  kUser,         // "<local app data>/T640/"
  kDevice,       // "<user folder><kind name>/"
};

enum class SmallFile {
  kLanguageList,
  kUpdateTime,
  kColourOptions,
  kColourOptionsFactory,
  kAudioStyles,
  kAudioStylesFactory,
  kDefaultLightNames,
  kLightConfiguration,
  kProfileList,
  kMacroList,
  kReadOnlyMacroList,
  kSkinSettings,
};

struct SmallFileRow {
  SmallFile file;
  std::string_view name;
  StoredFileFolder folder;
  bool writtenByProgram;
};

inline constexpr std::array<SmallFileRow, 12> kSmallFiles = {{
    {SmallFile::kLanguageList, "Language.config", StoredFileFolder::kDefaultData, false},
    // Written only while it holds no date yet.
    {SmallFile::kUpdateTime, "updatetime.config", StoredFileFolder::kUser, true},
    // The user copy is made from the factory copy on first use.
    {SmallFile::kColourOptions, "color_option_info.config", StoredFileFolder::kUser, true},
    {SmallFile::kColourOptionsFactory, "color_option_info.config", StoredFileFolder::kDefaultData, false},
    {SmallFile::kAudioStyles, "AudioFile.json", StoredFileFolder::kUser, true},
    {SmallFile::kAudioStylesFactory, "AudioFile.json", StoredFileFolder::kDefaultData, false},
    {SmallFile::kDefaultLightNames, "default_light.json", StoredFileFolder::kDefaultData, false},
    {SmallFile::kLightConfiguration, "orvik_light.config", StoredFileFolder::kDevice, false},
    // JSON in spite of its extension.
    {SmallFile::kProfileList, "ProfileList.ini", StoredFileFolder::kDevice, true},
    {SmallFile::kMacroList, "macro.config", StoredFileFolder::kDevice, true},
    {SmallFile::kReadOnlyMacroList, "orvik_macro.config", StoredFileFolder::kDevice, false},
    // The one INI file.
    {SmallFile::kSkinSettings, "main.ini", StoredFileFolder::kUser, true},
}};

const SmallFileRow& SmallFileInfo(SmallFile file);

// The file's full path. `kindName` is used only for device-folder files. The user and device
// folders are created when missing; the default-data folder never is.
std::string SmallFilePath(SmallFile file, std::string_view kindName = {});

// The same below explicit folders (each ending with '/'), for tests and tools.
std::string SmallFilePathIn(SmallFile file, const std::string& defaultDataFolder, const std::string& userFolder,
                            std::string_view kindName = {});
