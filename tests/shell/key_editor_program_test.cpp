// The key editor as a user meets it in the whole program offscreen: a button chosen on the mouse
// picture, a function chosen in the editor, sent to the virtual mouse, and keys captured from the
// keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "editors/device_editors.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "profiles/macros/macro_store.h"
#include "program_fixture.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

std::string Translated(const char* key) { return CResourceManager::GetInstance()->GetText(key).str(); }

// The program on a virtual mouse, read, with the key editor of its page.
class KeyEditorProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    editor = KeyEditorOf(*program.Mouse());
    ASSERT_NE(editor, nullptr);
  }

  CPaintManagerUI& Manager() { return *program.Window().GetPaintManager(); }
  CComboUI* Combo(const char* name) { return static_cast<CComboUI*>(program.Control(name)->GetInterface("Combo")); }
  CEditUI* Edit(const char* name) { return static_cast<CEditUI*>(program.Control(name)->GetInterface("Edit")); }

  void ClickZone(int key) { Manager().SendNotify(program.Control(("key_" + std::to_string(key)).c_str()), "click"); }
  void Click(const char* name) { Manager().SendNotify(program.Control(name), "click"); }
  // The user's choice in a drop-down (it notifies as a click in the list does).
  void Choose(const char* combo, int item) { ASSERT_TRUE(Combo(combo)->SelectItem(item, true)) << combo; }
  void ChooseFunction(int category) {
    CComboUI* combo = Combo("keyset_function_combo");
    for (int i = 0; i < combo->GetCount(); ++i) {
      if (combo->GetItemAt(i)->GetUserData() == std::to_string(category).c_str()) {
        combo->SelectItem(i, true);
        return;
      }
    }
    FAIL() << "no function item for category " << category;
  }
  // A number typed and the field left.
  void Type(const char* edit, const char* text) {
    Edit(edit)->SetText(text);
    Manager().SendNotify(Edit(edit), "killfocus");
  }
  void ChooseModifier(int option) {
    CControlUI* control = program.Control(("key_ComBox_check_" + std::to_string(option)).c_str());
    auto* modifier = static_cast<COptionUI*>(control->GetInterface("Option"));
    modifier->Selected(true, true);
  }
  // A key pressed on the keyboard while the window has it, as X11 numbers it (evdev + 8).
  void PressKey(int evdev, Qt::Key key) {
    KeyEvent(QEvent::KeyPress, evdev, key);
    KeyEvent(QEvent::KeyRelease, evdev, key);
  }
  void KeyEvent(QEvent::Type type, int evdev, Qt::Key key) {
    QWidget* host = HostWidgetOf(program.Window().GetHWND());
    QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0);
    QApplication::sendEvent(host, &event);
  }
  void Send() {
    Click("key_butt_prosave");
    ASSERT_TRUE(program.Window().IsTransferBusy());
    ASSERT_TRUE(PumpUntil([&] { return !program.Window().IsTransferBusy(); }, kSettleMs));
  }
  // The three bytes of the key's record in the virtual mouse's button image.
  std::vector<uint8_t> RecordOnTheMouse(int key) {
    const uint16_t record = program.Mouse()->GetButtonRecordMap()[static_cast<size_t>(key)];
    return program.Sim().Mouse()->ReadBlock(SimBlock::ConfigImage, kButtonRecordSize * record, kButtonRecordSize);
  }

  Program program{"mouse"};
  CKeySetControlUI* editor = nullptr;
};

