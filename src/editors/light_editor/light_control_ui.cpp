#include "editors/light_editor/light_control_ui.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "devices/velmar_usb_device.h"
#include "editors/light_editor/light_editor_controls.h"
#include "editors/light_editor/light_mode_layout.h"
#include "platform/debug_output.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/controls/group_enabled.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace light_editor;

namespace {

constexpr int kModeItemHeight = 30;
// Every kind offers brightness and speed in five steps.
constexpr int kBrightnessMaximum = 4;
constexpr int kSpeedMaximum = 4;
constexpr DWORD kOpaque = 0xFF000000u;
// What an inoperable lighting control says.
constexpr const char* kNotInModeTip = "light_tip_not_in_mode";

DWORD OpaqueColour(uint8_t red, uint8_t green, uint8_t blue) {
  return kOpaque | (DWORD{red} << 16) | (DWORD{green} << 8) | blue;
}

template <typename T>
T* As(CControlUI* control, const char* interfaceName) {
  return control ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
}

void SelectComboItem(CComboUI* combo, int index) {
  if (combo) combo->SelectItem(index >= 0 && index < combo->GetCount() ? index : -1, false);
}

int ComboIndex(const CComboUI* combo) { return combo ? combo->GetCurSel() : -1; }

void ShowControl(CControlUI* control, bool visible) {
  if (control) control->SetVisible(visible);
}


std::string Decimal(int value) { return std::to_string(value); }

}  // namespace

CLightControlUI::CLightControlUI() = default;
CLightControlUI::~CLightControlUI() = default;

LPCTSTR CLightControlUI::GetClass() const { return "LightControl"; }

void* CLightControlUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("LightControl") == 0) return static_cast<CLightControlUI*>(this);
  return CVerticalLayoutUI::GetInterface(pstrName);
}

void CLightControlUI::DoInit() {
  CVerticalLayoutUI::DoInit();
  EnsureContent();
}

bool CLightControlUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("lighting editor: ") + kLayoutFile + " not built: " + builder.GetLastError().str());
    return false;
  }
  return true;
}

void CLightControlUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  host_ = &host;
  FindControls();
  SetLightType(device.LightType());
  device.SetLightInfoShownHandler([this] { ShowDevice(); });
  device.LoadLightAndMacroNames();
  ShowDevice();
}

// The device has read its name lists before it shows its lighting again.
void CLightControlUI::ShowDevice() {
  if (!device_) return;
  std::vector<std::string> names;
  std::vector<bool> visible;
  for (const LightModeName& mode : device_->LightModes()) {
    names.push_back(mode.name);
    visible.push_back(mode.visible);
  }
  // Rebuilding the list would close it under the user's pointer; it is only redone when it changed.
  if (names != shownModeNames_ || !modeCombo_ || modeCombo_->GetCount() != static_cast<int>(names.size())) {
    InitModes(names, visible, kBrightnessMaximum, kSpeedMaximum);
    shownModeNames_ = names;
  }
  if (secondModeCombo_ && !device_->AreaLightNames().empty()) {
    secondModeCombo_->RemoveAll();
    for (const std::string& name : device_->AreaLightNames()) {
      auto* item = new (std::nothrow) CListLabelElementUI;
      if (!item) break;
      item->SetText(name.c_str());
      item->SetResourceText(true);
      secondModeCombo_->Add(item);
    }
  }
  ShowLightRecord(device_->GetLightInfo());
  ShowAudioLight(device_->GetAudioLightInfo());
}

// ---- controls, looked up once ----

CControlUI* CLightControlUI::Find(const char* name) const {
  return FindNamedChild(const_cast<CLightControlUI*>(this), name);
}

CControlUI* CLightControlUI::FindOption(const char* prefix, int n) const {
  return Find((std::string(prefix) + Decimal(n)).c_str());
}

