// Recording into the macro editor's action list, driven by a scripted capture source on virtual
// time: where the rows go in each placement, the delays of each delay mode, the auto-repeat
// filter, the full list and the click on the stop button. The editor lives in a real (hidden)
// window, so the stop button has a place on the screen.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "controls_harness.h"
#include "editors/editor_host.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/register_editor_controls.h"
#include "platform/input_capture/scripted_capture.h"
#include "support/temp_data_folder.h"
#include "support/test_clock.h"
#include "test_window.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_api.h"

namespace {

constexpr uint8_t kA = 0x1E;          // usage 0x04
constexpr uint8_t kEnter = 0x1C;      // the keypad Enter when extended: usage 0x58
constexpr uint8_t kRightShift = 0x36; // extended: modifier bit 0x20

class Host : public IEditorHost {
 public:
  explicit Host(IInputCaptureSource& capture) : capture_(capture) {}
  HWND HostWindow() const override { return nullptr; }
  bool Ask(const char*) override { return true; }
  void Tell(const char* key, bool) override { told.push_back(key); }
  void StartProfileSwitch() override {}
  void ApplySelectedProfile() override {}
  void StartMacroTransfer() override {}
  IInputCaptureSource* InputCapture() override { return &capture_; }
  std::vector<std::string> told;

 private:
  IInputCaptureSource& capture_;
};

// What a script needs to know of the page: the screen point in the middle of a control.
using ScreenPoint = std::function<POINT(const char* control)>;

struct Case {
  const char* what;
  std::vector<MacroEvent> rows;  // the macro before the recording
  int selected;                  // the row selected when it starts
  const char* command;           // the start button or a menu command
  bool constant;                 // "macro_check_time" selected (constant 50)
  std::function<void(CScriptedCapture&, const ScreenPoint&)> script;
  std::vector<MacroEvent> saved;  // the macro after the stop button's click
  int selectedAfter;              // -1: not checked
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

const MacroEvent kRow0{1, 1, true, 30};
const MacroEvent kRow1{1, 1, false, 30};

std::vector<MacroEvent> Full(MacroEvent last = kRow0) {
  std::vector<MacroEvent> rows(59, kRow0);
  rows.push_back(last);
  return rows;
}

const Case kCases[] = {
    {"measured: a held key records one press; delays are clamped to 10..65535", {}, -1, "macro_btn_starredio", false,
     [](CScriptedCapture& c, const ScreenPoint&) {
       c.Press(kA).After(200).Press(kA).After(200).Press(kA).Release(kA);
       c.After(5).Press(kEnter, true).After(70000).Release(kEnter, true);
     },
     {{10, 0x04, true, 400}, {10, 0x04, false, 10}, {10, 0x58, true, 65535}, {10, 0x58, false, 10}}, 3},
    {"constant: every row gets the constant, the first once the next event comes", {}, -1, "macro_btn_starredio", true,
     [](CScriptedCapture& c, const ScreenPoint&) { c.Press(kRightShift, true).After(400).Release(kRightShift, true); },
     {{9, 0x20, true, 50}, {9, 0x20, false, 50}}, 1},
    {"none, inserted after the selection, in order", {kRow0, kRow1}, 0, "redio_later_ignore_time", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.After(300).Press(kA).After(300).Release(kA); },
     {kRow0, {10, 0x04, true, 0}, {10, 0x04, false, 10}, kRow1}, 2},
    {"measured, inserted before the selection, in order", {kRow0, kRow1}, 1, "redio_previous_record_time", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.After(100).Press(kA).After(120).Release(kA); },
     {kRow0, {10, 0x04, true, 120}, {10, 0x04, false, 10}, kRow1}, 3},
    {"insert without a selected row drops the events", {kRow0}, -1, "redio_later_record_time", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.Press(kA).Release(kA); }, {kRow0}, -1},
    {"replace changes the event of the selected row and keeps its delay", {kRow0, kRow1}, 0, "macro_action_edit", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.After(500).ButtonDown(0x02); },
     {{1, 0x02, true, 30}, kRow1}, 0},
    {"a full list only gets empty rows, which the save drops", Full(), -1, "macro_btn_starredio", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.Press(kA).Release(kA); }, Full(), -1},
    {"replace still works in a full list", Full(), 59, "macro_action_edit", false,
     [](CScriptedCapture& c, const ScreenPoint&) { c.ButtonDown(0x10); }, Full({1, 0x10, true, 30}), 59},
    {"the click on the stop button is not recorded; a repeated button event is dropped", {}, -1, "macro_btn_starredio", false,
     [](CScriptedCapture& c, const ScreenPoint& at) {
       const POINT list = at("macro_action_list");
       const POINT stop = at("macro_btn_stopredio");
       c.ButtonDown(0x01, list.x, list.y).ButtonDown(0x01, list.x, list.y).After(150).ButtonUp(0x01, list.x, list.y);
       c.After(150).ButtonDown(0x01, list.x, list.y).After(150);
       c.ButtonDown(0x01, stop.x, stop.y).ButtonUp(0x01, stop.x, stop.y);
     },
     {{1, 0x01, true, 150}, {1, 0x01, false, 150}, {1, 0x01, true, 10}}, 2},
};

