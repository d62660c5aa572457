#include "devices/mouse/page/mouse_page_view.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "devices/mouse/model/mouse_model.h"
#include "devices/mouse/mouse_system_words.h"
#include "devices/mouse/page/mouse_page_controls.h"
#include "devices/page/key_display.h"
#include "devices/page/page_lookup.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace mouse_page;

namespace {

constexpr DWORD kStageOffColourAlpha = 0x50000000u;

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

void SelectComboByNumber(CComboUI* combo, int value) {
  if (!combo) return;
  for (int i = 0; i < combo->GetCount(); ++i) {
    if (CControlUI* item = combo->GetItemAt(i); item && ItemNumber(item) == value) {
      combo->SelectItem(i, false);
      return;
    }
  }
  // A value the list does not offer shows as no choice rather than as the last one shown.
  combo->SelectItem(-1, false);
}

void ShowSlider(CSliderUI* slider, int value) {
  if (slider) slider->SetValue(value);
}

void ShowCheck(COptionUI* check, bool checked) {
  if (check) check->Selected(checked, false);
}

template <size_t N>
void FindOptions(CControlUI* page, const char* prefix, int count, std::array<COptionUI*, N>& options) {
  for (int i = 0; i < count && i < static_cast<int>(N); ++i) {
    options[static_cast<size_t>(i)] = FindPageControlAs<COptionUI>(page, IndexedName(prefix, i), "Option");
  }
}

}  // namespace

void CMousePageView::Bind(CControlUI* page) {
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) {
    StageRow& row = stages_[static_cast<size_t>(i)];
    row.row = FindNamedChild(page, IndexedName(kStageRow, i).c_str());
    row.enable = FindPageControlAs<COptionUI>(page, IndexedName(kStageEnable, i), "Option");
    row.select = FindPageControlAs<COptionUI>(page, IndexedName(kStageSelect, i), "Option");
    row.slider = FindPageControlAs<CSliderUI>(page, IndexedName(kStageSlider, i), "Slider");
    row.edit = FindPageControlAs<CEditUI>(page, IndexedName(kStageEdit, i), "Edit");
    row.colour = FindNamedChild(page, IndexedName(kStageColour, i).c_str());
  }
  FindOptions(page, kPollingRate, kPollingOptions, polling_);
  FindOptions(page, kSilentAltitude, kTwoWayOptions, silentAltitude_);
  FindOptions(page, kLinearCalibration, kTwoWayOptions, linearCalibration_);
  FindOptions(page, kRipple, kTwoWayOptions, ripple_);
  FindOptions(page, kSettingsPage, kSettingsPageCount, settingsOptions_);
  debounce_ = FindPageControlAs<CComboUI>(page, kDebounce, "Combo");
  bluetoothSleep1_ = FindPageControlAs<CComboUI>(page, kBluetoothSleep1, "Combo");
  bluetoothSleep2_ = FindPageControlAs<CComboUI>(page, kBluetoothSleep2, "Combo");
  deviceSleep1_ = FindPageControlAs<CComboUI>(page, kDeviceSleep1, "Combo");
  deviceSleep2_ = FindPageControlAs<CComboUI>(page, kDeviceSleep2, "Combo");
  logoMode_ = FindPageControlAs<CComboUI>(page, kLogoMode, "Combo");
  pointerSpeed_ = FindPageControlAs<CSliderUI>(page, kPointerSpeed, "Slider");
  doubleClick_ = FindPageControlAs<CSliderUI>(page, kDoubleClick, "Slider");
  scrollSpeed_ = FindPageControlAs<CSliderUI>(page, kScrollSpeed, "Slider");
  pointerPrecision_ = FindPageControlAs<COptionUI>(page, kPointerPrecision, "Option");
  scrollsPage_ = FindPageControlAs<COptionUI>(page, kScrollsPage, "Option");
  settingsPages_ = FindPageControlAs<CTabLayoutUI>(page, kSettingsPages, "TabLayout");
  hint_ = FindNamedChild(page, kHint);
}

const CMousePageView::StageRow* CMousePageView::Row(int stage) const {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return nullptr;
  return &stages_[static_cast<size_t>(stage)];
}

