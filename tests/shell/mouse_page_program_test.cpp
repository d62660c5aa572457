// The mouse page and the device strip as a user meets them, in the whole program offscreen: typed
// sensitivities and the keys that apply them, a mouse switched off behind its receiver, the advice
// of the no-device layout, and every control that can be clicked doing something.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <span>
#include <string>
#include <vector>

#include "devices/mouse/page/mouse_page_routes.h"
#include "devices/mouse/sensitivity_rule.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/more_page/more_settings_ui.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "program_fixture.h"
#include "transport/device_scanner.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/control_router.h"
#include "windows/main_wnd/main_wnd_controls.h"
#include "windows/skin_wnd/skin_frame.h"

namespace {

constexpr size_t kStageRecordOffset = 14;
constexpr size_t kStageRecordSize = 9;

QLineEdit* OpenField(Program& program) {
  for (QLineEdit* field : HostWidgetOf(program.Window().GetHWND())->findChildren<QLineEdit*>()) {
    if (!field->isHidden()) return field;
  }
  return nullptr;
}

void SendKey(QWidget* target, Qt::Key key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

void TypeInto(QLineEdit* field, const QString& text) {
  field->clear();
  for (QChar ch : text) SendKey(field, Qt::Key_unknown, QString(ch));
}

std::string Translated(const char* key) { return CResourceManager::GetInstance()->GetText(key).str(); }

// The tooltip the user sees over the control: its own, or the nearest one above it.
std::string ShownTooltip(CControlUI* control) {
  for (; control; control = control->GetParent()) {
    if (!control->GetToolTip().IsEmpty()) return control->GetToolTip().str();
  }
  return {};
}

}  // namespace

TEST(MousePageProgram, EnterAndTabApplyATypedSensitivityAndShowWhatWasKept) {
  struct Case {
    Qt::Key key;
    const char* typed;
    bool keepsTheField;
  };
  const Case cases[] = {
      {Qt::Key_Return, "800", true},    // Enter applies and the field stays open for another try
      {Qt::Key_Enter, "1200", true},    // the keypad's Enter too
      {Qt::Key_Tab, "1600", false},     // Tab applies and moves on
      {Qt::Key_Return, "99999", true},  // more than the sensor takes: the field shows what was kept
      {Qt::Key_Tab, "0", false},
  };
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const SensitivityRule rule = SensitivityRuleOf(program.Mouse()->GetDeviceInfo());
  auto* edit = static_cast<CEditUI*>(program.Control("DPI_edit_1")->GetInterface("Edit"));
  auto* slider = static_cast<CSliderUI*>(program.Control("DPI_slider_1")->GetInterface("Slider"));

  for (const Case& test : cases) {
    edit->SetFocus();
    QLineEdit* field = OpenField(program);
    ASSERT_NE(field, nullptr) << test.typed;
    TypeInto(field, test.typed);
    SendKey(field, test.key);
    PumpUiEvents();

    const int kept =
        std::clamp(StoredSensitivity(rule, std::atoi(test.typed)), slider->GetMinValue(), slider->GetMaxValue());
    EXPECT_EQ(slider->GetValue(), kept) << test.typed;
    const std::vector<uint8_t> record =
        program.Sim().Mouse()->ReadBlock(SimBlock::Settings, kStageRecordOffset + kStageRecordSize, kStageRecordSize);
    EXPECT_EQ(record[2] | (record[3] << 8), kept) << test.typed << ": the mouse has it at once";
    const std::string shown = std::to_string(ShownSensitivity(rule, kept));
    EXPECT_EQ(edit->GetText().str(), shown) << test.typed;
    EXPECT_EQ(edit->IsEditing(), test.keepsTheField) << test.typed;
    if (test.keepsTheField) {
      ASSERT_NE(OpenField(program), nullptr);
      EXPECT_EQ(OpenField(program)->text().toStdString(), shown) << test.typed << ": the open field shows it too";
    } else {
      EXPECT_NE(program.Window().GetPaintManager()->GetFocus(), edit) << test.typed;
    }
    program.Window().GetPaintManager()->SetFocus(nullptr);
  }
}

TEST(MousePageProgram, AMouseBehindItsReceiverThatDoesNotAnswerIsShownNotConnectedUntilItLinks) {
  Program program("mouse-receiver:unlinked");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseTile() && program.MouseTile()->IsNotConnected(); }, kSettleMs));
  CDeviceOptionUI* tile = program.MouseTile();
  EXPECT_FALSE(program.Window().IsNoDeviceLayoutShown()) << "the receiver is there: not a missing device";
  EXPECT_TRUE(program.Window().IsNotConnectedLayoutShown());
  EXPECT_TRUE(tile->IsVisible());
  EXPECT_TRUE(tile->IsSelected());
  EXPECT_FALSE(tile->IsReachable());
  EXPECT_EQ(program.Window().GetSelectedDevice(), nullptr) << "nothing is sent to a mouse that cannot hear it";
  EXPECT_TRUE(program.Window().GetPaintManager()->FindSubControlByName(tile, "device_select_state")->IsVisible());

  // Switched on: the page comes without a restart.
  program.Sim().Receiver()->SetLinked(true);
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  EXPECT_FALSE(tile->IsNotConnected());
  EXPECT_FALSE(program.Window().IsNotConnectedLayoutShown());
  EXPECT_FALSE(program.Window().GetPaintManager()->FindSubControlByName(tile, "device_select_state")->IsVisible());
  EXPECT_EQ(program.Window().GetSelectedDevice(), program.Mouse());

  // Switched off again: back to not connected, still not a missing device.
  program.Sim().Receiver()->SetLinked(false);
  ASSERT_TRUE(PumpUntil([&] { return tile->IsNotConnected(); }, kSettleMs));
  EXPECT_TRUE(program.Window().IsNotConnectedLayoutShown());
  EXPECT_FALSE(program.Window().IsNoDeviceLayoutShown());

  // The receiver pulled out: now the device is missing.
  program.Sim().Receiver()->Unplug();
  ASSERT_TRUE(PumpUntil([&] { return program.Window().IsNoDeviceLayoutShown(); }, kSettleMs));
  EXPECT_FALSE(tile->IsVisible());
  EXPECT_FALSE(program.Window().IsNotConnectedLayoutShown());
}

