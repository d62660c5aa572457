// The profile panel in the running program against the virtual mouse: every operation's effect
// on the list file, the profile files, the page and what the mouse receives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "editors/device_editors.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/storage/json_file.h"
#include "program_fixture.h"
#include "support/folder_snapshot.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"

namespace {

namespace fs = std::filesystem;

constexpr int kYes = 1;
constexpr int kNo = 0;
// Positions in Language.config.
constexpr int kChinese = 0;
constexpr int kEnglish = 1;

class ProfilePanelProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(PumpUntil([&] { return program_->MouseShownAndRead(); }, kSettleMs)); }

  // The program ends and starts again on the same data, as the user's next start does.
  void Restart() {
    program_.reset();
    program_ = std::make_unique<Program>("mouse", &data_);
    ASSERT_TRUE(PumpUntil([&] { return program_->MouseShownAndRead(); }, kSettleMs));
  }

  CDeviceProfileUI& Panel() { return *ProfilePanelOf(*program_->Mouse()); }
  std::string Folder() { return Panel().GetProfileFolder(); }
  Json::Value List() { return LoadJsonFile(Folder() + "ProfileList.ini"); }
  Json::Value ProfileFile(int index) {
    return LoadJsonFile(Folder() + List()["profilelist"][index]["profileUUID"].asString() + ".Json");
  }
  CComboUI& Combo() {
    return *static_cast<CComboUI*>(program_->Control("device_profile_combo")->GetInterface("Combo"));
  }
  std::string ItemText(int index) { return Combo().GetItemAt(index)->GetText().str(); }

  // Clicks a control and answers every question with `answer`; the prompts shown, by key.
  std::vector<std::string> Click(const char* name, int answer = kYes) {
    CScopedPromptAnswerer answerer([answer](const PromptRecord&) { return answer; });
    program_->Window().GetPaintManager()->SendNotify(program_->Control(name), "click");
    std::vector<std::string> keys;
    for (const PromptRecord& prompt : answerer.Prompts()) keys.push_back(prompt.text);
    return keys;
  }
  std::vector<std::string> Rename(const std::string& name) {
    Panel().SetNameEditText(name);
    return Click("device_profile_edit_save_btn");
  }
  std::vector<std::string> ClickWithFile(const char* name, const std::string& path) {
    CScopedFileDialogAnswerer files([path](const FileDialogRequest& request) -> std::optional<std::string> {
      EXPECT_EQ(request.filterLabel, "Profile Files(*.json)");
      return path;
    });
    return Click(name);
  }
  // Chooses a profile in the combo as the user does, and waits for the switch to reach the mouse.
  void Choose(int index) {
    const std::string id = List()["profilelist"][index]["profileUUID"].asString();
    Combo().SelectItem(index, true);
    ASSERT_TRUE(PumpUntil([&] { return program_->Mouse()->ProfileSession()->ChosenId() == id; }, kSettleMs));
  }
  std::vector<uint8_t> Settings(size_t offset, size_t length) {
    return program_->Sim().Mouse()->ReadBlock(SimBlock::Settings, offset, length);
  }
  // The stored X value of stage 0 in the mouse's settings page.
  int StageZero() {
    const std::vector<uint8_t> stage = Settings(16, 2);
    return stage[0] | (stage[1] << 8);
  }
  void PutStageZeroOnTheMouse(uint8_t value) {
    const uint8_t stage[] = {value, 0};
    ASSERT_TRUE(program_->Sim().Mouse()->WriteBlock(SimBlock::Settings, 16, stage));
  }
  static int StageZeroOf(const Json::Value& profile) {
    return profile["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt();
  }
  // A press and release at the control's centre, as the window system delivers a click.
  void ClickWithTheMouse(CControlUI* control) {
    program_->Window().GetPaintManager()->UpdateLayout();
    const RECT pos = control->GetPos();
    const LPARAM centre = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
    const HWND window = program_->Window().GetHWND();
    SendMessage(window, WM_MOUSEMOVE, 0, centre);
    SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessage(window, WM_LBUTTONUP, 0, centre);
  }

  TempDataFolder data_;
  std::unique_ptr<Program> program_ = std::make_unique<Program>("mouse", &data_);
};