void CLightControlUI::FindControls() {
  if (!EnsureContent()) return;
  modeCombo_ = As<CComboUI>(Find(kModeCombo), "Combo");
  customGroupCombo_ = As<CComboUI>(Find(kCustomGroupCombo), "Combo");
  secondModeCombo_ = As<CComboUI>(Find(kSecondModeCombo), "Combo");
  audioModeCombo_ = As<CComboUI>(Find(kAudioModeCombo), "Combo");
  secondModeLayout_ = Find(kSecondModeLayout);
  audioModeLayout_ = Find(kAudioModeLayout);
  brightness_ = As<CSliderUI>(Find(kBrightnessSlider), "Slider");
  speed_ = As<CSliderUI>(Find(kSpeedSlider), "Slider");
  brightnessLayout_ = Find(kBrightnessLayout);
  speedLayout_ = Find(kSpeedLayout);
  colourEdits_ = {As<CEditUI>(Find(kRedEdit), "Edit"), As<CEditUI>(Find(kGreenEdit), "Edit"),
                  As<CEditUI>(Find(kBlueEdit), "Edit")};
  palette_ = As<CColorPaletteUI>(Find(kPalette), "ColorPalette");
  paletteLayout_ = Find(kPaletteLayout);
  colourButton_ = Find(kColourButton);
  sevenColour_ = As<COptionUI>(Find(kSevenColourCheck), "Option");
  leftOption_ = As<COptionUI>(Find(kLeftOption), "Option");
  rightOption_ = As<COptionUI>(Find(kRightOption), "Option");
  directionLayout_ = Find(kDirectionLayout);
  sameModeButton_ = Find(kSameModeButton);
  effectLayout_ = Find(kEffectLayout);
  colourLayout_ = Find(kColourLayout);
  rgbLayout_ = Find(kRgbLayout);
  colourGroupLayout_ = Find(kColourGroupLayout);
  customGroupLayout_ = Find(kCustomGroupLayout);
  colourPages_ = As<CTabLayoutUI>(Find(kColourPages), "TabLayout");
  audioSevenColour_ = As<COptionUI>(Find(kAudioSevenColourCheck), "Option");
  audioBackground_ = As<COptionUI>(Find(kAudioBackgroundOption), "Option");
  audioForeground_ = As<COptionUI>(Find(kAudioForegroundOption), "Option");
  audioEdits_ = {As<CEditUI>(Find(kAudioRedEdit), "Edit"), As<CEditUI>(Find(kAudioGreenEdit), "Edit"),
                 As<CEditUI>(Find(kAudioBlueEdit), "Edit")};
  audioPalette_ = As<CColorPaletteUI>(Find(kAudioPalette), "ColorPalette");
  audioColourButton_ = Find(kAudioColourButton);
  audioColourLayout_ = Find(kAudioColourLayout);
  audioPaletteLayout_ = Find(kAudioPaletteLayout);
}

// ---- the operations ----

void CLightControlUI::InitModes(const std::vector<std::string>& names, const std::vector<bool>& visible,
                                int maxBrightness, int maxSpeed) {
  if (modeCombo_) {
    modeCombo_->RemoveAll();
    for (size_t i = 0; i < names.size(); ++i) {
      auto* item = new (std::nothrow) CListLabelElementUI;
      if (!item) break;
      item->SetFixedHeight(kModeItemHeight);
      item->SetText(names[i].c_str());
      item->SetUserData(names[i].c_str());
      item->SetResourceText(true);
      item->SetEnabled(true);
      item->SetVisible(i >= visible.size() || visible[i]);
      modeCombo_->Add(item);
    }
  }
  if (brightness_) brightness_->SetMaxValue(maxBrightness);
  if (speed_) speed_->SetMaxValue(maxSpeed);
}

void CLightControlUI::ShowLightInfo(uint32_t word0, uint32_t word1, uint32_t word2) {
  const int mode = static_cast<int>(word0 & 0xFF);
  SelectComboItem(modeCombo_, mode);
  SetBrightness(static_cast<int>((word0 >> 8) & 0xFF));
  SetSpeed(static_cast<int>((word0 >> 16) & 0xFF));
  const auto red = static_cast<uint8_t>(word1 >> 8);
  const auto green = static_cast<uint8_t>(word1 >> 16);
  const auto blue = static_cast<uint8_t>(word1 >> 24);
  SetColourText(0, Decimal(red));
  SetColourText(1, Decimal(green));
  SetColourText(2, Decimal(blue));
  SetPaletteColour(OpaqueColour(red, green, blue));
  SetSevenColour((word1 & 0xFF) != 0);
  SelectSecondMode(static_cast<int>(word2 >> 24));
  SetFxDirection(static_cast<int>(word0 >> 24));
  ApplyModeLayout(lightType_, mode);
}

void CLightControlUI::ShowLightRecord(const LightInfoRecord& light) {
  const LightInfoWords words = PackLightInfo(light);
  ShowLightInfo(words.Word0, words.Word1, words.Word2);
  SelectCustomMode(light.CustomGroup);
}

void CLightControlUI::SelectMode(int index) {
  SelectComboItem(modeCombo_, index);
  ApplyModeLayout(lightType_, index);
}

int CLightControlUI::GetSelectedMode() const { return ComboIndex(modeCombo_); }
void CLightControlUI::SelectCustomMode(int index) { SelectComboItem(customGroupCombo_, index); }
int CLightControlUI::GetSelectedCustomMode() const { return ComboIndex(customGroupCombo_); }
void CLightControlUI::SelectSecondMode(int index) { SelectComboItem(secondModeCombo_, index); }
int CLightControlUI::GetSecondMode() const { return ComboIndex(secondModeCombo_); }

void CLightControlUI::SetBrightness(int value) {
  if (brightness_) brightness_->SetValue(value);
}
int CLightControlUI::GetBrightness() const { return brightness_ ? brightness_->GetValue() : 0; }

