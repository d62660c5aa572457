// The profile panel on its own: built from the shipped layout over a temporary profile folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "controls_harness.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "editors/register_editor_controls.h"
#include "profiles/storage/json_file.h"
#include "support/temp_data_folder.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

constexpr const char* kTabs[] = {"deng_Op_tab",       "key_Op_tab",   "macro_Op_tab",
                                 "system_Op_tab",     "cursor_Op_tab", "6533_voice_Op_tab",
                                 "magic_Op_tab",      "Virtual7.1_Op_tab", "otherset_Op_tab"};

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    RegisterEditorControls();
    folder_ = data_.MakeFolder("T640/kind") + "/";
    defaults_ = data_.Path() + "/defaults.Json";
    std::ofstream(defaults_) << R"({"Device": [{"LightInfo": {"Red": 1}}]})";
    BuildPanel();
  }
  void TearDown() override { DropPanel(); }

  // A fresh panel, as a page being built again gets.
  void BuildPanel() {
    root_ = BuildInto(manager_, "<Window size=\"960,60\"><DeviceProfile name=\"DeviceProfileItem\"/></Window>");
    ASSERT_NE(root_, nullptr);
    panel_ = static_cast<CDeviceProfileUI*>(root_->GetInterface("DeviceProfile"));
    ASSERT_NE(panel_, nullptr);
  }
  void DropPanel() {
    manager_.AttachDialog(nullptr);
    delete root_;
    root_ = nullptr;
  }

  void Init(int kind) {
    panel_->SetDeviceKind(kind);
    panel_->SetProfileFolders(folder_, defaults_);
    ASSERT_TRUE(panel_->InitProfileList());
  }
  COptionUI* Tab(const char* name) {
    return static_cast<COptionUI*>(FindNamedChild(panel_, name)->GetInterface("Option"));
  }

  TempDataFolder data_;
  CPaintManagerUI manager_;
  CControlUI* root_ = nullptr;
  CDeviceProfileUI* panel_ = nullptr;
  std::string folder_;
  std::string defaults_;
};

}  // namespace

TEST_F(PanelTest, EachKindShowsOnlyItsTabs) {
  struct Case {
    int kind;
    std::vector<const char*> hidden;
  };
  const Case cases[] = {
      {1, {"cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
      {2, {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
      {3, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab", "6533_voice_Op_tab", "magic_Op_tab",
           "Virtual7.1_Op_tab", "otherset_Op_tab"}},
      {5, {"cursor_Op_tab", "macro_Op_tab", "key_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
      {7, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}},
  };
  for (const Case& c : cases) {
    DropPanel();
    BuildPanel();
    Init(c.kind);
    for (const char* tab : kTabs) {
      const bool hidden = std::find_if(c.hidden.begin(), c.hidden.end(),
                                       [&](const char* h) { return std::string(h) == tab; }) != c.hidden.end();
      EXPECT_EQ(Tab(tab)->IsVisible(), !hidden) << "kind " << c.kind << " " << tab;
    }
  }
}

TEST_F(PanelTest, SelectTabSelectsExactlyOne) {
  Init(2);
  for (int number : {4, 1, 9}) {
    panel_->SelectTab(number);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Tab(kTabs[i])->IsSelected(), i == number - 1) << number << " " << kTabs[i];
  }
  panel_->SelectTab(0);
  for (const char* tab : kTabs) EXPECT_FALSE(Tab(tab)->IsSelected()) << "0 selects none";
}

TEST_F(PanelTest, OtherEditorsVisitEveryProfileThroughCountAndPath) {
  Init(2);
  ASSERT_EQ(panel_->AddProfile(), CDeviceProfileUI::kDone);
  ASSERT_EQ(panel_->CopyProfile(), CDeviceProfileUI::kDone);
  EXPECT_EQ(panel_->GetProfileCount(), 3);
  const Json::Value list = LoadJsonFile(folder_ + "ProfileList.ini");
  for (int i = 0; i < 3; ++i) {
    const std::string path = panel_->GetProfilePathAt(i);
    EXPECT_EQ(path, folder_ + list["profilelist"][i]["profileUUID"].asString() + ".Json");
    EXPECT_EQ(LoadJsonFile(path)["profilename"], list["profilelist"][i]["profilename"]);
  }
  EXPECT_EQ(panel_->GetProfilePathAt(3), "");
  EXPECT_EQ(panel_->GetProfilePathAt(-1), "");
}

TEST_F(PanelTest, ALostListIsRebuiltFromTheProfilesInTheFolder) {
  Init(2);
  ASSERT_EQ(panel_->AddProfile(), CDeviceProfileUI::kDone);
  panel_->SelectProfile(0, false);
  ASSERT_EQ(panel_->RenameProfile("Main"), CDeviceProfileUI::kRenameDone);
  std::ofstream(folder_ + "ProfileList.ini") << "{ not json";
  DropPanel();
  BuildPanel();
  Init(2);
  EXPECT_EQ(panel_->GetProfileCount(), 2);
  EXPECT_EQ(panel_->GetSelectedProfileName(), "Main");
}
