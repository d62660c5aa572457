#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "profiles/profile_list/profile_store.h"
#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

// A device folder, the kind's default data and a profile store over them.
class ProfileListFolder : public ::testing::Test {
 protected:
  static constexpr const char* kDefaults =
      R"({"Device": [{"LightInfo": {"Light": 2}, "CustomEQNameInfo": [{"Name": "factory"}]}]})";

  void SetUp() override { WriteFileBytes(defaultDataPath_, kDefaults); }

  // Ids older than any the store makes, so new profiles sort after them.
  static std::string IdOf(size_t i) {
    char id[32];
    std::snprintf(id, sizeof id, "2020_01_01_00_00_00_%03zu", i);
    return id;
  }

  // A profile file whose settings tell the profiles apart ("Light" = light).
  void WriteProfileFile(const std::string& name, const std::string& id, int light) {
    Json::Value document;
    document["profilename"] = name;
    document["profileUUID"] = id;
    document["Device"][0u]["LightInfo"]["Light"] = light;
    ASSERT_TRUE(WriteJsonFile(document, folder_ + id + ".Json"));
  }

  // A list of these names with ids IdOf(i) and a profile file each ("Light" = 10 + i).
  void WriteProfiles(const std::vector<std::string>& names, int selected = 0) {
    Json::Value list;
    list["profilelist"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < names.size(); ++i) {
      Json::Value entry;
      entry["profilename"] = names[i];
      entry["profileUUID"] = IdOf(i);
      entry["profileislink"] = 0;
      entry["profilelinkmame"] = "";
      list["profilelist"].append(entry);
      WriteProfileFile(names[i], IdOf(i), static_cast<int>(10 + i));
    }
    list["profileselect"] = selected;
    ASSERT_TRUE(WriteJsonFile(list, ListPath()));
    store_.Reload();
  }

  std::string ListPath() const { return folder_ + "ProfileList.ini"; }
  Json::Value List() const { return LoadJsonFile(ListPath()); }
  Json::Value ProfileFile(const std::string& id) const { return LoadJsonFile(folder_ + id + ".Json"); }
  static int LightOf(const Json::Value& document) { return document["Device"][0u]["LightInfo"]["Light"].asInt(); }

  // The default data as a profile of this name and id holds it.
  static Json::Value DefaultsAs(const std::string& name, const std::string& id) {
    Json::Value document;
    EXPECT_TRUE(ParseJsonText(kDefaults, document));
    document["profilename"] = name;
    document["profileUUID"] = id;
    return document;
  }

  std::vector<std::string> ListedNames() const {
    std::vector<std::string> names;
    for (const ProfileListEntry& entry : store_.Entries()) names.push_back(entry.name);
    return names;
  }
  // The names as the list file holds them.
  std::vector<std::string> StoredNames() const {
    std::vector<std::string> names;
    const Json::Value list = List();
    for (const Json::Value& entry : list["profilelist"]) names.push_back(entry["profilename"].asString());
    return names;
  }

  // Every file of the folder with its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : FolderEntries(folder_)) files[name] = ReadFileBytes(folder_ + name);
    return files;
  }

  TempDataFolder temp_;
  std::string folder_ = temp_.MakeFolder("T640/HD") + "/";
  std::string defaultDataPath_ = temp_.MakeFolder("program/DefaultData") + "/HD.Json";
  std::string exportFolder_ = temp_.MakeFolder("exports") + "/";
  CProfileStore store_{folder_, defaultDataPath_};
};