using Prompts = std::vector<std::string>;

}  // namespace

TEST_F(ProfilePanelProgram, FirstStartHasOneSelectedProfileMadeFromTheDefaults) {
  const Json::Value list = List();
  ASSERT_EQ(list["profilelist"].size(), 1u);
  EXPECT_EQ(list["profilelist"][0]["profilename"].asString(), "Profile1");
  EXPECT_EQ(list["profileselect"].asInt(), 0);
  const Json::Value profile = ProfileFile(0);
  EXPECT_EQ(profile["profilename"].asString(), "Profile1");
  EXPECT_EQ(profile["profileUUID"], list["profilelist"][0]["profileUUID"]);
  EXPECT_TRUE(profile["Device"][0].isMember("DPIStages"));
  EXPECT_EQ(program_->Mouse()->ProfileSession()->ChosenId(), list["profilelist"][0]["profileUUID"].asString());
  EXPECT_EQ(ItemText(0), "Profile1");
  EXPECT_EQ(Panel().GetNameEditText(), "Profile1");

  // The mouse has no audio tabs; the headset's three start hidden.
  for (const char* shown : {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab", "otherset_Op_tab"}) {
    EXPECT_TRUE(program_->Control(shown)->IsVisible()) << shown;
  }
  for (const char* hidden : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}) {
    EXPECT_FALSE(program_->Control(hidden)->IsVisible()) << hidden;
  }
}

TEST_F(ProfilePanelProgram, AddCopyAndDeleteAskFirstAndKeepTheFilesInStep) {
  EXPECT_EQ(Click("device_add_btn", kNo), Prompts{"message_text_28"});
  EXPECT_EQ(List()["profilelist"].size(), 1u) << "declined: nothing added";

  EXPECT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  EXPECT_EQ(List()["profilelist"].size(), 2u);
  EXPECT_EQ(ItemText(1), "Profile2");
  EXPECT_EQ(ProfileFile(1)["profilename"].asString(), "Profile2");

  // A copy is made of the selected profile.
  Choose(0);
  EXPECT_EQ(Click("device_copy_btn"), Prompts{"message_text_27"});
  EXPECT_EQ(ItemText(2), "Profile1 copy");
  EXPECT_EQ(ProfileFile(2)["Device"], ProfileFile(0)["Device"]);
  Choose(0);
  EXPECT_EQ(Click("device_copy_btn"), Prompts{"message_text_27"});
  EXPECT_EQ(ItemText(3), "Profile1 copy copy");

  // Deleting the first profile selects the new first one and the mouse follows it.
  Choose(0);
  const std::string deletedFile = Folder() + List()["profilelist"][0]["profileUUID"].asString() + ".Json";
  const std::string nextId = List()["profilelist"][1]["profileUUID"].asString();
  EXPECT_EQ(Click("device_sub_btn"), Prompts{"message_text_30"});
  EXPECT_FALSE(fs::exists(deletedFile));
  EXPECT_EQ(List()["profilelist"].size(), 3u);
  EXPECT_EQ(List()["profileselect"].asInt(), 0);
  EXPECT_EQ(ItemText(0), "Profile2");
  EXPECT_TRUE(PumpUntil([&] { return program_->Mouse()->ProfileSession()->ChosenId() == nextId; }, kSettleMs));

  // Deleting profile 3 (index 2) selects index 1.
  Choose(2);
  EXPECT_EQ(Click("device_sub_btn"), Prompts{"message_text_30"});
  EXPECT_EQ(List()["profileselect"].asInt(), 1);
  EXPECT_EQ(Combo().GetCurSel(), 1);
}

