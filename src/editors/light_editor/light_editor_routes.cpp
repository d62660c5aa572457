// The lighting editor's controls. Lighting changes are kept in the profile and written to the
// device at once; audio-light colours are kept only.
#include "devices/device_kind_table.h"
#include "devices/lighting/light_types.h"
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/light_editor/light_editor_controls.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/controls/option_ui.h"

using namespace light_editor;

namespace {

using Editor = CLightControlUI;
constexpr const char* kLightZone = "light_";
constexpr const char* kLogoZone = "logo";

}  // namespace

const RouteRow<CLightControlUI> CLightControlUI::kRouteRows[] = {
    {NotifyKind::kClick, kLightZone, true, &Editor::OnLightZone},
    {NotifyKind::kClick, kLogoZone, false, &Editor::OnLightZone},
    {NotifyKind::kItemSelect, kModeCombo, false, &Editor::OnMode},
    {NotifyKind::kItemSelect, kSecondModeCombo, false, &Editor::OnSecondMode},
    {NotifyKind::kItemSelect, kCustomGroupCombo, false, &Editor::OnCustomGroup},
    {NotifyKind::kValueChanged, kBrightnessSlider, false, &Editor::OnBrightness},
    {NotifyKind::kValueChanged, kSpeedSlider, false, &Editor::OnSpeed},
    {NotifyKind::kSelectChanged, kLeftOption, false, &Editor::OnDirection},
    {NotifyKind::kSelectChanged, kRightOption, false, &Editor::OnDirection},
    {NotifyKind::kSelectChanged, kSevenColourCheck, false, &Editor::OnSevenColour},
    {NotifyKind::kColorChanged, kPalette, false, &Editor::OnPalette},
    {NotifyKind::kClick, kColourOption, true, &Editor::OnColourOption},
    // A typed component takes effect when the field is left or Enter is pressed: every change is
    // written to the device, and a half-typed number is not a colour anyone chose.
    {NotifyKind::kFocusLost, kRedEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kFocusLost, kGreenEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kFocusLost, kBlueEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kReturn, kRedEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kReturn, kGreenEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kReturn, kBlueEdit, false, &Editor::OnColourEdit},
    {NotifyKind::kClick, kSameModeButton, false, &Editor::OnSameMode},
    {NotifyKind::kItemSelect, kAudioModeCombo, false, &Editor::OnAudioChoice},
    {NotifyKind::kSelectChanged, kAudioSevenColourCheck, false, &Editor::OnAudioChoice},
    {NotifyKind::kSelectChanged, kAudioBackgroundOption, false, &Editor::OnAudioChoice},
    {NotifyKind::kSelectChanged, kAudioForegroundOption, false, &Editor::OnAudioChoice},
    {NotifyKind::kColorChanged, kAudioPalette, false, &Editor::OnAudioPalette},
    {NotifyKind::kClick, kAudioColourOption, true, &Editor::OnAudioColourOption},
    {NotifyKind::kFocusLost, kAudioRedEdit, false, &Editor::OnAudioColourEdit},
    {NotifyKind::kFocusLost, kAudioGreenEdit, false, &Editor::OnAudioColourEdit},
    {NotifyKind::kFocusLost, kAudioBlueEdit, false, &Editor::OnAudioColourEdit},
    {NotifyKind::kReturn, kAudioRedEdit, false, &Editor::OnAudioColourEdit},
    {NotifyKind::kReturn, kAudioGreenEdit, false, &Editor::OnAudioColourEdit},
    {NotifyKind::kReturn, kAudioBlueEdit, false, &Editor::OnAudioColourEdit},
};

std::span<const RouteRow<CLightControlUI>> CLightControlUI::Rows() { return kRouteRows; }

// Only an editor bound to its device and window answers.
bool CLightControlUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  return device_ && host_ && DispatchRoute(Rows(), *this, kind, msg);
}

template <typename Patch>
void CLightControlUI::PatchAndSend(Patch&& patch) {
  device_->LeaveSharedLighting();
  LightInfoRecord light = device_->GetLightInfo();
  patch(light);
  device_->SetLightInfo(light);
  device_->ApplySettings();
}

// A light on the device picture opens the lighting page: the lights are set together here.
void CLightControlUI::OnLightZone(TNotifyUI&, int) {
  device_->SetFunctionType(kLightingTab);
  if (CDeviceProfileUI* panel = ProfilePanelOf(*device_)) panel->SelectTab(kLightingTab);
}

