#include "devices/velmar_usb_device.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "editors/profile_panel/device_profile_ui.h"
#include "platform/clock.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/window_api.h"

namespace {

struct NameSearch {
  const std::string* name;
};

// Every control of a class under a root, in tree order, found without a paint manager (the page is
// set up before it joins a window).
struct ClassSearch {
  const char* className;
  std::vector<CControlUI*>* found;
};

CControlUI* CollectClass(CControlUI* control, void* data) {
  auto* search = static_cast<ClassSearch*>(data);
  if (control->GetInterface(search->className)) search->found->push_back(control);
  return nullptr;
}

std::vector<CControlUI*> ControlsOfClass(CControlUI* root, const char* className) {
  std::vector<CControlUI*> found;
  ClassSearch search{className, &found};
  if (root) root->FindControl(CollectClass, &search, UIFIND_ALL);
  return found;
}

CControlUI* MatchName(CControlUI* control, void* data) {
  const auto* search = static_cast<NameSearch*>(data);
  return control->GetName().str() == *search->name ? control : nullptr;
}

// The first key button whose name is `prefix` followed by a decimal index; -1 otherwise.
int IndexAfterPrefix(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  int index = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    index = index * 10 + (name[i] - '0');
    if (index > 10000) return -1;
  }
  return index;
}

void PlaceAt(std::vector<CDeviceKeyButtonUI*>& list, int index, CDeviceKeyButtonUI* button) {
  if (index < 0) return;
  if (list.size() <= static_cast<size_t>(index)) list.resize(static_cast<size_t>(index) + 1, nullptr);
  list[static_cast<size_t>(index)] = button;
}

void SelectTab(CControlUI* control, int page) {
  if (auto* tab = control ? static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout")) : nullptr) {
    tab->SelectItem(page);
  }
}

}  // namespace

CVelmarUSBDevice::CVelmarUSBDevice(IHidBackend& backend)
    : backend_(backend),
      channel_(backend),
      cableEventPort_(backend),
      receiverEventPort_(backend),
      preview_(std::make_unique<CLightPreview>(0)) {}

CVelmarUSBDevice::~CVelmarUSBDevice() {
  // The listeners call back into this object: stop them before any member goes.
  cableEventPort_.Detach();
  receiverEventPort_.Detach();
}

LPCTSTR CVelmarUSBDevice::GetClass() const { return "VelmarUSBDevice"; }

void* CVelmarUSBDevice::GetInterface(LPCTSTR pstrName) {
  if (std::strcmp(pstrName, "VelmarUSBDevice") == 0) return this;
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CVelmarUSBDevice::Notify(TNotifyUI& /*msg*/) {}

void CVelmarUSBDevice::InitDevicePage() { CollectKeyButtons(this, {"light_"}); }

void CVelmarUSBDevice::CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes) {
  keyControls_.clear();
  lightControls_.clear();
  for (CControlUI* panel : ControlsOfClass(root, "SelectPanel")) {
    for (CControlUI* control : ControlsOfClass(panel, "DeviceKeyButton")) {
      auto* button = static_cast<CDeviceKeyButtonUI*>(control->GetInterface("DeviceKeyButton"));
      if (!button) continue;
      const std::string name = button->GetName().str();
      PlaceAt(keyControls_, IndexAfterPrefix(name, "key_"), button);
      for (const std::string& prefix : lightPrefixes) {
        const int index = IndexAfterPrefix(name, prefix);
        if (index >= 0) {
          PlaceAt(lightControls_, index, button);
          break;
        }
      }
    }
  }
}

void CVelmarUSBDevice::SetLightEntryCount(int count) {
  lightEntryCount_ = std::max(count, 0);
  std::lock_guard<std::mutex> guard(previewMutex_);
  const LightEffectParams params = preview_->Params();
  preview_ = std::make_unique<CLightPreview>(static_cast<size_t>(lightEntryCount_));
  preview_->SetParams(params);
}

void CVelmarUSBDevice::PreviewBreathingWheel() {
  WithPreview([](CLightPreview& p) { p.StepBreathingWheel(); });
}
void CVelmarUSBDevice::PreviewBreathingSevenColours() {
  WithPreview([](CLightPreview& p) { p.StepBreathingSevenColours(); });
}
void CVelmarUSBDevice::PreviewStatic() {
  WithPreview([](CLightPreview& p) { p.StepStatic(); });
}
void CVelmarUSBDevice::PreviewSpectrum() {
  WithPreview([](CLightPreview& p) { p.StepSpectrum(); });
}
void CVelmarUSBDevice::PreviewBlinkWheel() {
  WithPreview([](CLightPreview& p) { p.StepBlinkWheel(GetTickCountMs()); });
}
void CVelmarUSBDevice::PreviewBlinkFourColours() {
  WithPreview([](CLightPreview& p) { p.StepBlinkFourColours(GetTickCountMs()); });
}
void CVelmarUSBDevice::PreviewOff() {
  WithPreview([](CLightPreview& p) { p.StepOff(); });
}

void CVelmarUSBDevice::DecayLevels() {
  WithPreview([](CLightPreview& p) { p.DecayLevels(); });
}
void CVelmarUSBDevice::RaisePeakLevels() {
  WithPreview([](CLightPreview& p) { p.RaisePeakLevels(); });
}
void CVelmarUSBDevice::RotatePeakRing(bool forward) {
  WithPreview([forward](CLightPreview& p) { p.RotatePeakRing(forward); });
}
void CVelmarUSBDevice::ClearLevels() {
  WithPreview([](CLightPreview& p) { p.ClearLevels(); });
}