TEST(MousePageProgram, TheNoDeviceLayoutAdvisesTheUdevRuleOnlyWhenADeviceCannotBeOpened) {
  Program program("");
  ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
  CControlUI* advice = program.Control("No_device_text");
  ASSERT_NE(advice, nullptr);
  EXPECT_EQ(advice->GetText().str(), Translated("main_no_device_text"));
  EXPECT_EQ(Translated("main_no_device_text").find("udev"), std::string::npos);

  // What the scan thread posts when an interface is there that this user may not open.
  SendMessage(program.Window().GetHWND(), WM_USB_MAINMESS_DEVICE_INACCESSIBLE, 1, 0);
  EXPECT_EQ(advice->GetText().str(), Translated("main_no_device_access_text"));
  EXPECT_NE(Translated("main_no_device_access_text").find("udev"), std::string::npos);
  SendMessage(program.Window().GetHWND(), WM_USB_MAINMESS_DEVICE_INACCESSIBLE, 0, 0);
  EXPECT_EQ(advice->GetText().str(), Translated("main_no_device_text"));
}

namespace {

// What the user does to a control, as the notification its owner must route; nothing for a
// control that takes no clicks.
std::optional<NotifyKind> ClickKind(CControlUI* control) {
  if (control->GetInterface("Option")) return NotifyKind::kSelectChanged;
  if (control->GetInterface("MenuElement")) return NotifyKind::kClick;
  if (control->GetInterface("Button")) return NotifyKind::kClick;
  if (control->GetInterface("Slider")) return NotifyKind::kValueChanged;
  if (control->GetInterface("Combo")) return NotifyKind::kItemSelect;
  if (control->GetInterface("Edit")) return NotifyKind::kFocusLost;
  if (control->GetInterface("SelectPanel")) return NotifyKind::kClick;
  return std::nullopt;
}

template <typename Owner>
bool Routed(std::span<const RouteRow<Owner>> rows, NotifyKind kind, CControlUI* control) {
  TNotifyUI msg;
  msg.pSender = control;
  int index = 0;
  return FindRoute(rows, kind, msg, &index) != nullptr;
}

CControlUI* CollectEveryControl(CControlUI* control, void* found) {
  static_cast<std::vector<CControlUI*>*>(found)->push_back(control);
  return nullptr;
}

std::vector<CControlUI*> EveryControl(CControlUI* root) {
  std::vector<CControlUI*> found;
  root->FindControl(CollectEveryControl, &found, UIFIND_ALL);
  return found;
}

// A control that takes clicks either has a route, or is inoperable and its tooltip says why.
// Hidden controls count: the code shows some of them later.
void ExpectNothingSilent(const std::vector<CControlUI*>& controls,
                         const std::function<bool(NotifyKind, CControlUI*)>& routed) {
  // Controls that work without a route of their own.
  const std::set<std::string> workWithoutRoute = {
      "device_profile_name_edit",  // its text is what the rename button takes
      // The macro editor's settings that its buttons and recordings read.
      "macro_edit_macroname", "macro_check_time", "macro_fixed_time_edit", "mouse_x_left_edit", "mouse_x_right_edit",
      "mouse_y_up_edit", "mouse_y_down_edit",
      "minbtn",                    // every window's base minimises it
  };
  int checked = 0;
  for (CControlUI* control : controls) {
    const std::optional<NotifyKind> kind = ClickKind(control);
    if (!kind || !control->IsMouseEnabled()) continue;
    const std::string name = control->GetName().str();
    ++checked;
    if (!control->IsEnabled()) {
      EXPECT_FALSE(ShownTooltip(control).empty())
          << "inoperable without saying why: " << name << " (" << control->GetClass() << ")";
      continue;
    }
    if (workWithoutRoute.count(name)) continue;
    EXPECT_TRUE(routed(*kind, control)) << "clickable and silent: " << name << " (" << control->GetClass() << ")";
  }
  EXPECT_GT(checked, 0);
}

}  // namespace

