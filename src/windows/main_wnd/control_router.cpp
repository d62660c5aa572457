#include "windows/main_wnd/control_router.h"

#include <cctype>
#include <cstdlib>
#include <strings.h>

#include "devices/device_messages.h"
#include "devices/mouse/mouse_system_words.h"
#include "devices/velmar_mouse_device.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "platform/debug_output.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/window_api.h"
#include "windows/device_selector/device_option_ui.h"
#include "windows/main_wnd/main_wnd.h"

std::optional<SplitControlNameResult> SplitControlName(std::string_view name) {
  const size_t underscore = name.rfind('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  SplitControlNameResult split{std::string(name.substr(0, underscore + 1)), 0};
  const std::string_view digits = name.substr(underscore + 1);
  if (!digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    split.index = std::atoi(std::string(digits.substr(0, 9)).c_str());
  }
  return split;
}

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool IsSelectedOption(const TNotifyUI& msg) {
  auto* option = msg.pSender ? static_cast<COptionUI*>(msg.pSender->GetInterface("Option")) : nullptr;
  return option && option->IsSelected();
}

int SliderValue(const TNotifyUI& msg) {
  auto* slider = msg.pSender ? static_cast<CSliderUI*>(msg.pSender->GetInterface("Slider")) : nullptr;
  return slider ? slider->GetValue() : 0;
}

// The number in the chosen item's text ("5 min", "4 ms"); -1 when there is none.
int ChosenItemNumber(const TNotifyUI& msg) {
  auto* combo = msg.pSender ? static_cast<CComboUI*>(msg.pSender->GetInterface("Combo")) : nullptr;
  if (!combo) return -1;
  const std::string text = combo->GetText().str();
  const auto digit = std::find_if(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  return digit == text.end() ? -1 : std::atoi(&*digit);
}

int ChosenItemIndex(const TNotifyUI& msg) {
  auto* combo = msg.pSender ? static_cast<CComboUI*>(msg.pSender->GetInterface("Combo")) : nullptr;
  return combo ? combo->GetCurSel() : -1;
}

}  // namespace

const CControlRouter::Row CControlRouter::kClickRows[] = {
    {"closebtn", false, &CControlRouter::OnClose},
    {"nodevice_ok_btn", false, &CControlRouter::OnHideWindow},
    {"errordevice_ok_btn", false, &CControlRouter::OnHideWindow},
    {"errordevice_connect_btn", false, &CControlRouter::OnReconnect},
    {"minbtn", false, &CControlRouter::OnMinimise},
    {"maxbtn", false, &CControlRouter::OnMaximise},
    {"restorebtn", false, &CControlRouter::OnRestore},
    {"device_add_btn", false, &CControlRouter::OnProfileAdd},
    {"device_sub_btn", false, &CControlRouter::OnProfileDelete},
    {"device_copy_btn", false, &CControlRouter::OnProfileCopy},
    {"device_import_btn", false, &CControlRouter::OnProfileImport},
    {"device_export_btn", false, &CControlRouter::OnProfileExport},
    {"device_reset_btn", false, &CControlRouter::OnProfileReset},
    {"device_profile_edit_save_btn", false, &CControlRouter::OnProfileRename},
    {"profile_fun_spread_btn", false, &CControlRouter::OnProfileMenu},
    {"device_select_prev", false, &CControlRouter::OnSelectPrevious},
    {"device_select_next", false, &CControlRouter::OnSelectNext},
};

const CControlRouter::Row CControlRouter::kSelectChangedRows[] = {
    {"DPI_enable_check_", true, &CControlRouter::OnStageEnabled},
    {"DPI_select_check_", true, &CControlRouter::OnStageSelected},
    {"polling_rate_option_", true, &CControlRouter::OnPollingRate},
    {"Silent_Altitude_option_", true, &CControlRouter::OnSilentAltitude},
    {"Linear_Calibration_option_", true, &CControlRouter::OnLinearCalibration},
    {"Ripple_option_", true, &CControlRouter::OnRipple},
    {"mouse_device_seting_option_", true, &CControlRouter::OnSettingsPage},
    {"pointer_precision_check", false, &CControlRouter::OnPointerPrecision},
    {"scrolls_page_check", false, &CControlRouter::OnScrollByPage},
    {"device_select", false, &CControlRouter::OnTileSelected},
    {"deng_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"key_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"macro_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"system_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"cursor_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"6533_voice_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"magic_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"Virtual7.1_Op_tab", false, &CControlRouter::OnFunctionTab},
    {"otherset_Op_tab", false, &CControlRouter::OnFunctionTab},
};

const CControlRouter::Row CControlRouter::kValueChangedRows[] = {
    {"DPI_slider_", true, &CControlRouter::OnStageSlider},
    {"pointer_speed_slider", false, &CControlRouter::OnPointerSpeed},
    {"scroll_speed_slider", false, &CControlRouter::OnScrollLines},
    {"double_click_slider", false, &CControlRouter::OnDoubleClickTime},
};

const CControlRouter::Row CControlRouter::kSliderDragRows[] = {
    {"DPI_slider_", true, &CControlRouter::OnStageSliderDrag},
};

const CControlRouter::Row CControlRouter::kItemSelectRows[] = {
    {"device_profile_combo", false, &CControlRouter::OnProfileChosen},
    {"Anti_Shake_combo_timeSelect", false, &CControlRouter::OnDebounce},
    {"ble_sleep1_combo", false, &CControlRouter::OnSleepTime},
    {"ble_sleep2_combo", false, &CControlRouter::OnSleepTime},
    {"device_sleep1_combo", false, &CControlRouter::OnSleepTime},
    {"device_sleep2_combo", false, &CControlRouter::OnSleepTime},
    {"logo_led_mode_combo", false, &CControlRouter::OnLogoMode},
};

const CControlRouter::Row CControlRouter::kFocusLostRows[] = {
    {"DPI_edit_", true, &CControlRouter::OnStageEdit},
};

bool CControlRouter::Route(TNotifyUI& msg) {
  const std::string type = msg.sType.str();
  if (type != "timer") OutputDebugString(type + " " + (msg.pSender ? msg.pSender->GetName().str() : std::string()));
  if (type == "click") {
    Dispatch(kClickRows, msg);
  } else if (type == "selectchanged") {
    Dispatch(kSelectChangedRows, msg);
  } else if (type == "valuechanged") {
    Dispatch(kValueChangedRows, msg);
  } else if (type == "movevaluechanged") {
    Dispatch(kSliderDragRows, msg);
  } else if (type == "itemselect") {
    Dispatch(kItemSelectRows, msg);
  } else if (type == "killfocus") {
    Dispatch(kFocusLostRows, msg);
  }
  return type == "click_wpremove" || type == "click_wpedit";
}

bool CControlRouter::Dispatch(std::span<const Row> rows, TNotifyUI& msg) {
  if (!msg.pSender) return false;
  const std::string name = msg.pSender->GetName().str();
  const std::optional<SplitControlNameResult> split = SplitControlName(name);
  for (const Row& row : rows) {
    if (row.prefix) {
      if (split && SameText(split->prefix, row.name)) {
        (this->*row.action)(msg, split->index);
        return true;
      }
    } else if (SameText(name, row.name)) {
      (this->*row.action)(msg, 0);
      return true;
    }
  }
  return false;
}

void CControlRouter::RouteMenuCommand(const std::string& name) { OutputDebugString("menu " + name); }

CDeviceProfileUI* CControlRouter::SelectedProfilePanel() {
  CVelmarUSBDevice* device = window_.GetSelectedDevice();
  return device ? device->GetProfilePanel() : nullptr;
}

CVelmarMouseDevice* CControlRouter::SelectedMouse() {
  CVelmarUSBDevice* device = window_.GetSelectedDevice();
  return device ? static_cast<CVelmarMouseDevice*>(device->GetInterface("VelmarMouseDevice")) : nullptr;
}

void CControlRouter::ChangeMouseSystemHalf(size_t word, bool high, int value) {
  CVelmarMouseDevice* mouse = SelectedMouse();
  if (!mouse || value < 0) return;
  MouseSystemBlock block = mouse->GetSystemBlock();
  const uint16_t half = static_cast<uint16_t>(value);
  block[word] = high ? PackHalves(LowHalf(block[word]), half) : PackHalves(half, HighHalf(block[word]));
  mouse->SetSystemBlock(block);
  mouse->SaveProfile();
  mouse->ApplySettings(0, 0, 0, 0, 0);
}

// ---- click ----

// The close button hides the window in the tray; the program keeps running. Where the desktop has
// no tray (some Wayland desktops) a hidden window could not be reached again, so it is minimised.
void CControlRouter::OnClose(TNotifyUI&, int) {
  if (window_.HasTrayIcon()) {
    window_.HideToTray();
  } else {
    ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  }
}
void CControlRouter::OnHideWindow(TNotifyUI&, int) { ShowWindow(window_.GetHWND(), SW_HIDE); }

void CControlRouter::OnReconnect(TNotifyUI&, int) {
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->MarkInitialised();
}

void CControlRouter::OnMinimise(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void CControlRouter::OnMaximise(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MAXIMIZE, 0); }
void CControlRouter::OnRestore(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_RESTORE, 0); }
void CControlRouter::OnSelectPrevious(TNotifyUI&, int) { window_.SelectPrevious(); }
void CControlRouter::OnSelectNext(TNotifyUI&, int) { window_.SelectNext(); }

// ---- selectchanged ----

void CControlRouter::OnStageEnabled(TNotifyUI& msg, int index) {
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->SetStageEnabled(index, IsSelectedOption(msg));
}

void CControlRouter::OnStageSelected(TNotifyUI& msg, int index) {
  CVelmarMouseDevice* mouse = SelectedMouse();
  if (!mouse || !IsSelectedOption(msg)) return;
  mouse->SetCurrentStage(index);
  mouse->SaveProfile();
  mouse->ApplySettings(0, 0, 0, 0, 0);
}

void CControlRouter::OnPollingRate(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) ChangeMouseSystemHalf(kSystemWordWheelAndPolling, true, index);
}

