// The macro editor on its own: built from the shipped layout over a temporary macro folder, with a
// host that records what it is asked and told, and a capture source the test types into.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "controls_harness.h"
#include "editors/editor_host.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/register_editor_controls.h"
#include "platform/input_capture/scripted_capture.h"
#include "profiles/macros/macro_file.h"
#include "profiles/storage/json_file.h"
#include "support/folder_snapshot.h"
#include "support/test_clock.h"
#include "support/temp_data_folder.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

namespace fs = std::filesystem;

class FakeHost : public IEditorHost {
 public:
  HWND HostWindow() const override { return nullptr; }
  bool Ask(const char* key) override {
    asked.push_back(key);
    return answer;
  }
  void Tell(const char* key, bool) override { told.push_back(key); }
  void StartProfileSwitch() override {}
  void ApplySelectedProfile() override {}
  void StartMacroTransfer() override { ++transfers; }
  IInputCaptureSource* InputCapture() override { return capture; }

  bool answer = true;
  std::vector<std::string> asked;
  std::vector<std::string> told;
  int transfers = 0;
  IInputCaptureSource* capture = nullptr;
};

// The window's router, as far as the editor is concerned: every notification goes to the editor's
// routes.
class EditorRouter : public INotifyUI {
 public:
  void Notify(TNotifyUI& msg) override {
    if (const std::optional<NotifyKind> kind = NotifyKindOf(msg.sType.str()); kind && editor) editor->RouteNotify(*kind, msg);
  }
  CMacroControlUI* editor = nullptr;
};

class MacroEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    RegisterEditorControls();
    folder_ = data_.MakeFolder("T640/mouse") + "/";
    host_.capture = &capture_;
    Build();
  }
  void TearDown() override {
    manager_.AttachDialog(nullptr);
    delete root_;
  }

  void Build() {
    if (root_) {
      manager_.AttachDialog(nullptr);
      delete root_;
    }
    root_ = BuildInto(manager_, "<Window size=\"580,470\"><Include source=\"styles.xml\"/><VerticalLayout bkcolor=\"#FF0B0C0F\"><MacroSetControlUI name=\"MacroControlItem\"/></VerticalLayout></Window>");
    ASSERT_NE(root_, nullptr);
    editor_ = static_cast<CMacroControlUI*>(FindNamedChild(root_, "MacroControlItem")->GetInterface("MacroSetControlUI"));
    ASSERT_NE(editor_, nullptr);
    router_.editor = editor_;
    if (!routed_) routed_ = manager_.AddNotifier(&router_);
    editor_->BindHost(host_);
    editor_->SetRecordingClock(clock_);
    editor_->SetMacroFolder(folder_);
  }

  CControlUI* Control(const char* name) { return FindNamedChild(editor_, name); }
  void Click(const char* name) { manager_.SendNotify(Control(name), "click"); }
  void SetText(const char* name, const std::string& text) { Control(name)->SetText(text.c_str()); }
  std::vector<MacroEvent> SavedEvents(int macro = -1) {
    return editor_->Store()->ReadMacroEvents(macro < 0 ? editor_->SelectedMacroIndex() : macro);
  }
  std::string MacroFile(int macro) { return editor_->Store()->MacroFilePath(macro); }
  void AddMacroWithEvents(const std::vector<MacroEvent>& events) {
    ASSERT_FALSE(editor_->AddMacro().empty());
    ASSERT_TRUE(editor_->Store()->SaveMacroEvents(editor_->SelectedMacroIndex(), events).done);
    editor_->LoadSelectedMacro();
  }
  std::vector<uint32_t> Buttons() {
    std::vector<uint32_t> buttons;
    for (int i = 0; i < editor_->ActionCount(); ++i) buttons.push_back(editor_->ActionAt(i) ? editor_->ActionAt(i)->Button : 0);
    return buttons;
  }

  TempDataFolder data_;
  std::string folder_;
  CTestClock clock_;
  CScriptedCapture capture_{clock_};
  FakeHost host_;
  CPaintManagerUI manager_;
  EditorRouter router_;
  bool routed_ = false;
  CControlUI* root_ = nullptr;
  CMacroControlUI* editor_ = nullptr;
};

}  // namespace