TEST(MousePageProgram, EveryControlOfTheWindowAndTheMousePageThatTakesClicksWorksOrSaysWhyNot) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const auto routed = [](NotifyKind kind, CControlUI* control) {
    return Routed(CControlRouter::Rows(), kind, control) || Routed(CMousePageRoutes::Rows(), kind, control) ||
           Routed(CDeviceProfileUI::Rows(), kind, control) || Routed(CKeySetControlUI::Rows(), kind, control) ||
           Routed(CMacroControlUI::Rows(), kind, control) || Routed(CLightControlUI::Rows(), kind, control) ||
           Routed(CShootControlUI::Rows(), kind, control) || Routed(CMoreSettingsUI::Rows(), kind, control);
  };
  ExpectNothingSilent(EveryControl(program.Window().GetPaintManager()->GetRoot()), routed);

  // The tray menu: its exit, and the rows the router opens windows for.
  CMenuWnd* menu = new CMenuWnd;
  ASSERT_TRUE(menu->Init("menu.xml", POINT{10, 10}, program.Window().GetPaintManager(),
                         eMenuAlignment_Left | eMenuAlignment_Top));
  menu->GetPaintManager()->UpdateLayout();
  ExpectNothingSilent(EveryControl(menu->GetPaintManager()->GetRoot()),
                      [](NotifyKind, CControlUI* control) {
                        return control->GetName() == "exit" || CControlRouter::IsOwnMenuCommand(control->GetName().str());
                      });
  menu->Close();
  PumpUiEvents();

  // The skin panel the skin button opens.
  CSkinFrame* panel = CSkinFrame::Open(program.Window().GetHWND(), nullptr, program.DataFolder() + "/main.ini", 96);
  ASSERT_NE(panel, nullptr);
  panel->GetPaintManager()->UpdateLayout();
  ExpectNothingSilent(EveryControl(panel->GetPaintManager()->GetRoot()), [](NotifyKind kind, CControlUI* control) {
    return Routed(CSkinFrame::Rows(), kind == NotifyKind::kSelectChanged ? NotifyKind::kClick : kind, control);
  });
  panel->Close();
  PumpUiEvents();
}