void CMousePageView::ShowAll(const CMouseModel& model, const SensitivityRule& rule) {
  const int count = static_cast<int>(std::min(model.Stages().size(), kMaxStages));
  for (int i = 0; i < count; ++i) {
    const DPIStage& stage = model.Stages()[static_cast<size_t>(i)];
    ShowStageEnabled(model, i, stage.StageActive != 0);
    ShowStageValue(model, i, StageStoredValue(stage, rule.sensorId), rule);
    ShowStageColour(i, stage);
  }
  ShowSystemBlock(model.System());
}

void CMousePageView::ShowStageEnabled(const CMouseModel& model, int stage, bool enabled) {
  if (const StageRow* row = Row(stage)) {
    // A stage that is off cannot be chosen or edited until it is ticked again; its row says so.
    if (row->row) {
      row->row->SetEnabled(enabled);
      row->row->SetToolTip(enabled ? "" : TextKey("mouse_stage_off_tip"));
    }
    ShowCheck(row->enable, enabled);
    if (row->select) row->select->SetEnabled(enabled);
    if (row->slider) row->slider->SetEnabled(enabled);
    if (row->edit) row->edit->SetEnabled(enabled);
    const std::vector<DPIStage>& stages = model.Stages();
    if (static_cast<size_t>(stage) < stages.size()) ShowStageColour(stage, stages[static_cast<size_t>(stage)]);
  }
  ShowEnableChecks(model);
}

void CMousePageView::ShowEnableChecks(const CMouseModel& model) {
  const bool oneLeft = model.EnabledStageCount() == 1;
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) {
    COptionUI* check = stages_[static_cast<size_t>(i)].enable;
    if (!check) continue;
    const bool current = i == model.CurrentStage() && model.IsStageEnabled(i);
    const bool lastOn = oneLeft && model.IsStageEnabled(i);
    check->SetEnabled(!current && !lastOn);
    check->SetToolTip(current  ? TextKey("mouse_stage_enable_current_tip")
                      : lastOn ? TextKey("mouse_stage_enable_last_tip")
                               : TextKey("mouse_stage_enable_tip"));
  }
}

void CMousePageView::ShowStageValue(const CMouseModel& model, int stage, int stored, const SensitivityRule& rule) {
  if (const StageRow* row = Row(stage)) ShowSlider(row->slider, stored);
  ShowCurrentStage(model);
  ShowStageEnabled(model, stage, model.IsStageEnabled(stage));
  ShowStageNumber(stage, stored, rule);
}

void CMousePageView::ShowCurrentStage(const CMouseModel& model) {
  for (int i = 0; i < static_cast<int>(kMaxStages); ++i) ShowCheck(stages_[static_cast<size_t>(i)].select, i == model.CurrentStage());
}

void CMousePageView::ShowStageNumber(int stage, int stored, const SensitivityRule& rule) {
  const StageRow* row = Row(stage);
  if (!row || !row->edit) return;
  CDuiString text;
  text.Format("%d", ShownSensitivity(rule, stored));
  row->edit->SetText(text);
}

void CMousePageView::ShowStageColour(int stage, const DPIStage& record) {
  const StageRow* row = Row(stage);
  if (!row || !row->colour) return;
  // A stage that is off shows its colour faded, like the rest of its row.
  const DWORD alpha = record.StageActive != 0 ? 0xFF000000u : kStageOffColourAlpha;
  row->colour->SetBkColor(alpha | (DWORD{record.StageColorR} << 16) | (DWORD{record.StageColorG} << 8) |
                          record.StageColorB);
}

void CMousePageView::SelectOption(const std::array<COptionUI*, 5>& options, int index, int count) {
  if (index < 0 || index >= count) return;
  ShowCheck(options[static_cast<size_t>(index)], true);
}

