// The mouse's transactions: reading what it stores, writing settings, buttons, macros and recoil
// tables, status and link.
#include "devices/velmar_mouse_device.h"

#include <algorithm>
#include <cstring>

#include "devices/device_messages.h"
#include "devices/mouse/button_image_writer.h"
#include "devices/mouse/mouse_system_words.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "platform/log_file.h"
#include "profiles/macros/macro_bindings.h"
#include "profiles/macros/macro_block_builder.h"
#include "profiles/macros/macro_limits.h"
#include "profiles/macros/macro_store.h"
#include "profiles/storage/data_folders.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "transport/result_codes.h"
#include "ui/controls/mp_device_power_ui.h"

namespace {

constexpr uint16_t kMouseVendorId = 0x320F;
constexpr uint16_t kMouseCableProductId = 0x22A4;
constexpr uint32_t kStatusReadLength = 2;
constexpr size_t kStatusRecordSize = 6;
// A page without a profile panel works on this profile.
constexpr const char* kFallbackProfileId = "default";

}  // namespace

CVelmarMouseDevice::CVelmarMouseDevice(IHidBackend& backend) : CVelmarUSBDevice(backend) {}

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

bool CVelmarMouseDevice::LinkedForTransfer() {
  CUsbCommandChannel& channel = Channel();
  if (!channel.IsOpen()) return false;
  return !channel.ReceiverMode() || channel.Hid2_4GDeviceIsLink();
}

bool CVelmarMouseDevice::IsLinked() {
  CUsbCommandChannel& channel = Channel();
  return channel.IsOpen() && channel.ReceiverMode() && channel.Hid2_4GDeviceIsLink();
}

void CVelmarMouseDevice::ReadAll() {
  const bool read = ReadDeviceData();
  LoadPageFromProfile();
  if (read) ReadSettingsPage();
  ShowSettings();
  StartLightThread();
}

bool CVelmarMouseDevice::ReadDeviceData() {
  CUsbCommandChannel& channel = Channel();
  channel.SetUpdateInProgress(0);
  if (!LinkedForTransfer()) return false;

  DeviceInfoBlock info;
  channel.BeginConfig();
  const int infoRead = channel.ReadDeviceInfo(info.bytes.data());
  channel.EndConfig();
  if (infoRead != 1) return false;

  if (!info.IsInitialised()) {
    if (!info.IsFresh()) {
      deviceInfo_ = info;
      SendToOwner(WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0);
      WriteLogLine("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    0");
      return false;
    }
    info.SetInitMarker(kDeviceInitialisedMarker);
    channel.BeginConfig();
    channel.WriteDeviceInfo(info.bytes.data());
    channel.EndConfig();
  }
  deviceInfo_ = info;
  SendToOwner(WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0);
  WriteLogLine("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");

  std::vector<uint8_t> image(kConfigImageCapacity, 0);
  channel.BeginConfig();
  const bool imageRead =
      channel.SetConfigSize(info.ConfigImageSize()) == 1 && channel.ReadConfigImage(image.data()) == 1;
  // Leave configuration mode even when a step failed, so the mouse does not wait for the host.
  channel.EndConfig();
  if (!imageRead) return false;
  image.resize(info.ConfigImageSize());
  configImage_ = std::move(image);

  const HidAttributes attributes = channel.DirectPort().GetAttributes();
  if (attributes.VendorID == kMouseVendorId && attributes.ProductID == kMouseCableProductId &&
      attributes.VersionNumber < kMouseMinimumFirmwareVersion) {
    SendToOwner(WM_FIRMWARE_UPDATE, attributes.ProductID, attributes.VersionNumber);
  }
  buttonMap_ = BuildButtonRecordMap(configImage_);
  ApplyStageSliderRanges();
  return true;
}

void CVelmarMouseDevice::SyncFromDevice() {
  ReadSettingsPage();
  ShowSettings();
}

int CVelmarMouseDevice::ReadSettingsPage() {
  lightPaused_.store(false);
  CUsbCommandChannel& channel = Channel();
  if (!LinkedForTransfer()) return 0;
  uint8_t active = 0;
  SettingsPageBytes raw{};
  if (channel.ReadSettings(&active, 1, 0) != 1) return 0;
  if (channel.ReadSettings(raw.data(), kSettingsPageSize, kSettingsPageStride * active) != 1) return 0;

  const DecodedSettingsPage decoded =
      DecodeSettingsPage(raw, active, lightModeCodes_, systemBlock_, profile_.ReadLightInfo());
  lastPage_ = decoded.page;
  activeProfile_.store(decoded.activeProfile);
  logoModeCode_ = decoded.logoModeCode;
  systemBlock_ = decoded.system;
  currentStage_ = decoded.currentStage;

  LightEffectParams params = PreviewParams();
  params.mode = decoded.lightModeIndex;
  params.brightness = decoded.light.Light;
  params.speed = decoded.light.Speed;
  params.multiColour = decoded.light.MultiColor != 0;
  params.colour = {decoded.light.Red, decoded.light.Green, decoded.light.Blue};
  WithPreview([&](CLightPreview& preview) { preview.SetParams(params); });

  profile_.WriteSystemStages(systemBlock_);
  profile_.SetStageActive(currentStage_);
  profile_.WriteLightInfo(decoded.light);
  profile_.SaveProfile();
  return decoded.activeProfile;
}