TEST(MousePageProgram, AStageThatIsOffCannotBeChosenAndItsRowSaysSo) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  CPaintManagerUI& manager = *program.Window().GetPaintManager();
  const int current = program.Mouse()->GetCurrentStage();
  const int off = (current + 3) % 7;

  auto* enable = static_cast<COptionUI*>(
      program.Control(("DPI_enable_check_" + std::to_string(off)).c_str())->GetInterface("Option"));
  enable->Selected(false, false);
  manager.SendNotify(enable, "selectchanged");
  auto* radio = static_cast<COptionUI*>(
      program.Control(("DPI_select_check_" + std::to_string(off)).c_str())->GetInterface("Option"));
  EXPECT_FALSE(radio->IsEnabled()) << "a stage that is off cannot be chosen";
  EXPECT_FALSE(program.Control(("DPI_slider_" + std::to_string(off)).c_str())->IsEnabled());
  EXPECT_FALSE(program.Control(("DPI_edit_" + std::to_string(off)).c_str())->IsEnabled());
  EXPECT_EQ(ShownTooltip(radio), Translated("mouse_stage_off_tip"));
  EXPECT_LT(program.Control(("DPI_color_option_" + std::to_string(off)).c_str())->GetBkColor() >> 24, 0xFFu)
      << "its colour is faded with the row";
  // A click that gets through anyway changes nothing on the mouse.
  radio->Selected(true, false);
  manager.SendNotify(radio, "selectchanged");
  EXPECT_EQ(program.Mouse()->GetCurrentStage(), current);
  EXPECT_EQ(program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 12, 1).at(0), current);
  EXPECT_FALSE(radio->IsSelected());

  enable->Selected(true, false);
  manager.SendNotify(enable, "selectchanged");
  EXPECT_TRUE(radio->IsEnabled());
  EXPECT_EQ(ShownTooltip(radio), "");
}

TEST(MousePageProgram, LinesPerNotchAreInoperableWhileScrollingAScreenAtATime) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  CPaintManagerUI& manager = *program.Window().GetPaintManager();
  auto* byPage = static_cast<COptionUI*>(program.Control("scrolls_page_check")->GetInterface("Option"));
  CControlUI* lines = program.Control("scroll_speed_slider");
  for (bool ticked : {true, false, true}) {
    byPage->Selected(ticked, false);
    manager.SendNotify(byPage, "selectchanged");
    EXPECT_EQ(lines->IsEnabled(), !ticked);
    EXPECT_EQ(lines->GetToolTip().str(), ticked ? Translated("mouse_scroll_speed_by_page_tip") : "");
  }
}

namespace {

CControlUI* CollectLabels(CControlUI* control, void* found) {
  if (control->GetInterface("Label") && !control->GetInterface("Button") && !control->GetInterface("Edit") &&
      !control->GetInterface("Combo")) {
    static_cast<std::vector<CLabelUI*>*>(found)->push_back(static_cast<CLabelUI*>(control->GetInterface("Label")));
  }
  return nullptr;
}

}  // namespace

TEST(MousePageProgram, EveryLabelOfTheMouseSettingsShowsItsWholeTextInBothLanguages) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  CPaintManagerUI& manager = *program.Window().GetPaintManager();
  CControlUI* settings = program.Control("mouse_device_seting_layout");
  ASSERT_NE(settings, nullptr);
  for (const auto& [language, dpi] : {std::pair{0, 96}, std::pair{1, 96}, std::pair{0, 144}, std::pair{1, 144}}) {
    program.Window().ApplyLanguage(language);  // positions in Language.config: Chinese, English
    CPaintManagerUI::SetAllDPI(dpi);           // a large monitor draws the layout at 1.5 times
    for (int page = 0; page < 3; ++page) {
      program.Mouse()->ShowSettingsPage(page);
      manager.UpdateLayout();
      std::vector<CLabelUI*> labels;
      settings->FindControl(CollectLabels, &labels, UIFIND_VISIBLE);
      for (CLabelUI* label : labels) {
        const RECT padding = label->GetTextPadding();
        const RECT pos = label->GetPos();
        const int room = (pos.right - pos.left) - padding.left - padding.right;
        const SIZE text = CRenderEngine::GetTextSize(&manager, label->GetText(), label->GetFont(), DT_SINGLELINE);
        if (label->GetText().IsEmpty() || room <= 0 || (label->GetTextStyle() & DT_WORDBREAK)) continue;
        EXPECT_LE(text.cx, room) << "cut: \"" << label->GetText().str() << "\" (language " << language << ", "
                                 << dpi << " DPI, page " << page << ")";
      }
    }
  }
  CPaintManagerUI::SetAllDPI(96);
}