TEST_F(KeyEditorProgram, EveryCategoryChosenInTheEditorReachesTheButtonsRecordOnTheMouse) {
  {
    CMacroStore macros(program.Mouse()->GetDeviceFolder());
    ASSERT_TRUE(macros.AddMacro().done);
    ASSERT_TRUE(macros.SaveMacroEvents(0, {{1, 4, true, 30}, {1, 4, false, 30}}).done);
  }
  struct Case {
    const char* what;
    int key;
    std::function<void()> choose;
    std::vector<uint8_t> record;
  };
  const Case cases[] = {
      {"mouse button: right click", 3, [&] { ChooseFunction(1), Choose("keyset_mousekey_combo", 2); },
       {0x10, 0x02, 0x00}},
      {"horizontal scroll: right 5", 9,
       [&] {
         ChooseFunction(2);
         Choose("keyset_mouseswing_combo", 1);
         Type("keyset_mouseswing_num_edit", "5");
         Type("keyset_mouseswing_delay_edit", "2");
         Type("keyset_mouseswing_speed_edit", "3");
       },
       {0x11, 0x23, 0x85}},
      {"wheel: down 2", 10,
       [&] {
         ChooseFunction(3);
         Choose("keyset_mousewheel_combo", 1);
         Type("keyset_mousewheel_num_edit", "2");
         Type("keyset_mousewheel_delay_edit", "0");
         Type("keyset_mousewheel_speed_edit", "1");
       },
       {0x12, 0x01, 0xFE}},
      {"sensitivity: cycle", 4, [&] { ChooseFunction(4), Choose("keyset_mousedpi_combo", 2); }, {0x13, 0x03, 0x00}},
      {"rapid fire: 3 ms raised to 10", 8,
       [&] {
         ChooseFunction(5);
         Type("keyset_mousefire_num_edit", "4");
         Type("keyset_mousefire_interval_edit", "3");
       },
       {0x14, 0x0A, 0x04}},
      {"keyboard key: Shift + A, captured", 2,
       [&] {
         ChooseFunction(6);
         ChooseModifier(2);
         Click("keyset_keyboard_capture_btn");
         ASSERT_TRUE(editor->IsCapturing());
         PressKey(30, Qt::Key_A);
         EXPECT_FALSE(editor->IsCapturing()) << "one key ends the capture";
         EXPECT_EQ(Edit("keyset_keyboard_text_edit")->GetText().str(), Translated("keyboard_key_A"));
       },
       {0x20, 0x02, 0x04}},
      {"media: play", 5, [&] { ChooseFunction(7), Choose("keyset_media_combo", 1); }, {0x30, 0xCD, 0x00}},
      {"system: wake up", 6, [&] { ChooseFunction(8), Choose("keyset_system_combo", 2); }, {0x40, 0x04, 0x00}},
      {"macro: three times", 7,
       [&] {
         ChooseFunction(9);
         Choose("keyset_macro_combo", 0);
         Choose("keyset_macro_over_combo", 4);
         EXPECT_TRUE(program.Control("keyset_macro_cycle_layout")->IsVisible());
         Type("keyset_macro_cycle_edit", "3");
       },
       {0x71, 0x00, 0x03}},
      {"gun key: pattern 4", 1, [&] { ChooseFunction(10), Choose("keyset_gunkey_combo", 3); }, {0x72, 0x03, 0x00}},
      {"shortcut: copy", 0, [&] { ChooseFunction(11), Choose("keyset_combokey_combo", 4); }, {0x20, 0x10, 0x06}},
      {"default: the right click of case 1 undone", 3, [&] { ChooseFunction(0); }, {0x10, 0x10, 0x00}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    ClickZone(test.key);
    ASSERT_EQ(program.Mouse()->GetSelectedKey(), test.key);
    test.choose();
    const KeyAssignment kept = program.Mouse()->GetKeyAssignments()[static_cast<size_t>(test.key)].Current;
    if (test.record[0] != 0x71) {
      EXPECT_EQ((std::vector<uint8_t>{kept.Type, kept.High, kept.Low}), test.record) << "kept in the profile at once";
    }
    Send();
    EXPECT_EQ(RecordOnTheMouse(test.key), test.record);
  }
  EXPECT_EQ(program.Control("keyset_mousefire_interval_edit")->GetText().str(), "10");
}

TEST_F(KeyEditorProgram, AClickOnAButtonOfThePictureOpensItsFunctionInTheEditor) {
  program.Mouse()->SetFunctionType(2);
  EXPECT_TRUE(program.Control("keyset_no_key_layout")->IsVisible()) << "the Buttons page before a button is chosen";
  EXPECT_FALSE(program.Control("keyset_chosen_layout")->IsVisible());
  program.Mouse()->SetFunctionType(4);
  // The button of key 4 does rapid fire already.
  std::vector<KeyAssignmentPair> keys = program.Mouse()->GetKeyAssignments();
  keys[4].Current = {keys[4].Current.KeyIndex, 0x14, 25, 6};
  program.Mouse()->SetKeyAssignments(keys);

  ClickZone(4);
  EXPECT_EQ(program.Mouse()->GetSelectedKey(), 4);
  EXPECT_TRUE(program.Mouse()->KeyControls()[4]->IsSelected()) << "the picture shows the chosen button";
  EXPECT_FALSE(program.Mouse()->KeyControls()[3]->IsSelected());
  EXPECT_EQ(program.Mouse()->GetFunctionType(), 2) << "the Buttons page is shown";
  EXPECT_TRUE(static_cast<COptionUI*>(program.Control("key_Op_tab")->GetInterface("Option"))->IsSelected());
  auto page = [&](const char* name) {
    return static_cast<CTabLayoutUI*>(program.Control(name)->GetInterface("TabLayout"))->GetCurSel();
  };
  EXPECT_EQ(page("device_function_switch"), 0);
  EXPECT_EQ(page("device_key_function_switch"), 1) << "the key editor's page";
  EXPECT_FALSE(program.Control("keyset_no_key_layout")->IsVisible());
  EXPECT_EQ(editor->GetSelectedCategory(), 5);
  EXPECT_EQ(program.Control("keyset_mousefire_interval_edit")->GetText().str(), "25");
  EXPECT_EQ(program.Control("keyset_mousefire_num_edit")->GetText().str(), "6");
  EXPECT_EQ(program.Control("keyset_key_title")->GetText().str(), Translated("mouse_button_back"));

  // The picture and its hint say what the button does.
  const std::string hint = program.Control("device_tishi_info")->GetText().str();
  EXPECT_TRUE(program.Control("device_tishi_info")->IsVisible());
  EXPECT_NE(hint.find(Translated("mouse_button_back")), std::string::npos) << hint;
  EXPECT_NE(hint.find(Translated("mouse_key_fire_key")), std::string::npos) << hint;
  const std::string tooltip = program.Mouse()->KeyControls()[4]->GetToolTip().str();
  EXPECT_NE(tooltip.find(Translated("mouse_key_fire_key")), std::string::npos) << tooltip;
  EXPECT_FALSE(program.Mouse()->KeyControls()[4]->IsKeySetImageHidden()) << "a changed button is marked";
  EXPECT_TRUE(program.Mouse()->KeyControls()[0]->IsKeySetImageHidden());

  // A choice in the editor shows on the picture at once.
  ChooseFunction(8);
  Choose("keyset_system_combo", 1);
  EXPECT_NE(program.Mouse()->KeyControls()[4]->GetToolTip().str().find(Translated("system_sleep")), std::string::npos);
  EXPECT_NE(program.Control("device_tishi_info")->GetText().str().find(Translated("system_sleep")), std::string::npos);
}

TEST_F(KeyEditorProgram, CapturingRightCtrlChoosesTheCtrlModifierAlone) {
  ClickZone(2);
  ChooseFunction(6);
  Click("keyset_keyboard_capture_btn");
  PressKey(97, Qt::Key_Control);
  EXPECT_EQ(editor->GetSelectedModifier(), 1);
  EXPECT_EQ(Edit("keyset_keyboard_text_edit")->GetText().str(), "");
  const KeyAssignment kept = program.Mouse()->GetKeyAssignments()[2].Current;
  EXPECT_EQ((std::vector<uint8_t>{kept.Type, kept.High, kept.Low}), (std::vector<uint8_t>{0x20, 0x01, 0x00}));
}

TEST_F(KeyEditorProgram, AModifierHeldWaitsForTheKeyPressedWithIt) {
  ClickZone(2);
  ChooseFunction(6);
  Click("keyset_keyboard_capture_btn");
  KeyEvent(QEvent::KeyPress, 42, Qt::Key_Shift);
  EXPECT_TRUE(editor->IsCapturing());
  PressKey(30, Qt::Key_A);
  EXPECT_FALSE(editor->IsCapturing());
  KeyEvent(QEvent::KeyRelease, 42, Qt::Key_Shift);
  const KeyAssignment kept = program.Mouse()->GetKeyAssignments()[2].Current;
  EXPECT_EQ((std::vector<uint8_t>{kept.Type, kept.High, kept.Low}), (std::vector<uint8_t>{0x20, 0x02, 0x04}));
}

TEST_F(KeyEditorProgram, EscapeOrASecondClickEndsACaptureWithoutAChange) {
  ClickZone(2);
  ChooseFunction(6);
  const KeyAssignment before = program.Mouse()->GetKeyAssignments()[2].Current;
  Click("keyset_keyboard_capture_btn");
  PressKey(1, Qt::Key_Escape);
  EXPECT_FALSE(editor->IsCapturing());
  Click("keyset_keyboard_capture_btn");
  ASSERT_TRUE(editor->IsCapturing());
  Click("keyset_keyboard_capture_btn");
  EXPECT_FALSE(editor->IsCapturing());
  PressKey(30, Qt::Key_A);
  EXPECT_EQ(program.Mouse()->GetKeyAssignments()[2].Current, before) << "keys after the capture are the window's";
}

}  // namespace

