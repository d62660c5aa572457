// What every device object shares besides its connection: the page's setup and routes, the
// function pages, the lighting effect and colour, the profile session, the kind's data.
#include "devices/velmar_usb_device.h"

#include <cstring>
#include <utility>

#include "devices/lighting/light_types.h"
#include "devices/page/device_page_controls.h"
#include "devices/page/function_pages.h"
#include "devices/page/key_buttons.h"
#include "devices/page/page_lookup.h"
#include "profiles/macros/macro_store.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/settings/small_files.h"
#include "profiles/storage/data_folders.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/window_api.h"

CVelmarUSBDevice::CVelmarUSBDevice(IHidBackend& backend, IClock& clock)
    : channel_(backend, clock), cableEventPort_(backend, clock), receiverEventPort_(backend, clock) {}

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

void CVelmarUSBDevice::InitDevicePage() {
  functionSwitch_ = FindPageControlAs<CTabLayoutUI>(this, device_page::kFunctionSwitch, "TabLayout");
  keyFunctionSwitch_ = FindPageControlAs<CTabLayoutUI>(this, device_page::kKeyFunctionSwitch, "TabLayout");
  lightSwatch_ = kind_.lightControlName.empty() ? nullptr : FindNamedChild(this, kind_.lightControlName.c_str());
  CollectKeyButtons(this, {"light_"});
}

void CVelmarUSBDevice::CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes) {
  KeyButtons buttons = ::CollectKeyButtons(root, lightPrefixes);
  keyControls_ = std::move(buttons.keys);
  preview_.SetZones(std::move(buttons.lights));
}

void CVelmarUSBDevice::SetKindData(const DeviceKindData& data) {
  kind_ = data;
  preview_.Resize(static_cast<size_t>(std::max(kind_.lightEntryCount, 0)));
}

void CVelmarUSBDevice::SetProfileSession(std::unique_ptr<CProfileSession> session) {
  profileSession_ = std::move(session);
}

void CVelmarUSBDevice::SetDeviceFolder(const std::string& folder) {
  deviceFolder_ = folder;
  if (profileSession_) profileSession_->SetFolders(folder, DefaultDataPath(kind_.kindName));
}

std::string CVelmarUSBDevice::GetProfileName() const {
  return profileSession_ ? profileSession_->ChosenName() : std::string();
}

bool CVelmarUSBDevice::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  for (IControlRoutes* target : routeTargets_) {
    if (target->RouteNotify(kind, msg)) return true;
  }
  return false;
}

bool CVelmarUSBDevice::RouteMenuCommand(std::string_view name) {
  for (IControlRoutes* target : routeTargets_) {
    if (target->RouteMenuCommand(name)) return true;
  }
  return false;
}

void CVelmarUSBDevice::LoadLightAndMacroNames() {
  // The headset and the mouse pad only read the names their companion program keeps.
  const bool readOnlyList = deviceKind_ == kDeviceKindHeadset || deviceKind_ == kDeviceKindMousePad;
  CMacroStore store(deviceFolder_,
                    std::string(readOnlyList ? kReadOnlyMacroListFileName : kMacroListFileName));
  macroNames_ = store.Names();

  DefaultLightNames names = ReadDefaultLightNames(SmallFilePath(SmallFile::kDefaultLightNames), LightIndex());
  if (names.modes) lightModes_ = std::move(*names.modes);
  if (names.areaNames) areaLightNames_ = std::move(*names.areaNames);
  if (!deviceFolder_.empty() && !kind_.lightControlName.empty()) {
    if (auto custom = ReadCustomLightNames(deviceFolder_ + kind_.lightControlName + ".config", LightIndex())) {
      customLightNames_ = std::move(*custom);
    }
  }
}

int CVelmarUSBDevice::LightModeCode(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= lightModes_.size()) return index;
  return lightModes_[static_cast<size_t>(index)].code;
}

int CVelmarUSBDevice::LightModeIndexOfCode(int code) const {
  for (size_t i = 0; i < lightModes_.size(); ++i) {
    if (lightModes_[i].code == code) return static_cast<int>(i);
  }
  return code;
}

int CVelmarUSBDevice::LightType() const {
  switch (CableKindOf(deviceKind_)) {
    case kDeviceKindKeyboard: return kLightTypeKeyboard;
    case kDeviceKindMouse: return kLightTypeMouse;
    case kDeviceKindMousePad: return kLightTypeMousePad;
    case kDeviceKindHeadset: return kLightTypeHeadset;
    default: return 0;
  }
}

int CVelmarUSBDevice::LightIndex() const {
  if (kind_.kindRowIndex >= 0) return kind_.iconIndex;
  switch (CableKindOf(deviceKind_)) {
    case kDeviceKindKeyboard: return 0;
    case kDeviceKindMouse: return 1;
    case kDeviceKindMousePad: return 2;
    case kDeviceKindHeadset: return 3;
    default: return -1;
  }
}

void CVelmarUSBDevice::SetFunctionType(int type) {
  functionType_ = type;
  const FunctionPages pages = FunctionPagesFor(type, deviceKind_);
  if (functionSwitch_) functionSwitch_->SelectItem(pages.functionPage);
  if (keyFunctionSwitch_ && pages.keyFunctionPage >= 0) keyFunctionSwitch_->SelectItem(pages.keyFunctionPage);
}

void CVelmarUSBDevice::SetLightEffect(int mode, int speed, int brightness, uint32_t colour) {
  preview_.With([&](CLightPreview& p) {
    LightEffectParams params = p.Params();
    params.mode = mode;
    params.speed = speed;
    params.brightness = brightness;
    params.colour = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                     static_cast<uint8_t>(colour >> 16)};
    p.SetParams(params);
  });
  preview_.Poke();
}

void CVelmarUSBDevice::SetLightColour(uint8_t red, uint8_t green, uint8_t blue) {
  preview_.With([&](CLightPreview& p) {
    LightEffectParams params = p.Params();
    params.colour = {red, green, blue};
    p.SetParams(params);
  });
  preview_.Poke();
  if (lightSwatch_) lightSwatch_->SetBkColor(0xFF000000u | (DWORD{red} << 16) | (DWORD{green} << 8) | blue);
}

uint32_t CVelmarUSBDevice::GetLightColour() {
  if (lightSwatch_) {
    const DWORD argb = lightSwatch_->GetBkColor();
    SetLightColour(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb));
  }
  const Rgb colour = preview_.Params().colour;
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

void CVelmarUSBDevice::ShowLighting(const LightInfoRecord& light, std::vector<LightEffectStep> steps) {
  LightEffectParams params = GetLightEffect();
  params.mode = light.SelectItem;
  params.brightness = light.Light;
  params.speed = light.Speed;
  params.direction = light.Fx != 0;
  params.multiColour = light.MultiColor != 0;
  params.colour = {light.Red, light.Green, light.Blue};
  preview_.With([&](CLightPreview& preview) {
    preview.SetParams(params);
    preview.SetCustomSteps(std::move(steps));
  });
  preview_.Poke();
}
