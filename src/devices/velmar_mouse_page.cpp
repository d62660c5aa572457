// The mouse page: what the controls show, and the stage edits that come back from them.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "devices/mouse/mouse_system_words.h"
#include "devices/velmar_mouse_device.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "profiles/storage/data_folders.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

constexpr int kStageEditMaximum = 45000;
constexpr int kPollingOptions = 5;
constexpr int kTwoWayOptions = 2;

std::string Indexed(const char* prefix, int index) { return prefix + std::to_string(index); }

// The number an item stands for: its user data when that is a number, else the first number in
// its text ("5 min", "4 ms"). -1 when it has none.
int ItemNumber(CControlUI* item) {
  for (const std::string& text : {item->GetUserData().str(), item->GetText().str()}) {
    const auto digit =
        std::find_if(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (digit != text.end()) return std::atoi(&*digit);
  }
  return -1;
}

DWORD OpaqueColour(uint8_t red, uint8_t green, uint8_t blue) {
  return 0xFF000000u | (DWORD{red} << 16) | (DWORD{green} << 8) | blue;
}

}  // namespace

void CVelmarMouseDevice::InitDevicePage() { InitMousePage(); }

void CVelmarMouseDevice::InitMousePage() {
  CControlUI* settings = FindPageControl("mouse_device_seting_layout");
  // The picture may sit beside the settings rather than inside them; the whole page is searched
  // when the settings layout holds no selection panel.
  CollectKeyButtons(settings, {"light_", "light_0_", "logo"});
  if (KeyControls().empty() && LightControls().empty()) CollectKeyButtons(this, {"light_", "light_0_", "logo"});
  editorItems_.clear();
  for (const char* name :
       {"DeviceProfileItem", "LightControlItem", "MacroControlItem", "KeySetControlItem", "ShootControlItem"}) {
    editorItems_.push_back(FindPageControl(name));
  }
  BindProfilePanel();
  ShowSettingsPage(0);
}

void CVelmarMouseDevice::BindProfilePanel() {
  // The page opens on the mouse's settings (the key editor's page is still empty), so their tab
  // is the one shown selected.
  constexpr int kSettingsTab = 4;
  CDeviceProfileUI* panel = GetProfilePanel();
  if (!panel) return;
  if (GetDeviceFolder().empty()) SetDeviceFolder(DeviceDataFolder(GetKindName().empty() ? kMouseKindName : GetKindName()));
  panel->SetDeviceKind(kDeviceKindMouse);
  panel->SetProfileFolders(GetDeviceFolder(), DefaultDataPath(kMouseKindName));
  panel->InitProfileList();
  panel->SelectTab(kSettingsTab);
  SetSelectedProfileId(panel->GetSelectedProfileId(), panel->GetSelectedProfileName());
}

void CVelmarMouseDevice::ShowSettingsPage(int page) {
  if (auto* pages = FindPageControlAs<CTabLayoutUI>("mouse_device_seting_layout", "TabLayout")) pages->SelectItem(page);
  if (auto* option = FindPageControlAs<COptionUI>(Indexed("mouse_device_seting_option_", page), "Option")) {
    option->Selected(true, false);
  }
}

void CVelmarMouseDevice::SetFunctionType(int type) {
  CVelmarUSBDevice::SetFunctionType(type);
  if (CControlUI* hint = FindPageControl("device_tishi_info")) hint->SetVisible(false);
}

void CVelmarMouseDevice::SelectKey(int index) {
  CVelmarUSBDevice::SelectKey(index);
  const auto& keys = KeyControls();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i]) keys[i]->SetSelected(static_cast<int>(i) == index);
  }
}

void CVelmarMouseDevice::ApplyStageSliderRanges() {
  const SensitivityRule rule = SensitivityRuleOf(GetDeviceInfo());
  const std::optional<int> maximum = StageSliderMaximum(rule);
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) {
    if (maximum) {
      if (auto* slider = FindPageControlAs<CSliderUI>(Indexed("DPI_slider_", i), "Slider")) {
        slider->SetMinValue(0);
        slider->SetMaxValue(*maximum);
      }
    }
    if (auto* edit = FindPageControlAs<CEditUI>(Indexed("DPI_edit_", i), "Edit"))
      edit->SetMinMaxNumber(0, kStageEditMaximum);
  }
}

void CVelmarMouseDevice::ShowSettings() {
  LoadLightAndMacroNames();
  const uint16_t sensor = GetDeviceInfo().SensorId();
  const int count = static_cast<int>(std::min(stages_.size(), kMaxStages));
  for (int i = 0; i < count; ++i) {
    const DPIStage& stage = stages_[static_cast<size_t>(i)];
    ShowStageEnabled(i, stage.StageActive != 0);
    ShowStageValue(i, StageStoredValue(stage, sensor));
    ShowStageColour(i, stage);
  }
  ShowSystemBlock();
}

