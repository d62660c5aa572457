#include "devices/mouse/driver/mouse_driver.h"

#include "transport/result_codes.h"
#include "transport/supported_devices.h"

int CMouseDriver::Transact(std::initializer_list<NamedStep> steps, CConfigTransaction::Bracket bracket) {
  CConfigTransaction transaction(channel_, bracket);
  for (const NamedStep& step : steps) transaction.Step(step.name, step.run);
  const int result = transaction.Run();
  failedStep_ = transaction.FailedStep();
  return result;
}

bool CMouseDriver::LinkedForTransfer() {
  if (!channel_.IsOpen()) return false;
  return !channel_.ReceiverMode() || channel_.Hid2_4GDeviceIsLink();
}

bool CMouseDriver::IsLinkedThroughReceiver() {
  return channel_.IsOpen() && channel_.ReceiverMode() && channel_.Hid2_4GDeviceIsLink();
}

// ---- reading ----

int CMouseDriver::ReadInfoBlock(DeviceInfoBlock& info) {
  return Transact({{"ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info.bytes.data()); }}});
}

int CMouseDriver::InitialiseFresh(DeviceInfoBlock& info) {
  info.SetInitMarker(kDeviceInitialisedMarker);
  return WriteInfoBlock(info);
}

int CMouseDriver::ReadConfigImage(const DeviceInfoBlock& info) {
  std::vector<uint8_t> image(kConfigImageCapacity, 0);
  const int result = Transact({{"SetConfigSize", [&] { return channel_.SetConfigSize(info.ConfigImageSize()); }},
                               {"ReadConfigImage", [&] {
                                  return channel_.ReadConfigImage(image.data(), static_cast<uint32_t>(image.size()));
                                }}});
  if (result != kResultSuccess) return result;
  image.resize(info.ConfigImageSize());
  configImage_ = std::move(image);
  buttonMap_ = BuildButtonRecordMap(configImage_);
  return result;
}

int CMouseDriver::ReadSettingsPage(uint8_t& activePage, SettingsPageBytes& page) {
  const auto readPage = [&] {
    return channel_.ReadSettings(page.data(), kSettingsPageSize, kSettingsPageStride * uint32_t{activePage});
  };
  // The pages are read outside a configuration session.
  return Transact({{"ReadSettings", [&] { return channel_.ReadSettings(&activePage, 1, 0); }}, {"ReadSettings", readPage}},
                  CConfigTransaction::Bracket::kNone);
}

int CMouseDriver::ReadStatus(uint8_t* destination, uint32_t length) { return channel_.ReadStatus(destination, length, 0); }

std::optional<uint16_t> CMouseDriver::OutdatedCableFirmware() {
  // Only the mouse on its cable reports its own firmware version.
  const SupportedDevice& cable =
      kSupportedDevices[static_cast<size_t>(FindSupportedDeviceOfKind(kDeviceKindMouse, kInterfaceRoleCommand))];
  const HidAttributes attributes = channel_.DirectPort().GetAttributes();
  const bool outdated = attributes.VendorID == cable.VendorId && attributes.ProductID == cable.ProductId &&
                        attributes.VersionNumber < kMouseMinimumFirmwareVersion;
  if (!outdated) return std::nullopt;
  return attributes.VersionNumber;
}

uint16_t CMouseDriver::CableFirmwareVersion() {
  if (channel_.ReceiverMode() || !channel_.DirectPort().IsOpen()) return 0;
  return channel_.DirectPort().GetAttributes().VersionNumber;
}

// ---- writing ----

int CMouseDriver::WriteSettingsPage(const SettingsPageBytes& page, uint32_t pageNumber) {
  return Transact({{"WriteSettings", [&] {
                      return channel_.WriteSettings(page.data(), kSettingsPageSize, kSettingsPageStride * pageNumber);
                    }}});
}

int CMouseDriver::WriteConfigImage(const std::vector<uint8_t>& image) {
  const uint32_t length = static_cast<uint32_t>(image.size());
  return Transact({{"WriteConfigImage", [&] { return channel_.WriteConfigImage(image.data(), length, 0); }}});
}

int CMouseDriver::WriteMacroData(const std::vector<uint8_t>& block) {
  const uint32_t length = static_cast<uint32_t>(block.size());
  return Transact({{"WriteMacroData", [&] { return channel_.WriteMacroData(block.data(), length); }}});
}

int CMouseDriver::WriteRecoilData(const std::vector<uint8_t>& tables) {
  const uint32_t length = static_cast<uint32_t>(tables.size());
  return Transact({{"WriteShootData", [&] { return channel_.WriteShootData(tables.data(), length); }}});
}

int CMouseDriver::WriteInfoBlock(const DeviceInfoBlock& info) {
  return Transact({{"WriteDeviceInfo", [&] { return channel_.WriteDeviceInfo(info.bytes.data()); }}});
}

int CMouseDriver::KeepAlive() { return Transact({}); }