std::vector<LightEntry> CVelmarUSBDevice::LightEntries() const {
  std::lock_guard<std::mutex> guard(previewMutex_);
  return preview_->Entries();
}

LightEffectParams CVelmarUSBDevice::PreviewParams() const {
  std::lock_guard<std::mutex> guard(previewMutex_);
  return preview_->Params();
}

void CVelmarUSBDevice::PushLightPreview() {
  std::vector<LightEntry> entries = LightEntries();
  previewChanged_ = entries != pushedEntries_;
  if (!previewChanged_) return;
  const size_t count = std::min(entries.size(), lightControls_.size());
  for (size_t i = 0; i < count; ++i) {
    if (!lightControls_[i]) continue;
    // The brightness becomes the colour's opacity over the dark picture: a glow, not a tint.
    const LightEntry& e = entries[i];
    lightControls_[i]->SetBkColor((DWORD{e.brightness} << 24) | (DWORD{e.red} << 16) | (DWORD{e.green} << 8) | e.blue);
  }
  pushedEntries_ = std::move(entries);
}

void CVelmarUSBDevice::SetLightEntry(int index, uint32_t value) {
  WithPreview([&](CLightPreview& p) { p.SetEntry(index, UnpackLightEntry(value)); });
}

uint32_t CVelmarUSBDevice::GetLightEntry(int index) const {
  std::lock_guard<std::mutex> guard(previewMutex_);
  const std::vector<LightEntry>& entries = preview_->Entries();
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return 0;
  return PackLightEntry(entries[static_cast<size_t>(index)]);
}

void CVelmarUSBDevice::SetFunctionType(int type) {
  functionType_ = type;
  CControlUI* functionSwitch = FindPageControl("device_function_switch");
  CControlUI* keyFunctionSwitch = FindPageControl("device_key_function_switch");
  if (type == 3 || type == 8) {
    SelectTab(functionSwitch, 1);
  } else if (type == 5) {
    SelectTab(functionSwitch, 2);
  } else if (type == 9) {
    SelectTab(functionSwitch, 4);
  } else if (type == 4 && (deviceKind_ == kDeviceKindKeyboard || deviceKind_ == kDeviceKindMouse)) {
    SelectTab(functionSwitch, 3);
  } else {
    SelectTab(functionSwitch, 0);
    if (type == 2 || type == 6) {
      SelectTab(keyFunctionSwitch, 1);
    } else if (type == 4 || type == 7) {
      SelectTab(keyFunctionSwitch, 2);
    } else {
      SelectTab(keyFunctionSwitch, 0);
    }
  }
}

void CVelmarUSBDevice::SetLightEffect(int mode, int speed, int brightness, uint32_t colour) {
  WithPreview([&](CLightPreview& p) {
    LightEffectParams params = p.Params();
    params.mode = mode;
    params.speed = speed;
    params.brightness = brightness;
    params.colour = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                     static_cast<uint8_t>(colour >> 16)};
    p.SetParams(params);
  });
}

void CVelmarUSBDevice::SetLightColour(uint8_t red, uint8_t green, uint8_t blue) {
  WithPreview([&](CLightPreview& p) {
    LightEffectParams params = p.Params();
    params.colour = {red, green, blue};
    p.SetParams(params);
  });
  if (CControlUI* light = FindPageControl(lightControlName_)) {
    light->SetBkColor(0xFF000000u | (DWORD{red} << 16) | (DWORD{green} << 8) | blue);
  }
}

uint32_t CVelmarUSBDevice::GetLightColour() {
  if (CControlUI* light = FindPageControl(lightControlName_)) {
    const DWORD argb = light->GetBkColor();
    SetLightColour(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb));
  }
  const Rgb colour = PreviewParams().colour;
  return colour.r | (uint32_t{colour.g} << 8) | (uint32_t{colour.b} << 16);
}

void CVelmarUSBDevice::SetDeviceEntry(const DeviceEntry& entry) {
  identity_ = entry;
  deviceKind_ = entry.DeviceKind;
  interfaceRole_ = entry.InterfaceRole;
}

void CVelmarUSBDevice::RunOnUiThread(std::function<void()> task) {
  std::weak_ptr<int> alive = alive_;
  CPaintManagerUI::RunOnUiThread([alive = std::move(alive), task = std::move(task)] {
    if (alive.lock()) task();
  });
}

LRESULT CVelmarUSBDevice::SendToOwner(UINT message, WPARAM wParam, LPARAM lParam) {
  return owner_ ? ::SendMessage(owner_, message, wParam, lParam) : 0;
}

CDeviceProfileUI* CVelmarUSBDevice::GetProfilePanel() const {
  return FindPageControlAs<CDeviceProfileUI>("DeviceProfileItem", "DeviceProfile");
}

CControlUI* CVelmarUSBDevice::FindPageControl(const std::string& name) const {
  if (name.empty()) return nullptr;
  NameSearch search{&name};
  return const_cast<CVelmarUSBDevice*>(this)->FindControl(MatchName, &search, UIFIND_ALL);
}