int CVelmarMouseDevice::ApplySettings(int page, int profileByte, int /*a*/, int /*b*/, int /*c*/) {
  const std::vector<DPIStage> stages = profile_.ReadDPIStages();
  const SettingsPageBytes bytes =
      EncodeSettingsPage(static_cast<uint8_t>(profileByte), stages, profile_.GetStageActive(),
                         profile_.ReadSystemStages(), profile_.ReadLightInfo());
  CUsbCommandChannel& channel = Channel();
  if (!LinkedForTransfer()) return 0;
  channel.BeginConfig();
  if (!LinkedForTransfer()) return 0;
  const int written =
      channel.WriteSettings(bytes.data(), kSettingsPageSize, kSettingsPageStride * static_cast<uint32_t>(page));
  if (!LinkedForTransfer()) return 0;
  channel.EndConfig();
  return written == 1 ? 1 : 0;
}

int CVelmarMouseDevice::WriteKeyAssignments(int bank, const std::vector<KeyAssignmentPair>& keys) {
  if (configImage_.empty()) return 0;
  CMacroStore macros(GetDeviceFolder());
  const ButtonImageWrite write =
      BuildButtonImageWrite(configImage_, buttonMap_, keys, static_cast<int>(macros.Count()));
  CUsbCommandChannel& channel = Channel();
  if (!LinkedForTransfer()) return 0;
  channel.BeginConfig();
  if (!LinkedForTransfer()) return 0;
  const int result = channel.WriteConfigImage(write.image.data(), static_cast<uint32_t>(bank));
  if (!LinkedForTransfer()) return 0;
  channel.EndConfig();
  return result;
}

std::vector<int> CVelmarMouseDevice::GetMacroList() {
  CMacroStore macros(GetDeviceFolder());
  return CollectBoundMacros(keyList_, static_cast<int>(macros.Count()), [this](size_t key) {
    return key < buttonMap_.size() && buttonMap_[key] != kNoButtonRecord;
  });
}

MacroBlockBuild CVelmarMouseDevice::BuildMacroImage(const std::vector<int>& imageOrder) {
  CMacroStore macros(GetDeviceFolder());
  return BuildMacroBlock(macros, imageOrder, deviceInfo_.MacroUnits(), MacroEventLimit::kEnforce);
}

int CVelmarMouseDevice::SendMacroImage(const MacroBlockBuild& block) {
  if (block.status != MacroBlockStatus::kReady) return block.ResultCode();
  CUsbCommandChannel& channel = Channel();
  if (!LinkedForTransfer()) return 0;
  channel.BeginConfig();
  const int sent = channel.WriteMacroData(block.image.data(), static_cast<uint32_t>(block.image.size()));
  channel.EndConfig();
  return sent == 1 ? 0 : sent;
}

int CVelmarMouseDevice::WriteMacros(const std::vector<int>& imageOrder) {
  return SendMacroImage(BuildMacroImage(imageOrder));
}

int CVelmarMouseDevice::WriteRecoilData(const std::vector<uint8_t>& tables) {
  if (tables.empty()) return 0;
  CUsbCommandChannel& channel = Channel();
  if (!LinkedForTransfer()) return 0;
  channel.BeginConfig();
  const int sent = channel.WriteShootData(tables.data(), static_cast<uint32_t>(tables.size()));
  channel.EndConfig();
  return sent;
}

void CVelmarMouseDevice::MarkInitialised() {
  CUsbCommandChannel& channel = Channel();
  channel.SetUpdateInProgress(0);
  deviceInfo_.SetInitMarker(kDeviceInitialisedMarker);
  if (!LinkedForTransfer()) return;
  channel.BeginConfig();
  const int written = channel.WriteDeviceInfo(deviceInfo_.bytes.data());
  channel.EndConfig();
  if (written == 1) StartTileTimer(kTimerReadAll, kReadAllDelayMs);
}

void CVelmarMouseDevice::RefreshStatus() {
  CUsbCommandChannel& channel = Channel();
  if (!channel.IsOpen() || IsWindowHidden() || !channel.Hid2_4GDeviceIsLink()) return;
  std::array<uint8_t, kStatusRecordSize> status{};
  if (channel.ReadStatus(status.data(), kStatusReadLength, 0) != 1) return;
  status[3] = channel.ReceiverMode() ? 1 : 0;
  if (CMpDevicePowerUI* power = GetPowerDisplay()) power->ShowPowerReport(status.data(), status.size());
}

