// The macro editor in the running program against the virtual mouse: a macro built by hand on the
// page, bound to a button, sent by the window's transfer and found byte for byte in the mouse's
// macro memory; and a macro's deletion renumbering the key lists of every profile.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editors/device_editors.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "profiles/macros/macro_event.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/records/key_list_json.h"
#include "profiles/storage/json_file.h"
#include "program_fixture.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"

namespace {

constexpr int kYes = 1;
constexpr int kRightButtonKey = 1;  // key index of the right button

class MacroEditorProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PumpUntil([&] { return program_.MouseShownAndRead(); }, kSettleMs));
    auto* tab = static_cast<COptionUI*>(program_.Control("macro_Op_tab")->GetInterface("Option"));
    ASSERT_TRUE(tab->IsEnabled());
    tab->Selected(true);
    ASSERT_EQ(program_.Mouse()->GetFunctionType(), 3);
  }

  CMacroControlUI& Editor() { return *MacroEditorOf(*program_.Mouse()); }
  std::vector<std::string> Send(CControlUI* control, const char* type, int answer = kYes) {
    CScopedPromptAnswerer answerer([answer](const PromptRecord&) { return answer; });
    program_.Window().GetPaintManager()->SendNotify(control, type);
    std::vector<std::string> keys;
    for (const PromptRecord& prompt : answerer.Prompts()) keys.push_back(prompt.text);
    return keys;
  }
  std::vector<std::string> Click(const char* name, int answer = kYes) { return Send(program_.Control(name), "click", answer); }
  // A row of the row menu chosen, as the menu window hands it to the main window.
  void ChooseMenuRow(const char* name) {
    auto* command = new MenuCmd;
    command->szName = name;
    SendMessage(program_.Window().GetHWND(), WM_MENUCLICK, reinterpret_cast<WPARAM>(command), 0);
  }
  void TypeDelay(int row, const char* text) {
    auto* list = static_cast<CListUI*>(program_.Control("macro_action_list")->GetInterface("List"));
    CControlUI* edit = FindNamedChild(list->GetItemAt(row), "macro_delay");
    edit->SetText(text);
    Send(edit, "textchanged");
  }
  void Bind(int key, int macro) {
    std::vector<KeyAssignmentPair> keys = program_.Mouse()->GetKeyAssignments();
    ASSERT_GT(keys.size(), static_cast<size_t>(key));
    keys[static_cast<size_t>(key)].Current = KeyAssignment::FromValue(static_cast<uint16_t>(key), 0x700000u | (macro << 8));
    program_.Mouse()->SetKeyAssignments(keys);
  }
  void Transfer() {
    program_.Window().StartMacroTransfer();
    ASSERT_TRUE(program_.Window().IsTransferBusy());
    ASSERT_TRUE(PumpUntil([&] { return !program_.Window().IsTransferBusy(); }, kSettleMs));
  }
  std::vector<KeyAssignmentPair> ProfileKeys(int profile) {
    const std::string path = program_.Mouse()->ProfileSession()->ProfilePath(static_cast<size_t>(profile));
    return KeyListFromJson(LoadJsonFile(path)["Device"][0]["KeyList"]);
  }
  uint32_t KeyValue(const std::vector<KeyAssignmentPair>& keys, int key) {
    return keys.at(static_cast<size_t>(key)).Current.Value();
  }

  Program program_{"mouse"};
};

}  // namespace