void CControlRouter::OnSilentAltitude(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) ChangeMouseSystemHalf(kSystemWordSensorOptions, false, index);
}

void CControlRouter::OnLinearCalibration(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) ChangeMouseSystemHalf(kSystemWordSensorOptions, true, index);
}

void CControlRouter::OnRipple(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) ChangeMouseSystemHalf(kSystemWordRipple, false, index);
}

void CControlRouter::OnSettingsPage(TNotifyUI& msg, int index) {
  if (!IsSelectedOption(msg)) return;
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->ShowSettingsPage(index);
}

void CControlRouter::OnPointerPrecision(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordPointer, false, IsSelectedOption(msg) ? 1 : 0);
}

void CControlRouter::OnScrollByPage(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordPointer, true, IsSelectedOption(msg) ? 1 : 0);
}

void CControlRouter::OnTileSelected(TNotifyUI&, int) { window_.OnTileSelectionChanged(); }

void CControlRouter::OnFunctionTab(TNotifyUI& msg, int) {
  if (!IsSelectedOption(msg)) return;
  CVelmarUSBDevice* device = window_.GetSelectedDevice();
  const int type = CDeviceProfileUI::TabNumberOf(msg.pSender->GetName().str());
  if (!device || type == 0) return;
  device->SetFunctionType(type);
  if (CDeviceProfileUI* panel = device->GetProfilePanel()) panel->SelectTab(type);
}

