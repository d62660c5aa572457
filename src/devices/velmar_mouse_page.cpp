// The mouse page: setting it up, showing the model, and the stage edits that come back from it.
#include <cstdlib>
#include <string>

#include "devices/device_kind_table.h"
#include "devices/device_messages.h"
#include "devices/device_tile.h"
#include "devices/mouse/page/mouse_page_controls.h"
#include "devices/velmar_mouse_device.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/named_child.h"

void CVelmarMouseDevice::InitDevicePage() {
  CVelmarUSBDevice::InitDevicePage();
  CControlUI* settings = FindNamedChild(this, mouse_page::kSettingsPages);
  // The picture may sit beside the settings rather than inside them; the whole page is searched
  // when the settings layout holds no selection panel.
  CollectKeyButtons(settings, {"light_", "light_0_", "logo"});
  if (KeyControls().empty() && LightControls().empty()) CollectKeyButtons(this, {"light_", "light_0_", "logo"});
  view_.Bind(this);
  AddRouteTarget(&routes_);
  ShowSettingsPage(0);
  // The page opens on the mouse's settings (the key editor's page is still empty).
  OpenOnFunction(kSystemTab);
}

void CVelmarMouseDevice::ShowSettings() {
  LoadLightAndMacroNames();
  view_.ShowAll(model_, Rule());
  ShowKeyFunctions();
  NotifyKeyListShown();
  NotifyLightInfoShown();
}

void CVelmarMouseDevice::ShowKeyFunctions() {
  view_.ShowKeyFunctions(KeyControls(), model_.Keys(), MacroNames(), GetSelectedKey());
}

std::string CVelmarMouseDevice::KeyNameKey(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= std::size(mouse_page::kButtonNameKeys)) return {};
  return mouse_page::kButtonNameKeys[index];
}

void CVelmarMouseDevice::ShowSettingsPage(int page) { view_.ShowSettingsPage(page); }

void CVelmarMouseDevice::SetFunctionType(int type) {
  CVelmarUSBDevice::SetFunctionType(type);
  view_.HideHint();
}

void CVelmarMouseDevice::SelectKey(int index) {
  CVelmarUSBDevice::SelectKey(index);
  const auto& keys = KeyControls();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i]) keys[i]->SetSelected(static_cast<int>(i) == index);
  }
  ShowKeyFunctions();
}

void CVelmarMouseDevice::RestartKeepAlive() { StartTileTimer(kTimerKeepAlive, kKeepAliveFirstMs); }

// ---- edits coming back from the page ----

bool CVelmarMouseDevice::SetCurrentStage(int stage) {
  const bool taken = model_.SetCurrentStage(stage);
  // A refused choice puts the radio back on the stage that stays current.
  view_.ShowCurrentStage(model_);
  view_.ShowEnableChecks(model_);
  return taken;
}

void CVelmarMouseDevice::SetStages(const std::vector<DPIStage>& stages) { model_.SetStages(stages); }

void CVelmarMouseDevice::OnStageSliderMoved(int stage, bool save) {
  const int value = view_.SliderValue(stage);
  if (value < 0) return;
  view_.ShowStageNumber(stage, value, Rule());
  if (!save) return;
  model_.SetStageValue(stage, GetDeviceInfo().SensorId(), value);
  CommitSettings();
}

void CVelmarMouseDevice::OnStageEditTyped(int stage) {
  if (!view_.HasStageControls(stage)) return;
  const std::string text = view_.EditText(stage);
  const int typed = text.empty() ? 0 : std::atoi(text.c_str());
  view_.SetSliderValue(stage, StoredSensitivity(Rule(), typed));
  OnStageSliderMoved(stage, true);
}

void CVelmarMouseDevice::SetStageEnabled(int stage, bool enabled) {
  const bool taken = model_.SetStageEnabled(stage, enabled);
  // A refused change puts the check back as the stage is.
  view_.ShowStageEnabled(model_, stage, model_.IsStageEnabled(stage));
  if (taken) CommitSettings();
}

void CVelmarMouseDevice::SetStageColour(int stage, DWORD colour) {
  if (!model_.SetStageColour(stage, static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                             static_cast<uint8_t>(colour))) {
    return;
  }
  view_.ShowStageColour(stage, model_.Stages()[static_cast<size_t>(stage)]);
}

void CVelmarMouseDevice::ChangeSystemHalf(size_t word, bool high, int value) {
  if (value < 0) return;
  model_.SetSystemHalf(word, high, static_cast<uint16_t>(value));
  CommitSettings();
  // One setting may change what another offers (scrolling by page leaves no lines per notch).
  view_.ShowSystemBlock(model_.System());
}
