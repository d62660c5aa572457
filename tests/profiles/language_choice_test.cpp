#include "profiles/settings/language_choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::vector<LanguageEntry> kShippedLanguages = {{"zh-CN", "lan_cn.xml", "简体中文", 2052},
                                                      {"en-US", "lan_en.xml", "English", 1033}};

}  // namespace

TEST(LanguageChoice, TheLocaleOfMessagesChoosesChineseOrEnglish) {
  struct Case {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* language;
  };
  const Case cases[] = {
      {nullptr, nullptr, "zh_CN.UTF-8", "zh-CN"},
      {nullptr, nullptr, "zh_TW.UTF-8", "zh-CN"},  // the one Chinese there is
      {nullptr, nullptr, "zh_HK", "zh-CN"},
      {nullptr, nullptr, "zh", "zh-CN"},
      {nullptr, nullptr, "zh_CN.GB18030@pinyin", "zh-CN"},
      {nullptr, nullptr, "en_US.UTF-8", "en-US"},
      {nullptr, nullptr, "de_DE.UTF-8", "en-US"},
      {nullptr, nullptr, "C.UTF-8", "en-US"},
      {nullptr, nullptr, "POSIX", "en-US"},
      {nullptr, nullptr, "zu_ZA", "en-US"},  // a language code that merely starts like Chinese's
      {nullptr, nullptr, nullptr, "en-US"},  // no locale at all
      {"en_GB.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", "en-US"},  // LC_ALL first
      {"", "zh_CN.UTF-8", "en_US.UTF-8", "zh-CN"},             // an empty variable counts as unset
      {nullptr, "en_US.UTF-8", "zh_CN.UTF-8", "en-US"},        // LC_MESSAGES before LANG
      {"", "", "zh_SG.UTF-8", "zh-CN"},
  };
  for (const Case& test : cases) {
    const std::string locale = MessagesLocale(test.lcAll, test.lcMessages, test.lang);
    EXPECT_EQ(LanguageNameForLocale(locale), test.language)
        << (test.lcAll ? test.lcAll : "-") << " / " << (test.lcMessages ? test.lcMessages : "-") << " / "
        << (test.lang ? test.lang : "-");
  }
}

TEST(LanguageChoice, AStoredChoiceWinsOverTheLocale) {
  struct Case {
    std::optional<int64_t> stored;
    const char* locale;
    size_t index;
  };
  const Case cases[] = {
      {std::nullopt, "zh_CN.UTF-8", 0},
      {std::nullopt, "en_US.UTF-8", 1},
      {std::nullopt, "", 1},
      {1033, "zh_CN.UTF-8", 1},  // chosen once: the locale no longer decides
      {2052, "en_US.UTF-8", 0},
      {520, "en_US.UTF-8", 1},   // an identifier no language has is no choice
  };
  for (const Case& test : cases) {
    EXPECT_EQ(StartLanguageIndex(kShippedLanguages, test.stored, test.locale), test.index)
        << (test.stored ? std::to_string(*test.stored) : "none") << " / " << test.locale;
  }
  EXPECT_EQ(StartLanguageIndex({{"de-DE", "lan_de.xml", "Deutsch", 1031}}, std::nullopt, "en_US"), 0u)
      << "a list without the locale's language starts with its first";
}

TEST(LanguageChoice, AUserNamesALanguageByItsNameOrItsNumber) {
  struct Case {
    const char* choice;
    std::optional<size_t> index;
  };
  const Case cases[] = {
      {"en-US", 1}, {"EN-us", 1}, {"zh-CN", 0}, {"1033", 1}, {"2052", 0}, {"en", std::nullopt},
      {"English", std::nullopt}, {"1033x", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(FindLanguageByNameOrId(kShippedLanguages, test.choice), test.index) << test.choice;
  }
  EXPECT_EQ(DescribeLanguages(kShippedLanguages), "zh-CN (2052, 简体中文), en-US (1033, English)");
}