TEST_F(MacroEditorProgram, AMacroBuiltOnThePageReachesTheMouseByteForByte) {
  EXPECT_EQ(Click("macro_btn_name_add"), std::vector<std::string>{"message_text_29"});
  ASSERT_EQ(Editor().MacroCount(), 1);
  EXPECT_EQ(Editor().MacroNameAt(0), "macro_1");

  ChooseMenuRow("left_click");
  ChooseMenuRow("back_down");
  program_.Control("mouse_x_right_edit")->SetText("300");
  Click("macro_inset_moverightkey_btn");
  ChooseMenuRow("back_up");
  TypeDelay(0, "120");
  TypeDelay(4, "7");
  const std::vector<MacroEvent> events = {
      {1, 0x01, true, 120}, {1, 0x01, false, 50}, {1, 0x08, true, 50}, {4, 44, false, 50}, {1, 0x08, false, 7}};
  ASSERT_EQ(program_.Mouse()->GetDeviceFolder(), Editor().GetMacroFolder());
  EXPECT_EQ(Editor().Store()->ReadMacroEvents(0), events);
  if (const char* pictures = std::getenv("T640_TEST_PICTURES")) {
    for (int language : {0, 1}) {
      program_.Window().ApplyLanguage(language);
      EXPECT_TRUE(program_.Window().GetPaintManager()->SaveWindowImage(std::string(pictures) + "/t640-macros-" +
                                                                         std::to_string(language) + ".png"));
    }
  }

  Bind(kRightButtonKey, 0);
  Transfer();
  std::vector<uint8_t> image = {0xAA, 0x55, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0, 5, 0, 0, 0};
  for (const MacroEvent& event : events) {
    const auto bytes = EncodeMacroEvent(event);
    image.insert(image.end(), bytes.begin(), bytes.end());
  }
  image[2] = static_cast<uint8_t>(image.size());
  EXPECT_EQ(program_.Sim().Mouse()->ReadBlock(SimBlock::MacroData, 0, image.size()), image);
  // The right button's record plays the image's first macro.
  const std::vector<uint8_t> config = program_.Sim().Mouse()->Block(SimBlock::ConfigImage);
  EXPECT_EQ(std::vector<uint8_t>(config.begin() + 3, config.begin() + 6), (std::vector<uint8_t>{0x70, 0x00, 0x00}));
}

TEST_F(MacroEditorProgram, DeletingAMacroRenumbersEveryProfilesKeys) {
  Click("macro_btn_name_add");
  Click("macro_btn_name_add");
  ASSERT_EQ(Editor().MacroCount(), 2);
  Bind(kRightButtonKey, 1);  // the first profile plays the second macro
  const uint32_t rightDefault = program_.Mouse()->GetKeyAssignments()[kRightButtonKey].Default.Value();

  CDeviceProfileUI& panel = *ProfilePanelOf(*program_.Mouse());
  Click("device_add_btn");
  ASSERT_TRUE(PumpUntil([&] { return program_.Mouse()->ProfileSession()->ChosenIndex() == 1; }, kSettleMs));
  ASSERT_EQ(panel.GetProfileCount(), 2);
  EXPECT_EQ(KeyValue(ProfileKeys(0), kRightButtonKey), 0x700100u);

  // Used only by the other profile: nothing more is asked, and that profile's file follows.
  Editor().SelectMacro(0);
  EXPECT_EQ(Click("macro_btn_name_sub"), std::vector<std::string>{"message_text_4"});
  ASSERT_EQ(Editor().MacroCount(), 1);
  EXPECT_EQ(KeyValue(ProfileKeys(0), kRightButtonKey), 0x700000u);
  EXPECT_EQ(program_.Mouse()->MacroNames(), std::vector<std::string>{"macro_2"});

  // Used by the current profile too: asked again; no changes the whole deletion away.
  Bind(kRightButtonKey, 0);
  Editor().SelectMacro(0);
  EXPECT_EQ(Click("macro_btn_name_sub", 0), (std::vector<std::string>{"message_text_4"}));
  EXPECT_EQ(Editor().MacroCount(), 1);
  std::vector<std::string> asked;
  {
    CScopedPromptAnswerer answerer([](const PromptRecord&) { return kYes; });
    program_.Window().GetPaintManager()->SendNotify(program_.Control("macro_btn_name_sub"), "click");
    for (const PromptRecord& prompt : answerer.Prompts()) asked.push_back(prompt.text);
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"message_text_4", "message_text_2"}));
  EXPECT_EQ(Editor().MacroCount(), 0);
  EXPECT_TRUE(program_.Window().IsTransferBusy()) << "the current profile changed: its keys go to the mouse";
  EXPECT_EQ(program_.Mouse()->GetKeyAssignments()[kRightButtonKey].Current.Value(), rightDefault);
  EXPECT_EQ(KeyValue(ProfileKeys(0), kRightButtonKey), rightDefault);
  EXPECT_EQ(KeyValue(ProfileKeys(1), kRightButtonKey), rightDefault);
  ASSERT_TRUE(PumpUntil([&] { return !program_.Window().IsTransferBusy(); }, kSettleMs));
}