namespace {

CControlUI* CollectTexts(CControlUI* control, void* found) {
  if (control->GetInterface("Label") && !control->GetInterface("Edit") && !control->GetInterface("Combo")) {
    static_cast<std::vector<CLabelUI*>*>(found)->push_back(static_cast<CLabelUI*>(control->GetInterface("Label")));
  }
  return nullptr;
}

}  // namespace

TEST_F(KeyEditorProgram, EveryLabelAndButtonOfEveryFunctionPageShowsItsWholeTextInBothLanguages) {
  CPaintManagerUI& manager = Manager();
  for (const auto& [language, dpi] : {std::pair{0, 96}, std::pair{1, 96}, std::pair{0, 144}, std::pair{1, 144}}) {
    program.Window().ApplyLanguage(language);  // positions in Language.config: Chinese, English
    CPaintManagerUI::SetAllDPI(dpi);
    ClickZone(7);
    for (int category = 0; category < kFunctionCategoryCount; ++category) {
      ChooseFunction(category);
      manager.UpdateLayout();
      std::vector<CLabelUI*> labels;
      program.Control("KeySetControlItem")->FindControl(CollectTexts, &labels, UIFIND_VISIBLE);
      ASSERT_FALSE(labels.empty());
      for (CLabelUI* label : labels) {
        const RECT padding = label->GetTextPadding();
        const RECT pos = label->GetPos();
        const int room = (pos.right - pos.left) - padding.left - padding.right;
        const SIZE text = CRenderEngine::GetTextSize(&manager, label->GetText(), label->GetFont(), DT_SINGLELINE);
        if (label->GetText().IsEmpty() || room <= 0) continue;
        if (label->GetTextStyle() & DT_WORDBREAK) {
          const int lines = (pos.bottom - pos.top) / std::max(1, static_cast<int>(text.cy));
          EXPECT_LE(text.cx, room * std::max(1, lines)) << "cut: \"" << label->GetText().str() << "\"";
          continue;
        }
        EXPECT_LE(text.cx, room) << "cut: \"" << label->GetText().str() << "\" (language " << language << ", " << dpi
                                 << " DPI, category " << category << ")";
      }
      // The items of the page's drop-downs fit them too.
      std::vector<CControlUI*> combos;
      for (const char* name : {"keyset_function_combo", "keyset_mousekey_combo", "keyset_mouseswing_combo",
                               "keyset_mousewheel_combo", "keyset_mousedpi_combo", "keyset_media_combo",
                               "keyset_system_combo", "keyset_macro_over_combo", "keyset_gunkey_combo",
                               "keyset_combokey_combo"}) {
        CComboUI* combo = Combo(name);
        if (!combo->IsVisible()) continue;
        const int room = (combo->GetPos().right - combo->GetPos().left) - combo->GetTextPadding().left -
                         combo->GetTextPadding().right;
        for (int i = 0; i < combo->GetCount(); ++i) {
          const SIZE text = CRenderEngine::GetTextSize(&manager, combo->GetItemAt(i)->GetText(), -1, DT_SINGLELINE);
          EXPECT_LE(text.cx, room) << "cut item: \"" << combo->GetItemAt(i)->GetText().str() << "\" of " << name;
        }
      }
    }
  }
  CPaintManagerUI::SetAllDPI(96);
}

