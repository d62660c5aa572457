#include <gtest/gtest.h>

#include <string>

#include "skin_scan.h"
#include "ui_test_environment.h"

TEST(LanguageKeys, EveryKeyUsedByCodeOrLayoutIsInEveryShippedLanguage) {
  std::map<std::string, std::string> used = LayoutTextKeys();
  for (const auto& [key, file] : CodeTextKeys()) used.emplace(key, file);
  const std::vector<std::string> languages = ShippedLanguageFiles();
  ASSERT_EQ(languages.size(), 2u) << "Language.config lists the shipped languages";
  for (const std::string& language : languages) {
    const std::set<std::string> keys = LanguageKeys(language);
    ASSERT_FALSE(keys.empty()) << language << " holds no texts";
    for (const auto& [key, file] : used) {
      EXPECT_TRUE(keys.count(key)) << "'" << key << "' (" << file << ") missing in " << language;
    }
  }
}

TEST(LanguageKeys, ShippedLanguagesHoldTheSameKeysOnceEach) {
  const std::vector<std::string> languages = ShippedLanguageFiles();
  ASSERT_FALSE(languages.empty());
  std::vector<std::string> duplicates;
  const std::set<std::string> reference = LanguageKeys(languages.front(), &duplicates);
  for (const std::string& language : languages) {
    const std::set<std::string> keys = LanguageKeys(language, &duplicates);
    for (const std::string& key : reference) EXPECT_TRUE(keys.count(key)) << key << " missing in " << language;
    for (const std::string& key : keys) EXPECT_TRUE(reference.count(key)) << key << " only in " << language;
  }
  EXPECT_TRUE(duplicates.empty()) << "a key given twice: " << (duplicates.empty() ? "" : duplicates.front());
}

TEST(LanguageKeys, ScannersFindTheKeysTheyAreThereFor) {
  // Guards the check itself: a scanner that finds nothing would pass everything.
  const std::map<std::string, std::string> code = CodeTextKeys();
  EXPECT_TRUE(code.count("Phone_type_no_device"));
  EXPECT_TRUE(code.count("UpdateFailText"));
  const std::map<std::string, std::string> layouts = LayoutTextKeys();
  EXPECT_TRUE(layouts.count("gallery_title")) << "an element's own resourcetext";
  EXPECT_TRUE(layouts.count("gallery_tip_close")) << "a tooltip";
  EXPECT_TRUE(layouts.count("Phone_type_no_device")) << "a sub-tree layout";
  EXPECT_FALSE(layouts.count("1600")) << "plain text is not a key";
}
