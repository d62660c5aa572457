// The mouse's reads, writes and profile: the order in which the driver, the model, the profile
// session and the page view take part.
#include "devices/velmar_mouse_device.h"

#include <cstring>

#include "devices/device_messages.h"
#include "devices/device_tile.h"
#include "devices/mouse/button_image_writer.h"
#include "devices/mouse/profile_write/button_places.h"
#include "devices/mouse/profile_write/mouse_profile_write.h"
#include "platform/log_file.h"
#include "profiles/macros/macro_bindings.h"
#include "profiles/macros/macro_store.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/storage/data_folders.h"
#include "transport/result_codes.h"
#include "ui/controls/mp_device_power_ui.h"

namespace {

constexpr uint32_t kStatusReadLength = 2;
constexpr size_t kStatusRecordSize = 6;

}  // namespace

CVelmarMouseDevice::CVelmarMouseDevice(IHidBackend& backend, IClock& clock)
    : CVelmarUSBDevice(backend, clock), profile_(CreateProfileSession()), driver_(Channel()) {}

// The session owns the document; the mouse keeps a typed reference to it.
CMouseProfiledata& CVelmarMouseDevice::CreateProfileSession() {
  auto data = std::make_unique<CMouseProfiledata>();
  CMouseProfiledata& profile = *data;
  SetProfileSession(std::make_unique<CProfileSession>(std::move(data)));
  return profile;
}

CVelmarMouseDevice::~CVelmarMouseDevice() {
  lightThread_.Stop();
  CableEventPort().Detach();
  ReceiverEventPort().Detach();
}

LPCTSTR CVelmarMouseDevice::GetClass() const { return "VelmarMouseDevice"; }

void* CVelmarMouseDevice::GetInterface(LPCTSTR pstrName) {
  if (std::strcmp(pstrName, "VelmarMouseDevice") == 0) return this;
  return CVelmarUSBDevice::GetInterface(pstrName);
}

bool CVelmarMouseDevice::IsLinked() { return driver_.IsLinkedThroughReceiver(); }

// ---- reading ----

void CVelmarMouseDevice::EnsureDeviceFolder() {
  if (GetDeviceFolder().empty()) SetDeviceFolder(DeviceDataFolder(Kind().kindName.empty() ? kMouseKindName : Kind().kindName));
}

void CVelmarMouseDevice::ReadAll() {
  EnsureDeviceFolder();
  const bool read = ReadDeviceData();
  LoadPageFromProfile();
  if (read) ReadSettingsPage();
  ShowSettings();
  lightThread_.Start();
}

bool CVelmarMouseDevice::ReadDeviceData() {
  if (!driver_.LinkedForTransfer()) return false;
  DeviceInfoBlock info;
  if (driver_.ReadInfoBlock(info) != kResultSuccess) return false;
  if (!info.IsInitialised()) {
    if (!info.IsFresh()) {
      driver_.KeepInfo(info);
      SendToOwner(WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0);
      WriteLogLine("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    0");
      return false;
    }
    driver_.InitialiseFresh(info);
  }
  driver_.KeepInfo(info);
  SendToOwner(WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0);
  WriteLogLine("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");

  if (driver_.ReadConfigImage(info) != kResultSuccess) return false;
  FixButtonPlaces(driver_, GetDeviceFolder(), info);
  if (const std::optional<uint16_t> version = driver_.OutdatedCableFirmware()) {
    SendToOwner(WM_FIRMWARE_UPDATE, Channel().DirectPort().GetAttributes().ProductID, *version);
  }
  view_.ApplySliderRanges(Rule());
  return true;
}

void CVelmarMouseDevice::SyncFromDevice() {
  ReadSettingsPage();
  ShowSettings();
}

int CVelmarMouseDevice::ReadSettingsPage() {
  lightPaused_.store(false);
  LightPreview().Poke();
  if (!driver_.LinkedForTransfer()) return 0;
  uint8_t active = 0;
  SettingsPageBytes raw{};
  if (driver_.ReadSettingsPage(active, raw) != kResultSuccess) return 0;

  std::vector<uint8_t> codes;
  for (const LightModeName& mode : LightModes()) codes.push_back(static_cast<uint8_t>(mode.code));
  const DecodedSettingsPage decoded = model_.TakeSettingsPage(raw, active, codes);
  driver_.SetActiveProfile(decoded.activeProfile);
  LightEffectParams params = GetLightEffect();
  params.mode = decoded.lightModeIndex;
  params.brightness = decoded.light.Light;
  params.speed = decoded.light.Speed;
  params.multiColour = decoded.light.MultiColor != 0;
  params.colour = {decoded.light.Red, decoded.light.Green, decoded.light.Blue};
  LightPreview().SetParams(params);
  StoreProfile();
  return decoded.activeProfile;
}

void CVelmarMouseDevice::RefreshStatus() {
  CUsbCommandChannel& channel = Channel();
  if (!channel.IsOpen() || IsWindowHidden() || !channel.Hid2_4GDeviceIsLink()) return;
  std::array<uint8_t, kStatusRecordSize> status{};
  if (driver_.ReadStatus(status.data(), kStatusReadLength) != kResultSuccess) return;
  status[3] = channel.ReceiverMode() ? 1 : 0;
  if (CMpDevicePowerUI* power = GetPowerDisplay()) power->ShowPowerReport(status.data(), status.size());
}

int CVelmarMouseDevice::KeepAliveMinutes() { return model_.KeepAliveMinutes(); }

// ---- the profile ----

void CVelmarMouseDevice::LoadPageFromProfile() {
  EnsureDeviceFolder();
  ProfileSession()->Open();
  model_.LoadFrom(profile_);
  LoadLighting();
}

