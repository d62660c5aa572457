#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "controls_harness.h"
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/resource_manager.h"
#include "ui_test_environment.h"

namespace {

// Every key a caller hands to the prompt window. Format texts get one number from their caller
// and must hold exactly one %d.
struct PromptKey {
  const char* key;
  bool formatted;
};

constexpr PromptKey kPromptKeys[] = {
    {"message_text_2", false},  {"message_text_4", false},  {"message_text_5", false},    {"message_text_5_1", false},
    {"message_text_6", false},  {"message_text_7", false},  {"message_text_16", true},    {"message_text_22", false},
    {"message_text_25", false}, {"message_text_26", true},  {"message_text_26_1", false}, {"message_text_27", false},
    {"message_text_28", false}, {"message_text_29", false}, {"message_text_30", false},   {"message_text_32", false},
    {"message_text_33", false}, {"message_text_34", false}, {"message_text_35", false},   {"message_text_36", false},
    {"message_text_37", false}, {"message_text_38", false}, {"message_text_39", false},   {"UpdateTiShi", false},
    {"UpdateTiShiText", false}, {"message_keys_not_sent", false}, {"message_profile_not_sent", false},
    {"UpdateTiShiNoUpdater", false}, {"UpdateTiShiNotStarted", false},
};

// The language files Language.config lists.
std::vector<std::string> ShippedLanguages() {
  std::ifstream config(ShippedDataFolder() + "Language.config");
  std::stringstream text;
  text << config.rdbuf();
  const std::string content = text.str();
  std::vector<std::string> files;
  const std::regex file("\"Language_file\"\\s*:\\s*\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(content.begin(), content.end(), file); it != std::sregex_iterator(); ++it) {
    files.push_back((*it)[1]);
  }
  return files;
}

// Conversions in a format text: "%%" is not one.
int Conversions(const std::string& text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    ++count;
  }
  return count;
}

// True when the UTF-8 text holds a character from U+4000 to U+9FFF, where the common Han
// ideographs are.
bool HasHanCharacter(const std::string& text) {
  for (size_t i = 0; i + 2 < text.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    const auto b1 = static_cast<unsigned char>(text[i + 1]);
    if (b0 >= 0xE4 && b0 <= 0xE9 && (b1 & 0xC0) == 0x80) return true;
  }
  return false;
}

}  // namespace

TEST(PromptTexts, EveryPromptKeyHasItsTextInEveryShippedLanguage) {
  const std::vector<std::string> languages = ShippedLanguages();
  ASSERT_EQ(languages.size(), 2u) << "Language.config lists the shipped languages";
  CResourceManager* resources = CResourceManager::GetInstance();
  for (const std::string& language : languages) {
    ASSERT_TRUE(resources->LoadLanguage((ShippedDataFolder() + language).c_str())) << language;
    for (const PromptKey& prompt : kPromptKeys) {
      SCOPED_TRACE(language + ": " + prompt.key);
      ASSERT_TRUE(resources->HasText(prompt.key));
      const std::string text = resources->GetText(prompt.key).str();
      EXPECT_FALSE(text.empty());
      if (language == "lan_cn.xml") {
        EXPECT_TRUE(HasHanCharacter(text)) << "not translated: " << text;
      }
      if (prompt.formatted) {
        EXPECT_EQ(Conversions(text), 1) << text;
        EXPECT_NE(text.find("%d"), std::string::npos) << text;
        CDuiString shown;
        shown.Format(text.c_str(), 4711);
        EXPECT_NE(shown.Find("4711"), -1) << shown.str();
      }
    }
  }
  resources->LoadLanguage((ShippedDataFolder() + "lan_en.xml").c_str());
}
