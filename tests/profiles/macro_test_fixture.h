#pragma once
#include <gtest/gtest.h>

#include <string>

#include "profiles/macros/macro_store.h"
#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

// A device folder with a macro store over it.
class MacroFolder : public ::testing::Test {
 protected:
  // Writes a list file with these names and ids "id0", "id1", … and returns the ids.
  void WriteList(const std::vector<std::string>& names) {
    Json::Value document;
    document["MacroInfo"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < names.size(); ++i) {
      Json::Value entry;
      entry["MacroName"] = names[i];
      entry["Guid"] = "id" + std::to_string(i);
      document["MacroInfo"].append(entry);
    }
    ASSERT_TRUE(WriteJsonFile(document, folder_ + "macro.config"));
    store_.Load();
  }
  void WriteMacroFile(const std::string& id, const std::string& eventsJson) {
    WriteFileBytes(folder_ + id + ".mac", R"({"MacroName": "m", "Guid": ")" + id + R"(", "Events": )" + eventsJson +
                                              R"(, "Version": 64})");
  }
  // `count` key-A presses of 10 ms as a JSON list.
  static std::string KeyEvents(size_t count) {
    std::string list = "[";
    for (size_t i = 0; i < count; ++i) {
      list += std::string(i ? "," : "") + R"({"Type": 10, "Button": 4, "Action": "down", "Delay": "10"})";
    }
    return list + "]";
  }

  TempDataFolder temp_;
  std::string folder_ = temp_.MakeFolder("T640/mouse") + "/";
  std::string importFolder_ = temp_.MakeFolder("downloads") + "/";
  CMacroStore store_{folder_};
};
