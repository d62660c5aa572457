#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

class Language : public testing::Test {
 protected:
  void SetUp() override {
    UseFixtureSkin();
    ASSERT_TRUE(resources->LoadLanguage("lang_en.xml"));
  }
  void TearDown() override {
    resources->ResetTextMap();
    resources->SetTextQueryInterface(nullptr);
  }
  CResourceManager* resources = CResourceManager::GetInstance();
};

class CFallbackTexts : public IQueryControlText {
 public:
  CDuiString QueryControlText(const CDuiString& key, const CDuiString&) override {
    return key == "only_in_code" ? CDuiString("from code") : CDuiString();
  }
};

}  // namespace

TEST_F(Language, KeysTranslateAndMissingKeysShowThemselves) {
  struct Case {
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"title_key", "Settings"},
      {"keyboard_key_Print Scr", "Print Screen"},
      {"keyboard_key_<", "<"},
      {"message_text_99", "message_text_99"},
  };
  for (const Case& test : cases) EXPECT_EQ(resources->GetText(test.key), test.text) << test.key;
}

TEST_F(Language, ResourceTextLabelsFollowTheLanguageAndPlainOnesDoNot) {
  CTestWindow window("XML_TEST");
  window.CreateHidden();
  auto* title = window.Manager().FindControl("title_label");
  EXPECT_EQ(title->GetText(), "Settings");
  EXPECT_EQ(title->GetTextKey(), "title_key");
  ASSERT_TRUE(resources->LoadLanguage("lang_de.xml"));
  resources->SetLanguage("Deutsch");
  resources->ReloadText();
  EXPECT_EQ(title->GetText(), "Einstellungen");
  EXPECT_EQ(resources->GetLanguage(), "Deutsch");
  EXPECT_EQ(resources->GetText("keyboard_key_Print Scr"), "keyboard_key_Print Scr") << "the old file is gone";
  auto* action = window.Manager().FindControl("action");
  action->SetText("title_key");
  EXPECT_EQ(action->GetText(), "title_key") << "without resource text the text is literal";
  DestroyWindow(window);
}

TEST_F(Language, HiddenLabelTranslatesAKeyForFormattedNotices) {
  CTestWindow window("XML_TEST");
  window.CreateHidden();
  CControlUI* probe = window.Manager().FindControl("hidden_text");
  probe->SetText("tip_key");
  CDuiString notice;
  notice.Format("%s (%d)", probe->GetText().GetData(), 3);
  EXPECT_EQ(notice, "Close the window (3)");
  DestroyWindow(window);
}

TEST_F(Language, TooltipsGivenAsKeysTranslate) {
  CLabelUI label;
  label.SetToolTip("tip_key");
  EXPECT_EQ(label.GetToolTip(), "Close the window");
  label.SetToolTip("Just a tip");
  EXPECT_EQ(label.GetToolTip(), "Just a tip");
}

TEST_F(Language, TheTextQueryInterfaceAnswersKeysTheFileLacks) {
  CFallbackTexts fallback;
  resources->SetTextQueryInterface(&fallback);
  EXPECT_EQ(resources->GetText("only_in_code"), "from code");
  EXPECT_EQ(resources->GetText("title_key"), "Settings") << "the language file comes first";
  EXPECT_EQ(resources->GetText("neither"), "neither");
}

TEST_F(Language, AMissingLanguageFileKeepsTheCurrentTexts) {
  EXPECT_FALSE(resources->LoadLanguage("lan_none.xml"));
  EXPECT_EQ(resources->GetText("title_key"), "Settings");
}