class MacroRecording : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    UseShippedSkin();
    RegisterEditorControls();
    window_ = std::make_unique<CTestWindow>(
        "<Window size=\"580,470\"><Include source=\"styles.xml\"/><VerticalLayout>"
        "<MacroSetControlUI name=\"MacroControlItem\"/></VerticalLayout></Window>");
    ASSERT_NE(window_->CreateHidden(), nullptr);
    window_->Manager().UpdateLayout();
    editor_ = static_cast<CMacroControlUI*>(window_->Manager().FindControl("MacroControlItem")->GetInterface("MacroSetControlUI"));
    ASSERT_NE(editor_, nullptr);
    window_->onNotify = [this](TNotifyUI& msg) {
      if (const std::optional<NotifyKind> kind = NotifyKindOf(msg.sType.str())) editor_->RouteNotify(*kind, msg);
    };
    editor_->BindHost(host_);
    editor_->SetMacroFolder(data_.MakeFolder("T640/mouse") + "/");
    editor_->SetRecordingClock(clock_);
  }
  void TearDown() override { DestroyWindow(*window_); }

  CControlUI* Control(const char* name) { return FindNamedChild(editor_, name); }
  POINT ScreenCentreOf(const char* name) {
    POINT point = CentreOf(Control(name));
    ClientToScreen(*window_, &point);
    return point;
  }

  TempDataFolder data_;
  CTestClock clock_;
  CScriptedCapture capture_{clock_};
  Host host_{capture_};
  std::unique_ptr<CTestWindow> window_;
  CMacroControlUI* editor_ = nullptr;
};

TEST_P(MacroRecording, PlacesRowsWithTheDelaysOfItsMode) {
  const Case& test = GetParam();
  ASSERT_FALSE(editor_->AddMacro().empty());
  ASSERT_TRUE(editor_->Store()->SaveMacroEvents(editor_->SelectedMacroIndex(), test.rows).done);
  editor_->LoadSelectedMacro();
  static_cast<CListUI*>(Control("macro_action_list")->GetInterface("List"))->SelectItem(test.selected, false);
  static_cast<COptionUI*>(Control("macro_check_time")->GetInterface("Option"))->Selected(test.constant);
  Control("macro_fixed_time_edit")->SetText("50");
  if (std::string(test.command) == "macro_btn_starredio") {
    Click(*window_, Control(test.command));
  } else {
    ASSERT_TRUE(editor_->RouteMenuCommand(test.command));
  }
  ASSERT_TRUE(editor_->IsRecording());
  window_->Manager().UpdateLayout();
  const int selected = editor_->SelectedActionIndex();
  Click(*window_, Control("macro_action_list"));
  EXPECT_EQ(editor_->SelectedActionIndex(), selected) << "the list is frozen while recording";
  test.script(capture_, [this](const char* name) { return ScreenCentreOf(name); });
  if (test.selectedAfter >= 0) {
    EXPECT_EQ(editor_->SelectedActionIndex(), test.selectedAfter);
  }
  Click(*window_, Control("macro_btn_stopredio"));
  ASSERT_FALSE(editor_->IsRecording());
  EXPECT_FALSE(capture_.IsCapturing());
  EXPECT_EQ(editor_->Store()->ReadMacroEvents(editor_->SelectedMacroIndex()), test.saved);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacroRecording, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return "case" + std::to_string(info.index); });

}  // namespace
