#include "profiles/storage/json_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

struct LoadCase {
  const char* name;
  std::string content;
  JsonFileState state;
};

// Test names and failure messages show the case by its name.
void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class JsonFileLoading : public ::testing::TestWithParam<LoadCase> {};

TEST_P(JsonFileLoading, ClassifiesWhatIsFoundAndGivesNullUnlessLoaded) {
  TempDataFolder temp;
  std::string path = temp.MakeFolder("f") + "/doc.config";
  WriteFileBytes(path, GetParam().content);
  JsonFileLoad load = LoadJsonDocument(path);
  EXPECT_EQ(load.state, GetParam().state);
  EXPECT_EQ(load.document.isNull(), GetParam().state != JsonFileState::kLoaded);
  EXPECT_EQ(LoadJsonFile(path).isNull(), GetParam().state != JsonFileState::kLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, JsonFileLoading,
    ::testing::Values(LoadCase{"Object", "{\"a\": 1}", JsonFileState::kLoaded},
                      LoadCase{"CommentsAllowed", "// saved by hand\n{\"a\": 1 /* one */}", JsonFileState::kLoaded},
                      LoadCase{"EmptyFile", "", JsonFileState::kEmpty},
                      LoadCase{"OnlyBlanks", " \n\t\r\n", JsonFileState::kEmpty},
                      LoadCase{"CutShort", "{\"Device\" : [ {\"Light", JsonFileState::kDamaged},
                      LoadCase{"Zeros", std::string(64, '\0'), JsonFileState::kDamaged},
                      LoadCase{"ArrayRoot", "[1, 2]", JsonFileState::kDamaged},
                      LoadCase{"NumberRoot", "42", JsonFileState::kDamaged},
                      LoadCase{"NestedTooDeep", std::string(5000, '[') + std::string(5000, ']'), JsonFileState::kDamaged}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonFile, MissingAndUnreadableFilesAreToldApart) {
  TempDataFolder temp;
  std::string folder = temp.MakeFolder("f");
  EXPECT_EQ(LoadJsonDocument(folder + "/absent.config").state, JsonFileState::kMissing);
  EXPECT_EQ(LoadJsonDocument(folder).state, JsonFileState::kUnreadable) << "a folder is no file";
  EXPECT_EQ(ReadJsonFileText(folder + "/absent.config"), "");
}

TEST(JsonFile, WritesTheStyledTextWithALineEndAndReadsItBack) {
  TempDataFolder temp;
  std::string path = temp.MakeFolder("f") + "/doc.Json";
  Json::Value document;
  document["MacroInfo"][0u]["MacroName"] = "宏 1";
  document["MacroInfo"][0u]["Guid"] = "2026_01_17_09_05_03_042";
  ASSERT_TRUE(WriteJsonFile(document, path));
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(0, 4), "{\n  ") << bytes;
  EXPECT_EQ(bytes.back(), '\n');
  EXPECT_EQ(LoadJsonFile(path), document);
  EXPECT_EQ(LoadJsonFile(path)["MacroInfo"][0u]["MacroName"].asString(), "宏 1") << "strings come back as UTF-8";
}

}  // namespace