TEST_F(KeyEditorProgram, TheChosenButtonShowsItsFunctionInAProfileTheMouseTakes) {
  ClickZone(3);
  ChooseFunction(8);
  Choose("keyset_system_combo", 0);
  EXPECT_TRUE(program.Control("key_butt_keysave")->IsEnabled());

  // Another profile's keys, as a profile switch shows them.
  std::vector<KeyAssignmentPair> keys = program.Mouse()->GetKeyAssignments();
  keys[3].Current = {keys[3].Current.KeyIndex, 0x30, 0xE2, 0x00};
  program.Mouse()->Model().SetKeys(keys);
  program.Mouse()->ShowSettings();

  EXPECT_EQ(editor->GetSelectedCategory(), 7);
  EXPECT_EQ(Combo("keyset_media_combo")->GetCurSel(), 7) << "mute";
  EXPECT_FALSE(program.Control("key_butt_keysave")->IsEnabled()) << "nothing of the old profile is pending";
  EXPECT_NE(program.Mouse()->KeyControls()[3]->GetToolTip().str().find(Translated("media_mute")), std::string::npos);
}

TEST(KeyEditorReceiverProgram, TheMouseThroughItsReceiverTakesTheChosenFunctionToo) {
  Program program("mouse-receiver");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  CPaintManagerUI& manager = *program.Window().GetPaintManager();
  manager.SendNotify(program.Control("key_1"), "click");
  auto* combo = static_cast<CComboUI*>(program.Control("keyset_function_combo")->GetInterface("Combo"));
  ASSERT_TRUE(combo->SelectItem(kCategoryMedia, true));
  static_cast<CComboUI*>(program.Control("keyset_media_combo")->GetInterface("Combo"))->SelectItem(6, true);
  const KeyAssignment kept = program.Mouse()->GetKeyAssignments()[1].Current;
  EXPECT_EQ((std::vector<uint8_t>{kept.Type, kept.High, kept.Low}), (std::vector<uint8_t>{0x30, 0xE9, 0x00}));
  manager.SendNotify(program.Control("key_butt_prosave"), "click");
  ASSERT_TRUE(PumpUntil([&] { return !program.Window().IsTransferBusy(); }, kSettleMs));
  const uint16_t record = program.Mouse()->GetButtonRecordMap()[1];
  EXPECT_EQ(program.Sim().Mouse()->ReadBlock(SimBlock::ConfigImage, kButtonRecordSize * record, kButtonRecordSize),
            (std::vector<uint8_t>{0x30, 0xE9, 0x00}));
}