void CMousePageView::ShowSystemBlock(const MouseSystemBlock& block) {
  int polling = HighHalf(block[kSystemWordWheelAndPolling]);
  // A stored stage outside 0 … 3 shows the first option; the fifth is never chosen from a value.
  if (polling < 0 || polling > 3) polling = 0;
  SelectOption(polling_, polling, kPollingOptions);
  SelectComboByNumber(bluetoothSleep1_, LowHalf(block[kSystemWordBluetoothSleep]));
  SelectComboByNumber(bluetoothSleep2_, HighHalf(block[kSystemWordBluetoothSleep]));
  SelectComboByNumber(deviceSleep1_, LowHalf(block[kSystemWordDeviceSleep]));
  SelectComboByNumber(deviceSleep2_, HighHalf(block[kSystemWordDeviceSleep]));
  SelectComboByNumber(debounce_, LowHalf(block[kSystemWordDebounceAndLogo]));
  SelectOption(silentAltitude_, LowHalf(block[kSystemWordSensorOptions]), kTwoWayOptions);
  SelectOption(linearCalibration_, HighHalf(block[kSystemWordSensorOptions]), kTwoWayOptions);
  SelectOption(ripple_, LowHalf(block[kSystemWordRipple]), kTwoWayOptions);
  SelectComboByNumber(logoMode_, HighHalf(block[kSystemWordDebounceAndLogo]));
  ShowSlider(pointerSpeed_, HighHalf(block[kSystemWordClickAndSpeed]));
  ShowSlider(doubleClick_, LowHalf(block[kSystemWordClickAndSpeed]));
  ShowSlider(scrollSpeed_, LowHalf(block[kSystemWordWheelAndPolling]));
  ShowCheck(pointerPrecision_, LowHalf(block[kSystemWordPointer]) != 0);
  const bool byPage = HighHalf(block[kSystemWordPointer]) != 0;
  ShowCheck(scrollsPage_, byPage);
  // Scrolling a screen at a time leaves no lines per notch to choose.
  if (scrollSpeed_) {
    scrollSpeed_->SetEnabled(!byPage);
    scrollSpeed_->SetToolTip(byPage ? TextKey("mouse_scroll_speed_by_page_tip") : "");
  }
}

void CMousePageView::ApplySliderRanges(const SensitivityRule& rule) {
  const std::optional<int> maximum = StageSliderMaximum(rule);
  for (StageRow& row : stages_) {
    if (maximum && row.slider) {
      row.slider->SetMinValue(0);
      row.slider->SetMaxValue(*maximum);
    }
    if (row.edit) row.edit->SetMinMaxNumber(0, kMaxTypedSensitivity);
  }
}

void CMousePageView::ShowSettingsPage(int page) {
  if (settingsPages_) settingsPages_->SelectItem(page);
  if (page >= 0 && page < kSettingsPageCount) ShowCheck(settingsOptions_[static_cast<size_t>(page)], true);
}

void CMousePageView::HideHint() {
  if (hint_) hint_->SetVisible(false);
}

void CMousePageView::ShowKeyFunctions(const std::vector<CDeviceKeyButtonUI*>& zones,
                                      const std::vector<KeyAssignmentPair>& keys,
                                      const std::vector<std::string>& macroNames, int selectedKey) {
  ::ShowKeyFunctions(zones, kButtonNameKeys, keys, macroNames);
  if (!hint_) return;
  const auto selected = static_cast<size_t>(selectedKey);
  if (selectedKey < 0 || selected >= keys.size() || selected >= std::size(kButtonNameKeys)) {
    hint_->SetText(TextKey("mouse_hint_picture"));
    return;
  }
  hint_->SetText(KeyDisplayText(kButtonNameKeys[selected], keys[selected], macroNames).c_str());
  hint_->SetVisible(true);
}

int CMousePageView::SliderValue(int stage) const {
  const StageRow* row = Row(stage);
  return row && row->slider ? row->slider->GetValue() : -1;
}

void CMousePageView::SetSliderValue(int stage, int value) {
  if (const StageRow* row = Row(stage)) ShowSlider(row->slider, value);
}

bool CMousePageView::HasStageControls(int stage) const {
  const StageRow* row = Row(stage);
  return row && row->slider && row->edit;
}

std::string CMousePageView::EditText(int stage) const {
  const StageRow* row = Row(stage);
  return row && row->edit ? row->edit->GetText().str() : std::string();
}

DWORD CMousePageView::StageColour(int stage) const {
  const StageRow* row = Row(stage);
  return row && row->colour ? (row->colour->GetBkColor() | 0xFF000000u) : 0;
}