void CLightControlUI::OnMode(TNotifyUI&, int) {
  const int mode = GetSelectedMode();
  if (mode < 0) return;
  SelectMode(mode);
  PatchAndSend([mode](LightInfoRecord& light) { light.SelectItem = static_cast<uint8_t>(mode); });
}

void CLightControlUI::OnSecondMode(TNotifyUI&, int) {
  const int mode = GetSecondMode();
  if (lightType_ != kLightTypeKeyboard || mode < 0) return;
  PatchAndSend([mode](LightInfoRecord& light) { light.ZZCCLedMode = static_cast<uint8_t>(mode); });
}

void CLightControlUI::OnCustomGroup(TNotifyUI&, int) {
  const int group = GetSelectedCustomMode();
  if (lightType_ != kLightTypeKeyboard || group < 0) return;
  PatchAndSend([group](LightInfoRecord& light) { light.CustomGroup = static_cast<uint8_t>(group); });
}

void CLightControlUI::OnBrightness(TNotifyUI&, int) {
  const int level = GetBrightness();
  PatchAndSend([level](LightInfoRecord& light) { light.Light = static_cast<uint8_t>(level); });
}

void CLightControlUI::OnSpeed(TNotifyUI&, int) {
  const int speed = GetSpeed();
  PatchAndSend([speed](LightInfoRecord& light) { light.Speed = static_cast<uint8_t>(speed); });
}

// Both options tell of a change; the one now chosen carries it.
void CLightControlUI::OnDirection(TNotifyUI& msg, int) {
  if (!IsSelectedOption(msg)) return;
  const int flag = SameControlName(msg.pSender->GetName().str(), kLeftOption) ? 1 : 0;
  SetFxDirection(flag);
  PatchAndSend([flag](LightInfoRecord& light) { light.Fx = static_cast<uint8_t>(flag); });
}

void CLightControlUI::OnSevenColour(TNotifyUI&, int) {
  const bool on = IsSevenColour();
  PatchAndSend([on](LightInfoRecord& light) { light.MultiColor = on ? 1 : 0; });
}

// One colour replaces the colour cycle.
void CLightControlUI::PickColour(DWORD argb) {
  ShowColour(argb);
  SetSevenColour(false);
  PatchAndSend([argb](LightInfoRecord& light) {
    light.Red = static_cast<uint8_t>(argb >> 16);
    light.Green = static_cast<uint8_t>(argb >> 8);
    light.Blue = static_cast<uint8_t>(argb);
    light.MultiColor = 0;
  });
}

void CLightControlUI::OnPalette(TNotifyUI&, int) { PickColour(GetPaletteColour()); }

void CLightControlUI::OnColourOption(TNotifyUI&, int index) { PickColour(0xFF000000u | GetColourOption(index)); }

void CLightControlUI::OnColourEdit(TNotifyUI&, int) { PickColour(TakeColourEdits(colourEdits_)); }

void CLightControlUI::OnSameMode(TNotifyUI&, int) { CopyToAllDevices(); }

void CLightControlUI::StoreAudioLight(const AudioLightRecord& audio) {
  device_->SetAudioLightInfo(audio);
  ShowAudioLight(audio);
}

void CLightControlUI::OnAudioChoice(TNotifyUI& msg, int) {
  // Of the two colour options, the one now chosen carries the change.
  const bool option = SameControlName(msg.pSender->GetName().str(), kAudioBackgroundOption) ||
                      SameControlName(msg.pSender->GetName().str(), kAudioForegroundOption);
  if (option && !IsSelectedOption(msg)) return;
  StoreAudioLight(GetAudioLightInfo(false));
}

void CLightControlUI::ChangeAudioColour(DWORD argb) {
  ShowAudioColour(0xFF000000u | argb);
  StoreAudioLight(GetAudioLightInfo(true));
}

void CLightControlUI::OnAudioPalette(TNotifyUI&, int) {
  if (audioPalette_) ChangeAudioColour(audioPalette_->GetSelectColor());
}

void CLightControlUI::OnAudioColourOption(TNotifyUI&, int index) { ChangeAudioColour(GetLightAudioColor(index)); }

void CLightControlUI::OnAudioColourEdit(TNotifyUI&, int) { ChangeAudioColour(TakeColourEdits(audioEdits_)); }
