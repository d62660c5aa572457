// The interface language of whole program runs: the locale at a first start, a stored choice
// afterwards.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "profiles/settings/user_settings.h"
#include "program_fixture.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"

namespace {

// Sets one environment variable for the life of the object (null unsets it).
class CScopedEnvironment {
 public:
  CScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~CScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  CScopedEnvironment(const CScopedEnvironment&) = delete;
  CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(ProgramLanguage, AFirstStartFollowsTheLocaleAndAStoredChoiceWins) {
  struct Case {
    const char* lang;
    int64_t stored;  // 0: nothing stored yet
    const char* shown;
    int64_t storedAfter;
  };
  const Case cases[] = {
      {"zh_CN.UTF-8", 0, "zh-CN", 2052},
      {"en_US.UTF-8", 0, "en-US", 1033},
      {"C", 0, "en-US", 1033},
      {"zh_CN.UTF-8", 1033, "en-US", 1033},
      {"en_US.UTF-8", 2052, "zh-CN", 2052},
  };
  CScopedEnvironment lcAll("LC_ALL", nullptr);
  CScopedEnvironment lcMessages("LC_MESSAGES", nullptr);
  for (const Case& test : cases) {
    CScopedEnvironment lang("LANG", test.lang);
    TempDataFolder data;
    if (test.stored) {
      ASSERT_TRUE(WriteUserSetting("", kLanguageSettingName, test.stored));
    }
    Program program("", &data);
    ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
    EXPECT_EQ(CResourceManager::GetInstance()->GetLanguage(), test.shown) << test.lang << " / " << test.stored;
    EXPECT_EQ(ReadUserSetting("", kLanguageSettingName, -1), test.storedAfter)
        << test.lang << " / " << test.stored << ": the language shown is the choice of later starts";
    const bool chinese = std::string(test.shown) == "zh-CN";
    EXPECT_EQ(CPaintManagerUI::GetInterfaceFontFace(), chinese ? "WenQuanYi Micro Hei" : "DejaVu Sans") << test.lang;
  }
}