TEST_F(KeyEditorProgram, AKeyboardOffersNoSensitivityAndNoRecoilFunctions) {
  CComboUI* functions = Combo("keyset_function_combo");
  // The items' own visibility: the closed list hides them all.
  auto shown = [&](int category) {
    functions->GetItemAt(category)->SetInternVisible(true);
    return functions->GetItemAt(category)->IsVisible();
  };
  editor->SetDeviceKind(kDeviceKindKeyboard);
  EXPECT_FALSE(shown(kCategorySensitivity));
  EXPECT_FALSE(shown(kCategoryGunKey));
  EXPECT_TRUE(shown(kCategoryKeyboardKey));
  editor->SetDeviceKind(kDeviceKindMouseReceiver);
  EXPECT_TRUE(shown(kCategorySensitivity));
  EXPECT_TRUE(shown(kCategoryGunKey));
}

TEST_F(KeyEditorProgram, AFunctionTheEditorDoesNotKnowHidesItsAreaAndSaysWhy) {
  program.Mouse()->SetFunctionType(2);
  std::vector<KeyAssignmentPair> keys = program.Mouse()->GetKeyAssignments();
  keys[5].Current = {keys[5].Current.KeyIndex, 0x99, 0x01, 0x02};
  program.Mouse()->SetKeyAssignments(keys);
  ClickZone(5);
  EXPECT_FALSE(program.Control("keyset_layout")->IsVisible());
  EXPECT_TRUE(program.Control("keyset_unknown_label")->IsVisible());
  EXPECT_TRUE(program.Control("key_butt_keydefalut")->IsVisible()) << "the default can still be restored";
  Click("key_butt_keydefalut");
  EXPECT_TRUE(program.Control("keyset_layout")->IsVisible());
  EXPECT_EQ(editor->GetSelectedCategory(), kCategoryDefault);
  Click("key_butt_keysave");
  EXPECT_EQ(program.Mouse()->GetKeyAssignments()[5].Current, keys[5].Default);
}
