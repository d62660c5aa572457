#include "support/temp_data_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TempDataFolder::TempDataFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "t640-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary folder";
  path_ = pattern;
  if (const char* previous = getenv("XDG_DATA_HOME")) {
    hadPreviousXdg_ = true;
    previousXdg_ = previous;
  }
  setenv("XDG_DATA_HOME", path_.c_str(), 1);
}

TempDataFolder::~TempDataFolder() {
  if (hadPreviousXdg_) {
    setenv("XDG_DATA_HOME", previousXdg_.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDataFolder::MakeFolder(const std::string& relative) const {
  std::filesystem::path folder = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string TempDataFolder::ReadFile(const std::string& relative) const {
  std::ifstream in(std::filesystem::path(path_) / relative, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}