void CVelmarMouseDevice::LoadLighting() { ShowLighting(model_.Light(), profile_.ReadLightEffects()); }

void CVelmarMouseDevice::ApplyProfile() {
  LoadPageFromProfile();
  SaveProfile();
  ShowSettings();
}

int CVelmarMouseDevice::LoadSelectedProfile() {
  ApplyProfile();
  RepairMacroKeys();
  CMacroStore store(GetDeviceFolder());
  const ProfileWriteOutcome outcome = WriteMouseProfile(driver_, model_, MacrosOfStore(store), GetDeviceFolder());
  // Either way that many actions must go, and nothing was sent after the settings page.
  if (outcome.actionsOver > 0) return outcome.actionsOver;
  if (outcome.failedPart != ProfileWritePart::kNone) return outcome.result < 0 ? outcome.result : kMacrosNotSent;
  SaveProfile();
  return 0;
}

void CVelmarMouseDevice::StoreProfile() {
  model_.StoreChanges(profile_);
  ProfileSession()->Save();
}

void CVelmarMouseDevice::SaveProfile() { StoreProfile(); }

void CVelmarMouseDevice::RepairMacroKeys() {
  LoadLightAndMacroNames();
  std::vector<KeyAssignmentPair> keys = model_.Keys();
  if (!RepairMacroAssignments(keys, static_cast<int>(MacroNames().size()))) return;
  SetKeyAssignments(keys);
}

void CVelmarMouseDevice::SetKeyAssignments(const std::vector<KeyAssignmentPair>& keys) {
  model_.SetKeys(keys);
  StoreProfile();
  ShowKeyFunctions();
}

int CVelmarMouseDevice::MacroCount() const { return static_cast<int>(CMacroStore(GetDeviceFolder()).Count()); }

// ---- writing ----

int CVelmarMouseDevice::ApplySettings() { return driver_.WriteSettingsPage(model_.EncodeSettingsPage(0), 0); }

void CVelmarMouseDevice::CommitSettings() {
  StoreProfile();
  ApplySettings();
}

int CVelmarMouseDevice::WriteKeyAssignments(int bank, const std::vector<KeyAssignmentPair>& keys) {
  if (driver_.ConfigImage().empty()) return 0;
  if (bank != 0) return kResultInvalidArgument;
  const ButtonImageWrite write = BuildButtonImageWrite(driver_.ConfigImage(), driver_.ButtonMap(), keys, MacroCount());
  return driver_.WriteConfigImage(write.image);
}

std::vector<int> CVelmarMouseDevice::GetMacroList() {
  const ButtonRecordMap& map = driver_.ButtonMap();
  return CollectBoundMacros(model_.Keys(), MacroCount(),
                            [&map](size_t key) { return key < map.size() && map[key] != kNoButtonRecord; });
}

int CVelmarMouseDevice::WriteMacros(const std::vector<int>& imageOrder) {
  CMacroStore store(GetDeviceFolder());
  const MacroImage image = BuildMacroImage(MacrosOfStore(store), imageOrder, driver_.Info().MacroUnits());
  if (image.block.status != MacroBlockStatus::kReady) return image.block.ResultCode();
  return SendMacroImage(driver_, image, GetDeviceFolder());
}

int CVelmarMouseDevice::WriteRecoilData(const std::vector<uint8_t>& tables) {
  if (tables.empty()) return kResultInvalidArgument;
  return driver_.WriteRecoilData(tables);
}

// The block is read again and only its marker changes: the block held is the one that was refused,
// and writing it back would stamp whatever it holds into the mouse.
void CVelmarMouseDevice::MarkInitialised() {
  DeviceInfoBlock info;
  if (driver_.ReadInfoBlock(info) != kResultSuccess) return;
  if (!info.HasSignature()) {
    WriteLogLine("MarkInitialised>no signature: nothing written");
    return;
  }
  info.SetInitMarker(kDeviceInitialisedMarker);
  if (driver_.WriteInfoBlock(info) != kResultSuccess) return;
  driver_.KeepInfo(info);
  StartTileTimer(kTimerReadAll, kReadAllDelayMs);
}

void CVelmarMouseDevice::SetLightInfo(const LightInfoRecord& light) {
  model_.SetLighting(light, static_cast<uint16_t>(LightModeCode(light.SelectItem)));
  StoreProfile();
  LoadLighting();
  view_.ShowSystemBlock(model_.System());
}

void CVelmarMouseDevice::SetAudioLightInfo(const AudioLightRecord& audio) {
  model_.SetAudioLight(audio);
  StoreProfile();
}

void CVelmarMouseDevice::ChooseLightModeCode(int code) {
  if (code < 0) return;
  LeaveSharedLighting();
  LightInfoRecord light = model_.Light();
  light.SelectItem = static_cast<uint8_t>(LightModeIndexOfCode(code));
  SetLightInfo(light);
  ApplySettings();
  NotifyLightInfoShown();
}

void CVelmarMouseDevice::SetLightEffect(int mode, int speed, int brightness, uint32_t colour) {
  CVelmarUSBDevice::SetLightEffect(mode, speed, brightness, colour);
  LightInfoRecord light = model_.Light();
  light.SelectItem = static_cast<uint8_t>(mode);
  light.Speed = static_cast<uint8_t>(speed);
  light.Light = static_cast<uint8_t>(brightness);
  light.Red = static_cast<uint8_t>(colour);
  light.Green = static_cast<uint8_t>(colour >> 8);
  light.Blue = static_cast<uint8_t>(colour >> 16);
  model_.SetLight(light);
}