void CLightControlUI::SetSpeed(int value) {
  if (speed_) speed_->SetValue(value);
}
int CLightControlUI::GetSpeed() const { return speed_ ? speed_->GetValue() : 0; }

void CLightControlUI::SetColourText(int component, const std::string& text) {
  if (component < 0 || component > 2) return;
  if (CEditUI* edit = colourEdits_[static_cast<size_t>(component)]) edit->SetText(text.c_str());
}

std::string CLightControlUI::GetColourText(int component) const {
  if (component < 0 || component > 2) return {};
  const CEditUI* edit = colourEdits_[static_cast<size_t>(component)];
  return edit ? edit->GetText().str() : std::string();
}

void CLightControlUI::SetPaletteColour(DWORD argb) {
  if (palette_) palette_->SetSelectColor(argb);
  if (colourButton_) colourButton_->SetBkColor(argb);
}

DWORD CLightControlUI::GetPaletteColour() const { return palette_ ? palette_->GetSelectColor() : kOpaque; }

DWORD CLightControlUI::GetColourOption(int n) const {
  const CControlUI* option = FindOption(kColourOption, n);
  return option ? option->GetBkColor() : 0;
}

void CLightControlUI::SetSevenColour(bool on) {
  if (sevenColour_) sevenColour_->Selected(on, false);
}
bool CLightControlUI::IsSevenColour() const { return sevenColour_ && sevenColour_->IsSelected(); }

void CLightControlUI::SetFxDirection(int flag) {
  if (leftOption_) leftOption_->Selected(flag != 0, false);
  if (rightOption_) rightOption_->Selected(flag == 0, false);
}

void CLightControlUI::SetLightType(int type) { lightType_ = type; }

void CLightControlUI::SetSameModeAllowed(bool allowed) {
  sameModeAllowed_ = allowed;
  ApplyModeLayout(lightType_, GetSelectedMode());
}

void CLightControlUI::ApplyModeLayout(int lightType, int mode) {
  const std::optional<LightModeLayout> layout = ModeLayoutFor(lightType, mode);
  if (!layout) return;
  if (layout->colourGroupEnabled) SetGroupEnabled(colourGroupLayout_, *layout->colourGroupEnabled, kNotInModeTip);
  if (layout->customGroupShown) ShowControl(customGroupLayout_, *layout->customGroupShown);
  if (layout->speedShown) ShowControl(speedLayout_, *layout->speedShown);
  if (layout->secondModeShown) ShowControl(secondModeLayout_, *layout->secondModeShown);
  if (layout->audioModeShown) ShowControl(audioModeLayout_, *layout->audioModeShown);
  if (layout->colourPage && colourPages_) colourPages_->SelectItem(*layout->colourPage);
  if (layout->leftText && leftOption_) leftOption_->SetText(layout->leftText);
  if (layout->rightText && rightOption_) rightOption_->SetText(layout->rightText);

  SetGroupEnabled(effectLayout_, true, kNotInModeTip);
  SetGroupEnabled(sevenColour_, layout->sevenColour, kNotInModeTip);
  SetGroupEnabled(colourLayout_, layout->colour, kNotInModeTip);
  SetGroupEnabled(paletteLayout_, layout->palette, kNotInModeTip);
  SetGroupEnabled(brightnessLayout_, layout->brightness, kNotInModeTip);
  SetGroupEnabled(speedLayout_, layout->speed, kNotInModeTip);
  if (layout->direction) SetGroupEnabled(directionLayout_, *layout->direction, kNotInModeTip);
  if (layout->rgb) SetGroupEnabled(rgbLayout_, *layout->rgb, kNotInModeTip);
  if (layout->sameMode) ShowControl(sameModeButton_, *layout->sameMode && sameModeAllowed_);
  // The audio colours inside the colour group keep their own rule.
  if (layout->colourGroupEnabled) ShowAudioLight(audio_);
}

DWORD CLightControlUI::TakeColourEdits(const std::array<CEditUI*, 3>& edits) {
  std::array<uint8_t, 3> value{};
  for (size_t i = 0; i < edits.size(); ++i) {
    CEditUI* edit = edits[i];
    if (!edit) continue;
    const std::string text = edit->GetText().str();
    long number = 0;
    if (text.empty() || std::sscanf(text.c_str(), "%ld", &number) != 1 || number < 0) {
      number = 0;
      edit->SetText("0");
    } else if (number > 255) {
      number = 255;
      edit->SetText("255");
    }
    value[i] = static_cast<uint8_t>(number);
  }
  return OpaqueColour(value[0], value[1], value[2]);
}

void CLightControlUI::ShowColour(DWORD argb) {
  SetColourText(0, Decimal(static_cast<uint8_t>(argb >> 16)));
  SetColourText(1, Decimal(static_cast<uint8_t>(argb >> 8)));
  SetColourText(2, Decimal(static_cast<uint8_t>(argb)));
  SetPaletteColour(argb);
}
