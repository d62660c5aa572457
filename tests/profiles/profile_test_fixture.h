#pragma once
#include <gtest/gtest.h>

#include <string>

#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

// A device folder and a default-data folder in a fresh temporary data home.
class ProfileFolders : public ::testing::Test {
 protected:
  Json::Value Parse(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(ParseJsonText(text, value)) << text;
    return value;
  }
  // Writes `text` as the kind's default-data file and returns its path.
  std::string WriteDefaults(const std::string& text) {
    WriteFileBytes(defaultDataPath_, text);
    return defaultDataPath_;
  }

  TempDataFolder temp_;
  std::string folder_ = temp_.MakeFolder("T640/mouse") + "/";
  std::string defaultFolder_ = temp_.MakeFolder("program/DefaultData") + "/";
  std::string defaultDataPath_ = defaultFolder_ + "mouse.Json";
  std::string profilePath_ = folder_ + "2026_01_17_09_05_03_042.Json";
};