// Add, copy and import make the new profile the chosen one everywhere: in the drop-down, on the
// mouse (sent as a choice in the drop-down sends it) and as the stored selection, so the next
// start opens the profile that was shown.
TEST_F(ProfilePanelProgram, ANewProfileIsShownSentToTheMouseAndOpenedByTheNextStart) {
  const std::string importFile = data_.Path() + "/Imported.json";
  ASSERT_EQ(ClickWithFile("device_export_btn", importFile), Prompts{});
  Json::Value document = LoadJsonFile(importFile);
  document["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 33;
  ASSERT_TRUE(WriteJsonFile(document, importFile));

  struct Case {
    const char* operation;
    std::function<Prompts()> click;
    Prompts prompts;
    const char* name;
  };
  const Case cases[] = {
      {"add", [&] { return Click("device_add_btn"); }, {"message_text_28"}, "Profile2"},
      {"copy", [&] { return Click("device_copy_btn"); }, {"message_text_27"}, "Profile2 copy"},
      {"import", [&] { return ClickWithFile("device_import_btn", importFile); }, {}, "Imported"},
  };
  for (const Case& c : cases) {
    // A value no profile holds: what the mouse holds afterwards, it was sent.
    PutStageZeroOnTheMouse(1);
    ASSERT_EQ(c.click(), c.prompts) << c.operation;
    const int index = static_cast<int>(List()["profilelist"].size()) - 1;
    EXPECT_EQ(ItemText(index), c.name) << c.operation;
    EXPECT_EQ(Combo().GetCurSel(), index) << c.operation << ": the drop-down shows it";
    EXPECT_EQ(Panel().GetNameEditText(), c.name) << c.operation;
    EXPECT_EQ(List()["profileselect"].asInt(), index) << c.operation << ": stored as selected";
    EXPECT_EQ(program_->Mouse()->ProfileSession()->ChosenId(), List()["profilelist"][index]["profileUUID"].asString())
        << c.operation << ": the device works on it";
    EXPECT_EQ(StageZero(), StageZeroOf(ProfileFile(index))) << c.operation << ": the mouse holds its settings";
  }
  EXPECT_EQ(StageZero(), 33) << "the imported settings";

  const std::string shownId = program_->Mouse()->ProfileSession()->ChosenId();
  Restart();
  EXPECT_EQ(Combo().GetCurSel(), 3);
  EXPECT_EQ(Combo().GetText().str(), "Imported");
  EXPECT_EQ(program_->Mouse()->ProfileSession()->ChosenId(), shownId);
}

TEST_F(ProfilePanelProgram, DeleteIsInoperableWhileOneProfileRemainsAndSaysWhy) {
  CControlUI* deleteButton = program_->Control("device_sub_btn");
  Click("profile_fun_spread_btn");
  for (int language : {kEnglish, kChinese}) {
    program_->Window().ApplyLanguage(language);
    const std::string why = CResourceManager::GetInstance()->GetText("profile_tip_delete_only_one").str();
    EXPECT_NE(why, "profile_tip_delete_only_one") << "a text in language " << language;
    EXPECT_FALSE(deleteButton->IsEnabled());
    EXPECT_EQ(deleteButton->GetToolTip().str(), why);
  }
  {
    CScopedPromptAnswerer answerer([](const PromptRecord&) { return kYes; });
    ClickWithTheMouse(deleteButton);
    EXPECT_TRUE(answerer.Prompts().empty()) << "nothing is asked";
  }
  EXPECT_EQ(List()["profilelist"].size(), 1u);

  ASSERT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  EXPECT_TRUE(deleteButton->IsEnabled()) << "with a second profile";
  EXPECT_EQ(deleteButton->GetToolTip().str(), CResourceManager::GetInstance()->GetText("profile_tip_delete").str());
  {
    CScopedPromptAnswerer answerer([](const PromptRecord&) { return kYes; });
    ClickWithTheMouse(deleteButton);
    ASSERT_EQ(answerer.Prompts().size(), 1u);
    EXPECT_EQ(answerer.Prompts()[0].text, "message_text_30");
  }
  EXPECT_EQ(List()["profilelist"].size(), 1u);
  EXPECT_FALSE(deleteButton->IsEnabled()) << "alone again";

  Restart();
  EXPECT_FALSE(program_->Control("device_sub_btn")->IsEnabled()) << "a start with one profile";
}

// Every name the length rule allows fits the drop-down, whichever language's face draws it.
TEST_F(ProfilePanelProgram, TheDropDownShowsTheWidestValidNamesWhole) {
  const char* names[] = {
      "WWWWWWWWWWWWWWWW", "@@@@@@@@@@@@@@@@", "MMMMMMMMMMMMMMMM", "mmmmmmmmmmmmmmmm",
      "八个汉字八个汉字",
      "ＷＷＷＷＷＷＷＷ",  // full-width letters take two bytes each, as Chinese characters do
  };
  for (const char* name : names) {
    ASSERT_EQ(Rename(name), Prompts{}) << name;
    for (int language : {kEnglish, kChinese}) {
      program_->Window().ApplyLanguage(language);
      program_->Window().GetPaintManager()->UpdateLayout();
      EXPECT_TRUE(Combo().ShowsTextWhole()) << name << " in language " << language;
    }
  }
}

TEST_F(ProfilePanelProgram, AnImportedFileWithALongNameIsListedUnderItsNameCutToTheRule) {
  const std::string exported = data_.Path() + "/exported.json";
  ASSERT_EQ(ClickWithFile("device_export_btn", exported), Prompts{});
  struct Case {
    const char* file;
    const char* listedAs;
  };
  const Case cases[] = {
      {"TournamentSettingsForTheFinals", "TournamentSettin"},
      {"TournamentSettingsForTheFinals", "TournamentSet(1)"},  // made unique within the rule
      {"比赛用的配置文件第二版", "比赛用的配置文件"},
      {"决赛A配置文件第二版", "决赛A配置文件第"},  // 15 bytes: the next character does not fit whole
  };
  int index = 0;
  for (const Case& c : cases) {
    const std::string path = data_.Path() + "/" + c.file + ".json";
    fs::copy_file(exported, path, fs::copy_options::overwrite_existing);
    EXPECT_EQ(ClickWithFile("device_import_btn", path), Prompts{}) << c.file;
    ++index;
    EXPECT_EQ(ItemText(index), c.listedAs) << c.file;
    EXPECT_EQ(List()["profilelist"][index]["profilename"].asString(), c.listedAs) << c.file;
    EXPECT_EQ(ProfileFile(index)["profilename"].asString(), c.listedAs) << c.file;
  }
}

TEST_F(ProfilePanelProgram, RenameFollowsEveryNameRule) {
  ASSERT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  Choose(0);
  struct Case {
    std::string name;
    Prompts prompts;  // none: accepted
  };
  const Case cases[] = {
      {"", {"message_text_5_1"}},
      {"abcdefghijklmnop", {}},                       // 16 ASCII bytes
      {"abcdefghijklmnopq", {"message_text_34"}},     // 17
      {"八个汉字八个汉字", {}},                       // 8 characters, 16 bytes in the Chinese code page
      {"九个汉字九个汉字九", {"message_text_34"}},    // 9 characters, 18 bytes
      {"My Profile", {"message_text_35"}},
      {"abc#", {"message_text_35"}},
      {"a/b", {"message_text_35"}},
      {"PROFILE2", {"message_text_5"}},               // the other profile's name, in other case
      {"  ", {"message_text_35"}},                    // spaces are forbidden before they are blank
      {"PROFILE1", {}},
      {"profile1", {}},                               // its own name in other case
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Rename(c.name), c.prompts) << "name \"" << c.name << "\"";
    if (c.prompts.empty()) {
      EXPECT_EQ(ItemText(0), c.name);
      EXPECT_EQ(List()["profilelist"][0]["profilename"].asString(), c.name);
      EXPECT_EQ(ProfileFile(0)["profilename"].asString(), c.name);
    } else {
      EXPECT_NE(ItemText(0), c.name);
    }
  }
}