int CVelmarMouseDevice::KeepAliveMinutes() {
  const MouseSystemBlock block = profile_.ReadSystemStages();
  return std::min<int>(LowHalf(block[kSystemWordDeviceSleep]), HighHalf(block[kSystemWordDeviceSleep]));
}

// ---- the profile ----

void CVelmarMouseDevice::SetProfileFiles() {
  if (GetDeviceFolder().empty())
    SetDeviceFolder(DeviceDataFolder(GetKindName().empty() ? kMouseKindName : GetKindName()));
  const std::string defaults = DefaultDataPath(kMouseKindName);
  profile_.SetDefaultDataPath(defaults);
  profile_.LoadDefaultData(defaults);
  const std::string id = profileId_.empty() ? kFallbackProfileId : profileId_;
  profile_.SetProfilePath(ProfileFilePath(GetDeviceFolder(), id));
  profile_.SetProfileIdentity(profileName_, profileId_);
  profile_.SetLightConfigPath(GetDeviceFolder() + GetLightControlName() + ".config");
  profile_.LoadProfile(profile_.GetProfilePath());
}

void CVelmarMouseDevice::LoadLighting() {
  const LightInfoRecord light = profile_.ReadLightInfo();
  LightEffectParams params = PreviewParams();
  params.mode = light.SelectItem;
  params.brightness = light.Light;
  params.speed = light.Speed;
  params.direction = light.Fx != 0;
  params.multiColour = light.MultiColor != 0;
  params.colour = {light.Red, light.Green, light.Blue};
  std::vector<LightEffectStep> steps = profile_.ReadLightEffects();
  WithPreview([&](CLightPreview& preview) {
    preview.SetParams(params);
    preview.SetCustomSteps(std::move(steps));
  });
}

void CVelmarMouseDevice::LoadPageFromProfile() {
  SetProfileFiles();
  keyList_ = profile_.ReadKeyList();
  LoadLighting();
  stages_ = profile_.ReadDPIStages();
  if (stages_.size() > kMaxStages) stages_.resize(kMaxStages);
  currentStage_ = profile_.GetStageActive();
  systemBlock_ = profile_.ReadSystemStages();
}

void CVelmarMouseDevice::ApplyProfile() {
  LoadPageFromProfile();
  SaveProfile();
  ShowSettings();
}

int CVelmarMouseDevice::LoadSelectedProfile() {
  if (CDeviceProfileUI* panel = GetProfilePanel()) {
    SetSelectedProfileId(panel->GetSelectedProfileId(), panel->GetSelectedProfileName());
  }
  ApplyProfile();
  RepairMacroKeys();
  ApplySettings(0, 0, 0, 0, 0);
  const MacroBlockBuild macros = BuildMacroImage(GetMacroList());
  const int result = SendMacroImage(macros);
  if (result > 0) {
    // A macro longer than the mouse takes counts its surplus actions like an image that does not
    // fit; either way that many actions must go.
    return macros.status == MacroBlockStatus::kMacroTooLong ? result - static_cast<int>(kMaxMacroEvents) : result;
  }
  WriteKeyAssignments(0, keyList_);
  SaveProfile();
  return result;
}

void CVelmarMouseDevice::LoadLightAndMacroNames() {
  CMacroStore macros(GetDeviceFolder());
  macroCount_ = static_cast<int>(macros.Count());
}

void CVelmarMouseDevice::RepairMacroKeys() {
  LoadLightAndMacroNames();
  if (!RepairMacroAssignments(keyList_, macroCount_)) return;
  profile_.WriteKeyList(keyList_);
  profile_.SaveProfile();
}

std::string CVelmarMouseDevice::GetProfileName() {
  // The name sits beside "Device" at the top of the profile file.
  const Json::Value document = LoadJsonFile(profile_.GetProfilePath());
  const Json::Value& name = MemberOf(document, "profilename");
  return name.isString() ? name.asString() : std::string();
}

void CVelmarMouseDevice::SaveProfile() { profile_.SaveProfile(); }

void CVelmarMouseDevice::SetLightEffect(int mode, int speed, int brightness, uint32_t colour) {
  CVelmarUSBDevice::SetLightEffect(mode, speed, brightness, colour);
  LightInfoRecord light = profile_.ReadLightInfo();
  light.SelectItem = static_cast<uint8_t>(mode);
  light.Speed = static_cast<uint8_t>(speed);
  light.Light = static_cast<uint8_t>(brightness);
  light.Red = static_cast<uint8_t>(colour);
  light.Green = static_cast<uint8_t>(colour >> 8);
  light.Blue = static_cast<uint8_t>(colour >> 16);
  profile_.WriteLightInfo(light);
}
