#include "devices/mouse/page/mouse_page_routes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "devices/mouse/mouse_system_words.h"
#include "devices/mouse/page/mouse_page_controls.h"
#include "devices/velmar_mouse_device.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/slider_ui.h"

using namespace mouse_page;

namespace {

using Routes = CMousePageRoutes;

int SliderValue(const TNotifyUI& msg) {
  auto* slider = msg.pSender ? static_cast<CSliderUI*>(msg.pSender->GetInterface("Slider")) : nullptr;
  return slider ? slider->GetValue() : 0;
}

// The number in the chosen item's text ("5 min", "4 ms"); -1 when there is none.
int ChosenItemNumber(const TNotifyUI& msg) {
  auto* combo = msg.pSender ? static_cast<CComboUI*>(msg.pSender->GetInterface("Combo")) : nullptr;
  if (!combo) return -1;
  const std::string text = combo->GetText().str();
  const auto digit =
      std::find_if(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  return digit == text.end() ? -1 : std::atoi(&*digit);
}

// The number the chosen item carries as its user data; -1 when it carries none.
int ChosenItemCode(const TNotifyUI& msg) {
  auto* combo = msg.pSender ? static_cast<CComboUI*>(msg.pSender->GetInterface("Combo")) : nullptr;
  CControlUI* item = combo && combo->GetCurSel() >= 0 ? combo->GetItemAt(combo->GetCurSel()) : nullptr;
  const std::string code = item ? item->GetUserData().str() : std::string();
  if (code.empty() || !std::isdigit(static_cast<unsigned char>(code[0]))) return -1;
  return std::atoi(code.c_str());
}

}  // namespace

const RouteRow<CMousePageRoutes> CMousePageRoutes::kRouteRows[] = {
    {NotifyKind::kSelectChanged, kStageEnable, true, &Routes::OnStageEnabled},
    {NotifyKind::kSelectChanged, kStageSelect, true, &Routes::OnStageSelected},
    {NotifyKind::kSelectChanged, kPollingRate, true, &Routes::OnPollingRate},
    {NotifyKind::kSelectChanged, kSilentAltitude, true, &Routes::OnSilentAltitude},
    {NotifyKind::kSelectChanged, kLinearCalibration, true, &Routes::OnLinearCalibration},
    {NotifyKind::kSelectChanged, kRipple, true, &Routes::OnRipple},
    {NotifyKind::kSelectChanged, kSettingsPage, true, &Routes::OnSettingsPage},
    {NotifyKind::kSelectChanged, kPointerPrecision, false, &Routes::OnPointerPrecision},
    {NotifyKind::kSelectChanged, kScrollsPage, false, &Routes::OnScrollByPage},
    {NotifyKind::kValueChanged, kStageSlider, true, &Routes::OnStageSlider},
    {NotifyKind::kValueChanged, kPointerSpeed, false, &Routes::OnPointerSpeed},
    {NotifyKind::kValueChanged, kScrollSpeed, false, &Routes::OnScrollLines},
    {NotifyKind::kValueChanged, kDoubleClick, false, &Routes::OnDoubleClickTime},
    {NotifyKind::kSliderDrag, kStageSlider, true, &Routes::OnStageSliderDrag},
    {NotifyKind::kItemSelect, kDebounce, false, &Routes::OnDebounce},
    {NotifyKind::kItemSelect, kBluetoothSleep1, false, &Routes::OnSleepTime},
    {NotifyKind::kItemSelect, kBluetoothSleep2, false, &Routes::OnSleepTime},
    {NotifyKind::kItemSelect, kDeviceSleep1, false, &Routes::OnSleepTime},
    {NotifyKind::kItemSelect, kDeviceSleep2, false, &Routes::OnSleepTime},
    {NotifyKind::kItemSelect, kLogoMode, false, &Routes::OnLogoMode},
    {NotifyKind::kFocusLost, kStageEdit, true, &Routes::OnStageEdit},
    // Enter applies the typed number and leaves the field open; Tab and clicks elsewhere end it.
    {NotifyKind::kReturn, kStageEdit, true, &Routes::OnStageEdit},
};

std::span<const RouteRow<CMousePageRoutes>> CMousePageRoutes::Rows() { return kRouteRows; }

bool CMousePageRoutes::RouteNotify(NotifyKind kind, TNotifyUI& msg) { return DispatchRoute(Rows(), *this, kind, msg); }

// ---- stages ----

void CMousePageRoutes::OnStageEnabled(TNotifyUI& msg, int index) { mouse_.SetStageEnabled(index, IsSelectedOption(msg)); }

void CMousePageRoutes::OnStageSelected(TNotifyUI& msg, int index) {
  if (!IsSelectedOption(msg)) return;
  if (mouse_.SetCurrentStage(index)) mouse_.CommitSettings();
}

void CMousePageRoutes::OnStageSlider(TNotifyUI&, int index) { mouse_.OnStageSliderMoved(index, true); }
void CMousePageRoutes::OnStageSliderDrag(TNotifyUI&, int index) { mouse_.OnStageSliderMoved(index, false); }
void CMousePageRoutes::OnStageEdit(TNotifyUI&, int index) { mouse_.OnStageEditTyped(index); }

// ---- the system block: one half of one word each ----

void CMousePageRoutes::OnPollingRate(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) mouse_.ChangeSystemHalf(kSystemWordWheelAndPolling, true, index);
}

void CMousePageRoutes::OnSilentAltitude(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) mouse_.ChangeSystemHalf(kSystemWordSensorOptions, false, index);
}

void CMousePageRoutes::OnLinearCalibration(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) mouse_.ChangeSystemHalf(kSystemWordSensorOptions, true, index);
}

void CMousePageRoutes::OnRipple(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) mouse_.ChangeSystemHalf(kSystemWordRipple, false, index);
}

void CMousePageRoutes::OnPointerPrecision(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordPointer, false, IsSelectedOption(msg) ? 1 : 0);
}

void CMousePageRoutes::OnScrollByPage(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordPointer, true, IsSelectedOption(msg) ? 1 : 0);
}

void CMousePageRoutes::OnPointerSpeed(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordClickAndSpeed, true, SliderValue(msg));
}

void CMousePageRoutes::OnScrollLines(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordWheelAndPolling, false, SliderValue(msg));
}

void CMousePageRoutes::OnDoubleClickTime(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordClickAndSpeed, false, SliderValue(msg));
}

void CMousePageRoutes::OnDebounce(TNotifyUI& msg, int) {
  mouse_.ChangeSystemHalf(kSystemWordDebounceAndLogo, false, ChosenItemNumber(msg));
}

void CMousePageRoutes::OnSleepTime(TNotifyUI& msg, int) {
  const std::string name = msg.pSender->GetName().str();
  const bool device = SameControlName(name, kDeviceSleep1) || SameControlName(name, kDeviceSleep2);
  const bool second = SameControlName(name, kDeviceSleep2) || SameControlName(name, kBluetoothSleep2);
  mouse_.ChangeSystemHalf(device ? kSystemWordDeviceSleep : kSystemWordBluetoothSleep, second, ChosenItemNumber(msg));
  // The keep-alive period follows the device sleep times.
  if (device) mouse_.RestartKeepAlive();
}

// The logo's mode is the mouse's lighting mode: the item's number is the mode's code.
void CMousePageRoutes::OnLogoMode(TNotifyUI& msg, int) { mouse_.ChooseLightModeCode(ChosenItemCode(msg)); }

void CMousePageRoutes::OnSettingsPage(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) mouse_.ShowSettingsPage(index);
}