TEST_F(ProfilePanelProgram, SwitchingWritesTheProfilesSettingsKeysAndLightingToTheMouse) {
  ASSERT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  Choose(0);
  // The second profile differs from the first in a stage, a key and the colour.
  const std::string path = Folder() + List()["profilelist"][1]["profileUUID"].asString() + ".Json";
  Json::Value second = LoadJsonFile(path);
  second["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 25;
  second["Device"][0]["KeyList"][1]["Assignment"] = 0x100400;
  second["Device"][0]["LightInfo"]["Red"] = 12;
  second["Device"][0]["LightInfo"]["Green"] = 34;
  second["Device"][0]["LightInfo"]["Blue"] = 56;
  ASSERT_TRUE(WriteJsonFile(second, path));

  Choose(1);
  EXPECT_EQ(List()["profileselect"].asInt(), 1);
  EXPECT_EQ(StageZero(), 25);
  EXPECT_EQ(Settings(6, 3), (std::vector<uint8_t>{12, 34, 56}));
  const std::vector<uint8_t> image = program_->Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 3, image.begin() + 6), (std::vector<uint8_t>{0x10, 0x04, 0x00}));

  // Back to the first profile: its values go back to the mouse.
  Choose(0);
  EXPECT_NE(StageZero(), 25);
  const std::vector<uint8_t> image0 = program_->Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(image0.begin() + 3, image0.begin() + 6), (std::vector<uint8_t>{0x10, 0x02, 0x00}));
}