TEST_F(MacroEditorTest, WithoutMacrosTheActionAreasAreInoperable) {
  EXPECT_EQ(editor_->SelectedMacroIndex(), -1);
  for (const char* name : {"macro_action_layout", "mouse_move_layout", "macro_btn_export", "macro_btn_name_sub",
                           "macro_btn_name_edit"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(Control(name)->IsEnabled());
  }
  EXPECT_EQ(editor_->GetNameEditText(), "");
  Click("macro_btn_name_add");
  EXPECT_EQ(host_.asked, std::vector<std::string>{"message_text_29"});
  EXPECT_EQ(editor_->MacroNameAt(0), "macro_1");
  EXPECT_EQ(editor_->GetNameEditText(), "macro_1");
  EXPECT_TRUE(Control("macro_action_layout")->IsEnabled());
  EXPECT_FALSE(Control("macro_tab_macroaction_edit")->IsEnabled()) << "no actions to edit yet";
}

TEST_F(MacroEditorTest, RenameRefusalsTellWhyAndPutTheNameBack) {
  editor_->AddMacro();
  editor_->AddMacro();
  struct Case {
    const char* typed;
    const char* message;
  };
  const Case cases[] = {{" lead", "message_text_25"}, {"", "message_text_5_1"}, {"MACRO_2", "message_text_5"},
                        {"macro_1", "message_text_5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    host_.told.clear();
    editor_->SetNameEditText(c.typed);
    Click("macro_btn_name_edit");
    EXPECT_EQ(host_.told, std::vector<std::string>{c.message});
    EXPECT_EQ(editor_->GetNameEditText(), "macro_2");
  }
  host_.told.clear();
  editor_->SetNameEditText("Burst");
  Click("macro_btn_name_edit");
  EXPECT_TRUE(host_.told.empty());
  EXPECT_EQ(editor_->MacroNameAt(1), "Burst");
  EXPECT_EQ(LoadJsonFile(folder_ + "macro.config")["MacroInfo"][1]["MacroName"].asString(), "Burst");
}

TEST_F(MacroEditorTest, LoadedDelaysAreClampedAndSavedAsShown) {
  AddMacroWithEvents({{10, 4, true, 0}, {10, 4, false, 70000}, {1, 0x10, true, 20}});
  EXPECT_EQ(editor_->DelayTextAt(0), "10");
  EXPECT_EQ(editor_->DelayTextAt(1), "65535");
  EXPECT_EQ(editor_->DelayTextAt(2), "20");
  Click("macro_btn_save");
  EXPECT_EQ(SavedEvents(), (std::vector<MacroEvent>{{10, 4, true, 10}, {10, 4, false, 65535}, {1, 0x10, true, 20}}));
  // A delay typed by the user is saved at once; an emptied one is saved as 0.
  auto* list = static_cast<CListUI*>(Control("macro_action_list")->GetInterface("List"));
  CControlUI* delay = FindNamedChild(list->GetItemAt(2), "macro_delay");
  delay->SetText("");
  manager_.SendNotify(delay, "textchanged");
  EXPECT_EQ(SavedEvents()[2].Delay, 0u);
  EXPECT_EQ(editor_->DelayTextAt(2), "0");
}

TEST_F(MacroEditorTest, MovesSaveTheNewOrderAndDoNothingAtTheEnds) {
  AddMacroWithEvents({{1, 1, true, 11}, {1, 2, true, 12}, {1, 4, true, 13}});
  editor_->SelectAction(0);
  Click("macro_btn_up");
  Click("macro_btn_uptop");
  EXPECT_EQ(Buttons(), (std::vector<uint32_t>{1, 2, 4}));
  Click("macro_btn_downbottom");
  EXPECT_EQ(Buttons(), (std::vector<uint32_t>{2, 4, 1}));
  EXPECT_EQ(editor_->SelectedActionIndex(), 2);
  Click("macro_btn_down");
  EXPECT_EQ(Buttons(), (std::vector<uint32_t>{2, 4, 1}));
  Click("macro_btn_up");
  EXPECT_EQ(Buttons(), (std::vector<uint32_t>{2, 1, 4}));
  EXPECT_EQ(SavedEvents(), (std::vector<MacroEvent>{{1, 2, true, 12}, {1, 1, true, 11}, {1, 4, true, 13}}));
  EXPECT_EQ(host_.transfers, 0) << "moves do not send";
  Click("macro_btn_delete");
  EXPECT_EQ(SavedEvents().size(), 2u);
  EXPECT_EQ(host_.transfers, 1);
  Click("macro_btn_deleteall");
  EXPECT_TRUE(SavedEvents().empty());
  EXPECT_EQ(host_.transfers, 2);
  EXPECT_FALSE(Control("macro_tab_macroaction_edit")->IsEnabled());
}

TEST_F(MacroEditorTest, InsertsGoAfterTheSelectionWithTheConstantDelay) {
  AddMacroWithEvents({{10, 4, true, 30}, {10, 4, false, 30}});
  editor_->SelectAction(0);
  EXPECT_TRUE(editor_->RouteMenuCommand("right_click"));
  EXPECT_EQ(SavedEvents(), (std::vector<MacroEvent>{{10, 4, true, 30}, {1, 2, true, 50}, {1, 2, false, 50},
                                                    {10, 4, false, 30}}));
  SetText("mouse_x_left_edit", "300");
  Click("macro_inset_moveleftkey_btn");
  EXPECT_EQ(SavedEvents()[3], (MacroEvent{4, 44, true, 50}));
  EXPECT_EQ(editor_->DelayTextAt(3), "50");
}

TEST_F(MacroEditorTest, SixtyRowsAreTheLimitAndASaveDropsTheRest) {
  AddMacroWithEvents(std::vector<MacroEvent>(60, MacroEvent{1, 1, true, 20}));
  ASSERT_EQ(editor_->ActionCount(), 60);
  EXPECT_TRUE(editor_->RouteMenuCommand("left_down"));
  EXPECT_EQ(host_.told, std::vector<std::string>{"message_text_26_1"});
  EXPECT_EQ(editor_->ActionCount(), 60);
  EXPECT_EQ(SavedEvents().size(), 60u);
}

TEST_F(MacroEditorTest, RecordingWithoutASourceIsInoperableAndSaysWhy) {
  host_.capture = nullptr;
  Build();
  editor_->AddMacro();
  EXPECT_FALSE(Control("macro_btn_starredio")->IsEnabled());
  EXPECT_NE(Control("macro_btn_starredio")->GetToolTip().str().find("not available"), std::string::npos);
  EXPECT_FALSE(editor_->BeginRecording(macro_recording::DelayMode::kMeasured));
}

TEST_F(MacroEditorTest, ARecordingAppendsWithMeasuredDelaysThenSavesAndSends) {
  editor_->AddMacro();
  Click("macro_btn_starredio");
  ASSERT_TRUE(editor_->IsRecording());
  EXPECT_TRUE(capture_.IsWithholding()) << "no other program may get the recorded keys";
  EXPECT_FALSE(Control("macro_btn_starredio")->IsVisible());
  EXPECT_TRUE(Control("macro_btn_stopredio")->IsVisible());
  EXPECT_FALSE(Control("macro_tab_macrodelay_edit")->IsEnabled());
  capture_.Press(0x36, true)  // right Shift
      .After(400)
      .Press(0x1E)  // A, held: its repeats are dropped
      .Press(0x1E)
      .After(400)
      .Release(0x1E)
      .Press(0x7F);  // not a key of the table
  EXPECT_EQ(editor_->DelayTextAt(0), "400");
  EXPECT_EQ(editor_->DelayTextAt(1), "400");
  EXPECT_EQ(editor_->DelayTextAt(2), "10");
  EXPECT_EQ(host_.transfers, 0);
  Click("macro_btn_stopredio");
  EXPECT_FALSE(editor_->IsRecording());
  EXPECT_FALSE(capture_.IsCapturing());
  EXPECT_FALSE(capture_.IsWithholding());
  EXPECT_EQ(host_.transfers, 1);
  EXPECT_EQ(SavedEvents(), (std::vector<MacroEvent>{{9, 0x20, true, 400}, {10, 4, true, 400}, {10, 4, false, 10}}));
}

TEST_F(MacroEditorTest, ConstantDelayRecordingsInsertBeforeTheSelectedRow) {
  AddMacroWithEvents({{1, 1, true, 30}, {1, 1, false, 30}});
  static_cast<COptionUI*>(Control("macro_check_time")->GetInterface("Option"))->Selected(true);
  SetText("macro_fixed_time_edit", "5");
  editor_->SelectAction(1);
  EXPECT_TRUE(editor_->RouteMenuCommand("redio_previous_constant_time"));
  EXPECT_EQ(host_.told, std::vector<std::string>{"message_text_36"});
  EXPECT_EQ(Control("macro_fixed_time_edit")->GetText().str(), "10");
  capture_.ButtonDown(0x02).ButtonUp(0x02);
  editor_->EndRecording();
  editor_->SaveMacro();
  // The first event this editor records leaves the row before it as it was; later ones give it
  // the constant.
  EXPECT_EQ(SavedEvents(), (std::vector<MacroEvent>{{1, 1, true, 30}, {1, 2, true, 10}, {1, 2, false, 10},
                                                    {1, 1, false, 30}}));
}

TEST_F(MacroEditorTest, DamagedAndForeignFilesAreRefusedWithNothingChanged) {
  editor_->AddMacro();
  const std::string damaged = data_.Path() + "/damaged.mac";
  const std::string foreign = data_.Path() + "/foreign.mac";
  std::ofstream(damaged) << R"({"Events": [{"Type": 10, "Button": 4, "Act)";
  std::ofstream(foreign) << R"({"profilename": "x", "Device": []})";
  const auto before = SnapshotFolder(folder_);
  for (const std::string& path : {damaged, foreign}) {
    SCOPED_TRACE(path);
    host_.told.clear();
    CScopedFileDialogAnswerer files([&](const FileDialogRequest& request) -> std::optional<std::string> {
      EXPECT_EQ(request.filterLabel, "Macro Files(*.mac)");
      return path;
    });
    Click("macro_btn_import");
    EXPECT_EQ(host_.told, std::vector<std::string>{"macro_import_not_macro"});
    EXPECT_EQ(editor_->MacroCount(), 1);
    EXPECT_EQ(SnapshotFolder(folder_), before);
  }
}

TEST_F(MacroEditorTest, AnExportedMacroImportsUnderItsFileName) {
  AddMacroWithEvents({{10, 4, true, 100}, {10, 4, false, 100}});
  const std::string exported = data_.Path() + "/abc.mac";
  {
    CScopedFileDialogAnswerer files([&](const FileDialogRequest&) { return std::optional<std::string>(exported); });
    Click("macro_btn_export");
  }
  EXPECT_EQ(ReadWholeFile(exported), ReadWholeFile(MacroFile(0)));
  CScopedFileDialogAnswerer files([&](const FileDialogRequest&) { return std::optional<std::string>(exported); });
  Click("macro_btn_import");
  Click("macro_btn_import");
  EXPECT_EQ(editor_->MacroNameAt(1), "abc");
  EXPECT_EQ(editor_->MacroNameAt(2), "abc_1");
  EXPECT_EQ(editor_->SelectedMacroIndex(), 2);
  EXPECT_EQ(editor_->ActionCount(), 2);
}

TEST_F(MacroEditorTest, DeletingTheLastMacroEmptiesThePage) {
  AddMacroWithEvents({{10, 4, true, 100}});
  const std::string file = MacroFile(0);
  ASSERT_TRUE(fs::exists(file));
  Click("macro_btn_name_sub");
  EXPECT_EQ(host_.asked.back(), "message_text_4");
  EXPECT_EQ(editor_->MacroCount(), 0);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(editor_->ActionCount(), 0);
  EXPECT_FALSE(Control("macro_action_layout")->IsEnabled());
  EXPECT_EQ(editor_->GetNameEditText(), "");
}

// Pictures of the page with a macro loaded, in both languages at 96 and 144 DPI, for looking at
// when T640_TEST_PICTURES names a folder; the rows and buttons are checked to fit either way.
TEST_F(MacroEditorTest, ThePageFitsItsAreaInEveryLanguageAndScale) {
  const char* pictures = std::getenv("T640_TEST_PICTURES");
  capture_.SetDescriptionKey("capture_source_desktop");  // the longer of the two lines
  for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
    for (int dpi : {96, 144}) {
      SCOPED_TRACE(std::string(language) + " " + std::to_string(dpi));
      UseShippedSkin(language);
      manager_.SetDPI(dpi);
      Build();
      if (editor_->MacroCount() == 0) {
        AddMacroWithEvents({{9, 0x01, true, 20}, {10, 0x04, true, 120}, {10, 0x04, false, 20}, {9, 0x01, false, 30},
                            {1, 0x10, true, 60}, {1, 0x10, false, 60}, {4, 25, true, 10}, {5, 40, false, 10}});
      }
      const QImage image = Render(manager_, {580, 470});
      EXPECT_FALSE(image.isNull());
      for (const char* name : {"macro_btn_deleteall", "macro_btn_save", "macro_inset_movedownkey_btn", "macro_btn_export",
                               "macro_label_capture_source"}) {
        SCOPED_TRACE(name);
        const RECT pos = Control(name)->GetPos();
        EXPECT_LE(pos.right, image.width());
        EXPECT_LE(pos.bottom, image.height());
        EXPECT_GT(pos.right - pos.left, 0);
      }
      if (pictures) {
        image.save(QString::fromStdString(std::string(pictures) + "/macro_" + std::string(language).substr(4, 2) + "_" +
                                          std::to_string(dpi) + ".png"));
      }
    }
  }
  manager_.SetDPI(96);
}

TEST_F(MacroEditorTest, InoperableButtonsShowTheirIconsFaded) {
  for (const char* name : {"macro_inset_moveleftkey_btn", "macro_btn_name_edit"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(Control(name)->GetForeImage().str().find("fade='80'"), std::string::npos);
  }
  editor_->AddMacro();
  EXPECT_EQ(Control("macro_inset_moveleftkey_btn")->GetForeImage().str().find("fade"), std::string::npos);
}