void CVelmarMouseDevice::ShowStageColour(int stage, const DPIStage& record) {
  if (CControlUI* swatch = FindPageControl(Indexed("DPI_color_option_", stage))) {
    swatch->SetBkColor(OpaqueColour(record.StageColorR, record.StageColorG, record.StageColorB));
  }
}

// The checks of every stage row follow two rules at once: the current stage cannot be disabled,
// and the last enabled stage cannot be disabled either.
void CVelmarMouseDevice::ShowStageEnabled(int stage, bool enabled) {
  if (CControlUI* row = FindPageControl(Indexed("DPI_layout_", stage))) row->SetEnabled(enabled);
  if (auto* check = FindPageControlAs<COptionUI>(Indexed("DPI_enable_check_", stage), "Option")) {
    check->Selected(enabled, false);
  }
  const int count = static_cast<int>(std::min(stages_.size(), kMaxStages));
  const int enabledCount = static_cast<int>(
      std::count_if(stages_.begin(), stages_.begin() + count, [](const DPIStage& s) { return s.StageActive != 0; }));
  for (int i = 0; i < count; ++i) {
    auto* check = FindPageControlAs<COptionUI>(Indexed("DPI_enable_check_", i), "Option");
    if (!check) continue;
    const bool lastEnabled = enabledCount == 1 && stages_[static_cast<size_t>(i)].StageActive != 0;
    check->SetEnabled(i != currentStage_ && !lastEnabled);
  }
}

void CVelmarMouseDevice::ShowStageValue(int stage, int value) {
  if (auto* slider = FindPageControlAs<CSliderUI>(Indexed("DPI_slider_", stage), "Slider")) slider->SetValue(value);
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) {
    if (auto* select = FindPageControlAs<COptionUI>(Indexed("DPI_select_check_", i), "Option")) {
      select->Selected(i == currentStage_, false);
    }
  }
  ShowStageEnabled(stage,
                   stage < static_cast<int>(stages_.size()) && stages_[static_cast<size_t>(stage)].StageActive != 0);
  ShowStageNumber(stage, value);
}

void CVelmarMouseDevice::ShowStageNumber(int stage, int value) {
  if (CControlUI* edit = FindPageControl(Indexed("DPI_edit_", stage))) {
    CDuiString text;
    text.Format("%d", ShownSensitivity(SensitivityRuleOf(GetDeviceInfo()), value));
    edit->SetText(text);
  }
}

void CVelmarMouseDevice::SelectOptionByIndex(const std::string& prefix, int index, int count) {
  if (index < 0 || index >= count) return;
  if (auto* option = FindPageControlAs<COptionUI>(prefix + std::to_string(index), "Option"))
    option->Selected(true, false);
}

void CVelmarMouseDevice::ShowSliderValue(const std::string& name, int value) {
  if (auto* slider = FindPageControlAs<CSliderUI>(name, "Slider")) slider->SetValue(value);
}

void CVelmarMouseDevice::ShowCheck(const std::string& name, bool checked) {
  if (auto* check = FindPageControlAs<COptionUI>(name, "Option")) check->Selected(checked, false);
}

void CVelmarMouseDevice::SelectComboByNumber(const std::string& name, int value) {
  auto* combo = FindPageControlAs<CComboUI>(name, "Combo");
  if (!combo) return;
  for (int i = 0; i < combo->GetCount(); ++i) {
    if (CControlUI* item = combo->GetItemAt(i); item && ItemNumber(item) == value) {
      combo->SelectItem(i, false);
      return;
    }
  }
}

