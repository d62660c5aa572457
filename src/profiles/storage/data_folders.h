#pragma once
#include <string>
#include <string_view>

// Where stored data lives. Per-user data is under the local application-data folder in "T640/",
// one sub-folder per device kind named by the kind name; shipped data is in the program folder's
// "DefaultData/" and is only read. Every folder text ends with '/', and a file path is the folder
// text followed directly by the file name.

inline constexpr std::string_view kMouseKindName = "mouse";
inline constexpr std::string_view kKeyboardKindName = "keyboard";
inline constexpr std::string_view kMousePadKindName = "MousePad";
inline constexpr std::string_view kHeadsetKindName = "HD";

inline constexpr std::string_view kProfileFileExtension = ".Json";  // capital J, as the files have always been named

// "<local app data>/T640/", created when missing.
std::string UserDataFolder();

// "<user folder><kind name>/", created (with the user folder) when missing.
std::string DeviceDataFolder(std::string_view kindName);

// The same below an explicit user folder; tests and tools pass their own.
std::string DeviceDataFolderIn(const std::string& userFolder, std::string_view kindName);

// "<program folder>DefaultData/"; never created.
std::string DefaultDataFolder();

// "<default-data folder><kind name>.Json".
std::string DefaultDataPath(std::string_view kindName);
std::string DefaultDataPathIn(const std::string& defaultDataFolder, std::string_view kindName);

// "<device folder><profile id>.Json".
std::string ProfileFilePath(const std::string& deviceFolder, std::string_view profileId);

// Creates a folder and its parents; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
