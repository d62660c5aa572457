#include "profiles/settings/update_time_file.h"

#include <gtest/gtest.h>

#include <json/json.h>

#include <cstdio>

#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

TEST(UpdateTimeFile, DatesHaveNoLeadingZeros) {
  EXPECT_EQ(UpdateDateText(2026, 1, 7), "2026-1-7");
  EXPECT_EQ(UpdateDateText(2026, 12, 11), "2026-12-11");
}

TEST(UpdateTimeFile, TheFirstDateIsKeptAndAFileWithoutOneGetsToday) {
  TempDataFolder temp;
  const std::string path = temp.Path() + "/updatetime.config";
  struct Case {
    const char* content;  // null: no file
    const char* expected;
    bool rewritten;
  };
  const Case cases[] = {
      {nullptr, "2026-12-11", true},
      {R"({"updatelasttime": {"value": "2025-3-4"}})", "2025-3-4", false},
      {R"({"updatelasttime": {"value": ""}})", "2026-12-11", true},
      {R"({"updatelasttime": 5})", "2026-12-11", true},
      {"not json {", "2026-12-11", true},
  };
  for (const Case& test : cases) {
    std::remove(path.c_str());
    if (test.content) WriteFileBytes(path, test.content);
    EXPECT_EQ(ReadOrStartUpdateTime(path, "2026-12-11"), test.expected) << (test.content ? test.content : "none");
    const Json::Value stored = LoadJsonFile(path);
    EXPECT_EQ(stored["updatelasttime"]["value"].asString(), test.expected);
    if (!test.rewritten) {
      EXPECT_EQ(temp.ReadFile("updatetime.config"), test.content) << "left as it was";
    }
  }
}