TEST_F(ProfilePanelProgram, ResetRestoresTheFactorySettingsOnDiskAndOnTheMouse) {
  const std::string path = Folder() + List()["profilelist"][0]["profileUUID"].asString() + ".Json";
  Json::Value changed = LoadJsonFile(path);
  const Json::Value factory = changed["Device"];
  changed["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 25;
  ASSERT_TRUE(WriteJsonFile(changed, path));
  // Choosing the profile again puts the changed stage on the mouse.
  ASSERT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  Choose(1);
  Choose(0);
  ASSERT_EQ(StageZero(), 25);

  EXPECT_EQ(Click("device_reset_btn", kNo), Prompts{"message_text_22"});
  EXPECT_EQ(LoadJsonFile(path)["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 25);

  EXPECT_EQ(Click("device_reset_btn"), Prompts{"message_text_22"});
  const Json::Value reset = LoadJsonFile(path);
  EXPECT_EQ(reset["profilename"].asString(), "Profile1");
  EXPECT_EQ(reset["profileUUID"].asString(), List()["profilelist"][0]["profileUUID"].asString());
  EXPECT_EQ(StageZero(), reset["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt());
  EXPECT_NE(StageZero(), 25);
}

TEST_F(ProfilePanelProgram, ExportThenImportRestoresTheProfileUnderANewId) {
  const std::string exported = program_->DataFolder() + "/Tournament.json";
  EXPECT_EQ(ClickWithFile("device_export_btn", exported), Prompts{});
  const Json::Value copy = LoadJsonFile(exported);
  EXPECT_EQ(copy, ProfileFile(0)) << "an export is the profile file unchanged";

  EXPECT_EQ(ClickWithFile("device_import_btn", exported), Prompts{});
  ASSERT_EQ(List()["profilelist"].size(), 2u);
  EXPECT_EQ(ItemText(1), "Tournament");
  const Json::Value imported = ProfileFile(1);
  EXPECT_EQ(imported["profilename"].asString(), "Tournament");
  EXPECT_NE(imported["profileUUID"], copy["profileUUID"]);
  EXPECT_EQ(imported["profileUUID"], List()["profilelist"][1]["profileUUID"]);
  EXPECT_EQ(imported["Device"], copy["Device"]);

  // The same file again, and an upper-case extension: names stay apart.
  const std::string upper = program_->DataFolder() + "/Tournament.JSON";
  fs::copy_file(exported, upper);
  EXPECT_EQ(ClickWithFile("device_import_btn", upper), Prompts{});
  EXPECT_EQ(ItemText(2), "Tournament(1)");
  EXPECT_EQ(ClickWithFile("device_import_btn", exported), Prompts{});
  EXPECT_EQ(ItemText(3), "Tournament(1)(2)");

  // A file named only ".json" is known by the name inside it.
  const std::string nameless = program_->DataFolder() + "/.json";
  fs::copy_file(exported, nameless);
  EXPECT_EQ(ClickWithFile("device_import_btn", nameless), Prompts{});
  EXPECT_EQ(ItemText(4), "Profile1(1)");
}

TEST_F(ProfilePanelProgram, DamagedOrForeignImportsAreRefusedAndChangeNothing) {
  const std::string folder = program_->DataFolder() + "/";
  const std::pair<const char*, const char*> files[] = {
      {"garbled.json", "{\"Device\": [ {\"DPIStages\": "},
      {"foreign.json", "{\"name\": \"a shopping list\", \"items\": [1, 2, 3]}"},
      {"nameless.json", "{\"Device\": [{}], \"profilename\": \"x\"}"},
      {"empty.json", ""},
  };
  for (const auto& [name, text] : files) {
    std::ofstream(folder + name) << text;
    const auto before = SnapshotFolder(Folder());
    EXPECT_EQ(ClickWithFile("device_import_btn", folder + name), Prompts{"message_profile_import_refused"}) << name;
    EXPECT_EQ(SnapshotFolder(Folder()), before) << name;
    EXPECT_EQ(Combo().GetCount(), 1) << name;
  }
}

TEST_F(ProfilePanelProgram, TheFiftyFirstProfileIsRefusedByAddCopyAndImport) {
  for (int i = 1; i < 50; ++i) ASSERT_EQ(Click("device_add_btn"), Prompts{"message_text_28"});
  ASSERT_EQ(List()["profilelist"].size(), 50u);
  EXPECT_EQ(ItemText(49), "Profile50");

  const std::string exported = program_->DataFolder() + "/extra.json";
  ASSERT_EQ(ClickWithFile("device_export_btn", exported), Prompts{});
  const auto before = SnapshotFolder(Folder());
  EXPECT_EQ(Click("device_add_btn"), (Prompts{"message_text_28", "message_text_32"}));
  EXPECT_EQ(Click("device_copy_btn"), (Prompts{"message_text_27", "message_text_32"}));
  EXPECT_EQ(ClickWithFile("device_import_btn", exported), Prompts{"message_text_32"});
  EXPECT_EQ(SnapshotFolder(Folder()), before);
  EXPECT_EQ(Combo().GetCount(), 50);
}

TEST_F(ProfilePanelProgram, TheToolsTakeTheTabsPlaceAndTabsFollowTheFunction) {
  CControlUI* menu = program_->Control("profile_menu_layout");
  CControlUI* tabs = program_->Control("profile_tab_layout");
  EXPECT_FALSE(menu->IsVisible());
  Click("profile_fun_spread_btn");
  EXPECT_TRUE(menu->IsVisible());
  EXPECT_FALSE(tabs->IsVisible());
  // The documentation's picture of the open tools is taken here when asked for.
  if (const char* pictures = std::getenv("T640_TEST_PICTURES")) {
    constexpr int kEnglish = 1;  // position in Language.config
    program_->Window().ApplyLanguage(kEnglish);
    EXPECT_TRUE(program_->Window().GetPaintManager()->SaveWindowImage(std::string(pictures) + "/t640-profiles.png"));
  }
  Click("profile_fun_spread_btn");
  EXPECT_FALSE(menu->IsVisible());
  EXPECT_TRUE(tabs->IsVisible());

  auto* lighting = static_cast<COptionUI*>(program_->Control("deng_Op_tab")->GetInterface("Option"));
  auto* settings = static_cast<COptionUI*>(program_->Control("system_Op_tab")->GetInterface("Option"));
  EXPECT_TRUE(settings->IsSelected()) << "the mouse page opens on its settings";
  lighting->Selected(true);
  EXPECT_TRUE(lighting->IsSelected());
  EXPECT_FALSE(settings->IsSelected());
  EXPECT_EQ(program_->Mouse()->GetFunctionType(), 1);
}
