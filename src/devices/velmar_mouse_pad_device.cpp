// The mouse pad's reads, writes and profile: the order in which the driver, the model, the profile
// session and the page view take part.
#include "devices/velmar_mouse_pad_device.h"

#include <cstring>

#include "devices/device_kind_table.h"
#include "devices/mousepad/page/pad_page_controls.h"
#include "platform/log_file.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/storage/data_folders.h"
#include "transport/result_codes.h"
#include "ui/controls/mp_device_power_ui.h"

CVelmarMousePadDevice::CVelmarMousePadDevice(IHidBackend& backend, IClock& clock)
    : CVelmarUSBDevice(backend, clock), profile_(CreateProfileSession()), driver_(Channel()) {}

CBasicProfiledata& CVelmarMousePadDevice::CreateProfileSession() {
  auto data = std::make_unique<CBasicProfiledata>();
  CBasicProfiledata& profile = *data;
  SetProfileSession(std::make_unique<CProfileSession>(std::move(data)));
  return profile;
}

CVelmarMousePadDevice::~CVelmarMousePadDevice() {
  lightThread_.Stop();
  CableEventPort().Detach();
  ReceiverEventPort().Detach();
}

LPCTSTR CVelmarMousePadDevice::GetClass() const { return "VelmarMousePadDevice"; }

void* CVelmarMousePadDevice::GetInterface(LPCTSTR pstrName) {
  if (std::strcmp(pstrName, "VelmarMousePadDevice") == 0) return this;
  return CVelmarUSBDevice::GetInterface(pstrName);
}

void CVelmarMousePadDevice::EnsureDeviceFolder() {
  if (GetDeviceFolder().empty()) {
    SetDeviceFolder(DeviceDataFolder(Kind().kindName.empty() ? std::string(kMousePadKindName) : Kind().kindName));
  }
}

// ---- the page ----

void CVelmarMousePadDevice::InitDevicePage() {
  CVelmarUSBDevice::InitDevicePage();
  view_.Bind(this);
  if (CControlUI* picture = view_.Picture()) CollectKeyButtons(picture, {pad_page::kLightZone});
  // The pad has lighting and nothing else: its page opens on the lighting, and it has no battery
  // to show.
  OpenOnFunction(kLightingTab);
  if (CMpDevicePowerUI* power = GetPowerDisplay()) power->ShowBatteryLayout(false);
}

void CVelmarMousePadDevice::ShowSettings() {
  LoadLightAndMacroNames();
  const size_t mode = model_.Light().SelectItem;
  const auto& modes = LightModes();
  // While the pad runs a page the host may not write back, the line says why changes stay here.
  const bool heldElsewhere = Channel().IsOpen() && driver_.ActivePage() > 0;
  view_.ShowMode(heldElsewhere ? std::string(pad_page::kOtherPageNote)
                               : mode < modes.size() ? modes[mode].name : std::string());
  NotifyLightInfoShown();
}

std::vector<int> CVelmarMousePadDevice::ModeCodeList() const {
  std::vector<int> codes;
  for (const LightModeName& mode : LightModes()) codes.push_back(mode.code);
  return codes;
}

// ---- reading ----

void CVelmarMousePadDevice::ReadAll() {
  EnsureDeviceFolder();
  if (Channel().IsOpen()) driver_.ReadInfoBlock();
  LoadPageFromProfile();
  LoadLightAndMacroNames();
  ReadPadSettings();
  ShowSettings();
  lightThread_.Start();
}

void CVelmarMousePadDevice::SyncFromDevice() {
  ReadPadSettings();
  ShowSettings();
}

int CVelmarMousePadDevice::ReadPadSettings() {
  lightPaused_.store(false);
  LightPreview().Poke();
  if (!Channel().IsOpen()) return 0;
  uint8_t active = 0;
  PadPageReadBytes raw{};
  if (driver_.ReadSettingsPage(active, raw) != kResultSuccess) {
    WriteLogLine(std::string("ReadPadSettings>") + (driver_.LastFailedStep() ? driver_.LastFailedStep() : "") +
                 " failed: the page copy stays");
    return 0;
  }
  const std::vector<int> codes = ModeCodeList();
  model_.TakePage(DecodePadPage(raw, active, codes));
  StoreProfile();
  LoadLighting();
  return active;
}

// ---- the profile ----

void CVelmarMousePadDevice::LoadPageFromProfile() {
  EnsureDeviceFolder();
  ProfileSession()->Open();
  model_.LoadFrom(profile_);
  LoadLighting();
}

void CVelmarMousePadDevice::LoadLighting() { ShowLighting(model_.Light(), profile_.ReadLightEffects()); }

void CVelmarMousePadDevice::ApplyProfile() {
  LoadPageFromProfile();
  SaveProfile();
  ShowSettings();
}

int CVelmarMousePadDevice::LoadSelectedProfile() {
  ApplyProfile();
  ApplySettings();
  return 0;
}

void CVelmarMousePadDevice::StoreProfile() {
  model_.StoreChanges(profile_);
  ProfileSession()->Save();
}

void CVelmarMousePadDevice::SaveProfile() { StoreProfile(); }

// ---- writing ----

int CVelmarMousePadDevice::ApplySettings() {
  if (!Channel().IsOpen()) return kResultNoReply;
  const std::vector<int> codes = ModeCodeList();
  const int result = driver_.WriteSettingsPage(model_.EncodePage(codes));
  if (result == kPadPageNotWritable) {
    WriteLogLine("ApplySettings>the pad's active page " + std::to_string(driver_.ActivePage()) +
                 " is not page 0: the lighting stays in the profile, nothing written");
  }
  return result;
}

void CVelmarMousePadDevice::SetLightInfo(const LightInfoRecord& light) {
  model_.SetLight(light);
  StoreProfile();
  LoadLighting();
  ShowSettings();
}

void CVelmarMousePadDevice::SetAudioLightInfo(const AudioLightRecord& audio) {
  model_.SetAudioLight(audio);
  StoreProfile();
}

void CVelmarMousePadDevice::SetLightEffect(int mode, int speed, int brightness, uint32_t colour) {
  CVelmarUSBDevice::SetLightEffect(mode, speed, brightness, colour);
  LightInfoRecord light = model_.Light();
  light.SelectItem = static_cast<uint8_t>(mode);
  light.Speed = static_cast<uint8_t>(speed);
  light.Light = static_cast<uint8_t>(brightness);
  light.Red = static_cast<uint8_t>(colour);
  light.Green = static_cast<uint8_t>(colour >> 8);
  light.Blue = static_cast<uint8_t>(colour >> 16);
  model_.SetLight(light);
  StoreProfile();
}