// ---- valuechanged / movevaluechanged ----

void CControlRouter::OnStageSlider(TNotifyUI&, int index) {
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->OnStageSliderMoved(index, true);
}

void CControlRouter::OnStageSliderDrag(TNotifyUI&, int index) {
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->OnStageSliderMoved(index, false);
}

void CControlRouter::OnPointerSpeed(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordClickAndSpeed, true, SliderValue(msg));
}

void CControlRouter::OnScrollLines(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordWheelAndPolling, false, SliderValue(msg));
}

void CControlRouter::OnDoubleClickTime(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordClickAndSpeed, false, SliderValue(msg));
}

// ---- itemselect ----

void CControlRouter::OnDebounce(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordDebounceAndLogo, false, ChosenItemNumber(msg));
}

void CControlRouter::OnSleepTime(TNotifyUI& msg, int) {
  const std::string name = msg.pSender->GetName().str();
  const bool device = SameText(name.substr(0, 6), "device");
  const bool second = name.find('2') != std::string::npos;
  ChangeMouseSystemHalf(device ? kSystemWordDeviceSleep : kSystemWordBluetoothSleep, second, ChosenItemNumber(msg));
  if (!device) return;
  if (CVelmarUSBDevice* selected = window_.GetSelectedDevice()) {
    if (CDeviceOptionUI* tile = window_.TileOf(selected)) tile->RestartSleepTimer();
  }
}

void CControlRouter::OnLogoMode(TNotifyUI& msg, int) {
  ChangeMouseSystemHalf(kSystemWordDebounceAndLogo, true, ChosenItemIndex(msg));
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->LoadLighting();
}

// ---- killfocus ----

void CControlRouter::OnStageEdit(TNotifyUI&, int index) {
  if (CVelmarMouseDevice* mouse = SelectedMouse()) mouse->OnStageEditTyped(index);
}
