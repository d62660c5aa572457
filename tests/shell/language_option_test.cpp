#include "shell/language_option.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "profiles/settings/user_settings.h"
#include "support/temp_data_folder.h"

namespace {

constexpr const char* kShippedDefaultData = T640_SOURCE_DIR "DefaultData/";

class LanguageOption : public testing::Test {
 protected:
  std::string Stored() const {
    return std::to_string(ReadUserSetting(userFolder, kLanguageSettingName, -1));
  }
  TempDataFolder data;
  std::string userFolder = data.MakeFolder("T640") + "/";
};

}  // namespace

TEST_F(LanguageOption, StoresTheNamedLanguageForEveryLaterStart) {
  struct Case {
    const char* choice;
    const char* stored;
  };
  const Case cases[] = {{"en-US", "1033"}, {"zh-cn", "2052"}, {"1033", "1033"}};
  for (const Case& test : cases) {
    std::string message;
    EXPECT_EQ(StoreLanguageOption(test.choice, kShippedDefaultData, userFolder, &message),
              LanguageOptionResult::kStored)
        << test.choice << ": " << message;
    EXPECT_EQ(Stored(), test.stored) << test.choice;
  }
}

TEST_F(LanguageOption, AnUnknownLanguageIsRefusedWithTheValidOnesAndNothingStored) {
  ASSERT_EQ(StoreLanguageOption("zh-CN", kShippedDefaultData, userFolder, nullptr), LanguageOptionResult::kStored);
  std::string message;
  EXPECT_EQ(StoreLanguageOption("fr-FR", kShippedDefaultData, userFolder, &message), LanguageOptionResult::kUnknown);
  EXPECT_EQ(message, "unknown language \"fr-FR\"; choose one of: zh-CN (2052, 简体中文), en-US (1033, English)");
  EXPECT_EQ(Stored(), "2052") << "the earlier choice stays";

  EXPECT_EQ(StoreLanguageOption("en-US", data.Path() + "/nowhere/", userFolder, &message),
            LanguageOptionResult::kUnknown);
  EXPECT_NE(message.find("no language list"), std::string::npos) << message;
}

TEST_F(LanguageOption, AChoiceThatCannotBeWrittenSaysWhere) {
  std::string message;
  const std::string blocked = data.Path() + "/not-a-folder";
  {
    FILE* file = std::fopen(blocked.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
  }
  EXPECT_EQ(StoreLanguageOption("en-US", kShippedDefaultData, blocked + "/", &message),
            LanguageOptionResult::kNotStored);
  EXPECT_NE(message.find(blocked + "/settings.json"), std::string::npos) << message;
}