void CVelmarMouseDevice::ShowSystemBlock() {
  const MouseSystemBlock& block = systemBlock_;
  int polling = HighHalf(block[kSystemWordWheelAndPolling]);
  if (polling < 0 || polling > 3) polling = 0;
  SelectOptionByIndex("polling_rate_option_", polling, kPollingOptions);
  SelectComboByNumber("ble_sleep1_combo", LowHalf(block[kSystemWordBluetoothSleep]));
  SelectComboByNumber("ble_sleep2_combo", HighHalf(block[kSystemWordBluetoothSleep]));
  SelectComboByNumber("device_sleep1_combo", LowHalf(block[kSystemWordDeviceSleep]));
  SelectComboByNumber("device_sleep2_combo", HighHalf(block[kSystemWordDeviceSleep]));
  SelectComboByNumber("Anti_Shake_combo_timeSelect", LowHalf(block[kSystemWordDebounceAndLogo]));
  SelectOptionByIndex("Silent_Altitude_option_", LowHalf(block[kSystemWordSensorOptions]), kTwoWayOptions);
  SelectOptionByIndex("Linear_Calibration_option_", HighHalf(block[kSystemWordSensorOptions]), kTwoWayOptions);
  SelectOptionByIndex("Ripple_option_", LowHalf(block[kSystemWordRipple]), kTwoWayOptions);
  if (auto* logo = FindPageControlAs<CComboUI>("logo_led_mode_combo", "Combo")) {
    const int mode = HighHalf(block[kSystemWordDebounceAndLogo]);
    if (mode < logo->GetCount()) logo->SelectItem(mode, false);
  }
  // The pointer settings live in the profile only; the page shows what it stores.
  ShowSliderValue("pointer_speed_slider", HighHalf(block[kSystemWordClickAndSpeed]));
  ShowSliderValue("double_click_slider", LowHalf(block[kSystemWordClickAndSpeed]));
  ShowSliderValue("scroll_speed_slider", LowHalf(block[kSystemWordWheelAndPolling]));
  ShowCheck("pointer_precision_check", LowHalf(block[kSystemWordPointer]) != 0);
  ShowCheck("scrolls_page_check", HighHalf(block[kSystemWordPointer]) != 0);
}

// ---- edits coming back from the page ----

void CVelmarMouseDevice::SetCurrentStage(int stage) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return;
  currentStage_ = stage;
  profile_.SetStageActive(stage);
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) {
    if (auto* select = FindPageControlAs<COptionUI>(Indexed("DPI_select_check_", i), "Option")) {
      select->Selected(i == stage, false);
    }
  }
  if (stage < static_cast<int>(stages_.size()))
    ShowStageEnabled(stage, stages_[static_cast<size_t>(stage)].StageActive != 0);
}

void CVelmarMouseDevice::SetStages(const std::vector<DPIStage>& stages) {
  stages_ = stages;
  if (stages_.size() > kMaxStages) stages_.resize(kMaxStages);
  profile_.WriteDPIStages(stages_);
}

void CVelmarMouseDevice::StoreAndWriteStages() {
  SetStages(stages_);
  SaveProfile();
  ApplySettings(0, 0, 0, 0, 0);
}

void CVelmarMouseDevice::OnStageSliderMoved(int stage, bool save) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return;
  auto* slider = FindPageControlAs<CSliderUI>(Indexed("DPI_slider_", stage), "Slider");
  if (!slider) return;
  const int value = slider->GetValue();
  ShowStageNumber(stage, value);
  if (!save) return;
  if (stages_.size() <= static_cast<size_t>(stage)) stages_.resize(static_cast<size_t>(stage) + 1);
  StoreStageValue(stages_[static_cast<size_t>(stage)], GetDeviceInfo().SensorId(), value);
  StoreAndWriteStages();
}

void CVelmarMouseDevice::OnStageEditTyped(int stage) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return;
  CControlUI* edit = FindPageControl(Indexed("DPI_edit_", stage));
  auto* slider = FindPageControlAs<CSliderUI>(Indexed("DPI_slider_", stage), "Slider");
  if (!edit || !slider) return;
  const std::string text = edit->GetText().str();
  const int typed = text.empty() ? 0 : std::atoi(text.c_str());
  slider->SetValue(StoredSensitivity(SensitivityRuleOf(GetDeviceInfo()), typed));
  OnStageSliderMoved(stage, true);
}

void CVelmarMouseDevice::SetStageEnabled(int stage, bool enabled) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return;
  if (stages_.size() <= static_cast<size_t>(stage)) stages_.resize(static_cast<size_t>(stage) + 1);
  stages_[static_cast<size_t>(stage)].StageActive = enabled ? 1 : 0;
  ShowStageEnabled(stage, enabled);
  StoreAndWriteStages();
}

DWORD CVelmarMouseDevice::GetStageColour(int stage) const {
  CControlUI* swatch = FindPageControl(Indexed("DPI_color_option_", stage));
  return swatch ? swatch->GetBkColor() : 0;
}

void CVelmarMouseDevice::SetStageColour(int stage, DWORD colour) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return;
  if (stages_.size() <= static_cast<size_t>(stage)) stages_.resize(static_cast<size_t>(stage) + 1);
  DPIStage& record = stages_[static_cast<size_t>(stage)];
  record.StageColorR = static_cast<uint8_t>(colour >> 16);
  record.StageColorG = static_cast<uint8_t>(colour >> 8);
  record.StageColorB = static_cast<uint8_t>(colour);
  ShowStageColour(stage, record);
}

void CVelmarMouseDevice::SetSystemBlock(const MouseSystemBlock& block) {
  systemBlock_ = block;
  profile_.WriteSystemStages(block);
}
