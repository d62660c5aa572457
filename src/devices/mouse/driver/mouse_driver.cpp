#include "devices/mouse/driver/mouse_driver.h"

#include "transport/config_transaction.h"
#include "transport/result_codes.h"
#include "transport/supported_devices.h"

bool CMouseDriver::LinkedForTransfer() {
  if (!channel_.IsOpen()) return false;
  return !channel_.ReceiverMode() || channel_.Hid2_4GDeviceIsLink();
}

bool CMouseDriver::IsLinkedThroughReceiver() {
  return channel_.IsOpen() && channel_.ReceiverMode() && channel_.Hid2_4GDeviceIsLink();
}

int CMouseDriver::ReadInfoBlock(DeviceInfoBlock& info) {
  return CConfigTransaction(channel_)
      .Step("ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info.bytes.data()); })
      .Run();
}

int CMouseDriver::InitialiseFresh(DeviceInfoBlock& info) {
  info.SetInitMarker(kDeviceInitialisedMarker);
  return WriteInfoBlock(info);
}

int CMouseDriver::ReadConfigImage(const DeviceInfoBlock& info) {
  std::vector<uint8_t> image(kConfigImageCapacity, 0);
  const int result = CConfigTransaction(channel_)
                         .Step("SetConfigSize", [&] { return channel_.SetConfigSize(info.ConfigImageSize()); })
                         .Step("ReadConfigImage", [&] { return channel_.ReadConfigImage(image.data()); })
                         .Run();
  if (result != kResultSuccess) return result;
  image.resize(info.ConfigImageSize());
  configImage_ = std::move(image);
  buttonMap_ = BuildButtonRecordMap(configImage_);
  return result;
}

int CMouseDriver::ReadSettingsPage(uint8_t& activePage, SettingsPageBytes& page) {
  // The pages are read outside a configuration session.
  return CConfigTransaction(channel_, CConfigTransaction::Bracket::kNone)
      .Step("ReadSettings", [&] { return channel_.ReadSettings(&activePage, 1, 0); })
      .Step("ReadSettings", [&] {
        return channel_.ReadSettings(page.data(), kSettingsPageSize, kSettingsPageStride * uint32_t{activePage});
      })
      .Run();
}

int CMouseDriver::ReadStatus(uint8_t* destination, uint32_t length) { return channel_.ReadStatus(destination, length, 0); }

std::optional<uint16_t> CMouseDriver::OutdatedCableFirmware() {
  // Only the mouse on its cable reports its own firmware version.
  const SupportedDevice& cable = kSupportedDevices[static_cast<size_t>(
      FindSupportedDeviceOfKind(kDeviceKindMouse, kInterfaceRoleCommand))];
  const HidAttributes attributes = channel_.DirectPort().GetAttributes();
  const bool outdated = attributes.VendorID == cable.VendorId && attributes.ProductID == cable.ProductId &&
                        attributes.VersionNumber < kMouseMinimumFirmwareVersion;
  if (!outdated) return std::nullopt;
  return attributes.VersionNumber;
}

int CMouseDriver::WriteSettingsPage(const SettingsPageBytes& page, uint32_t pageNumber) {
  return CConfigTransaction(channel_)
      .Step("WriteSettings",
            [&] { return channel_.WriteSettings(page.data(), kSettingsPageSize, kSettingsPageStride * pageNumber); })
      .Run();
}

int CMouseDriver::WriteConfigImage(const std::vector<uint8_t>& image) {
  return CConfigTransaction(channel_).Step("WriteConfigImage", [&] { return channel_.WriteConfigImage(image.data(), 0); }).Run();
}

int CMouseDriver::WriteMacroData(const std::vector<uint8_t>& block) {
  return CConfigTransaction(channel_)
      .Step("WriteMacroData",
            [&] { return channel_.WriteMacroData(block.data(), static_cast<uint32_t>(block.size())); })
      .Run();
}

int CMouseDriver::WriteRecoilData(const std::vector<uint8_t>& tables) {
  return CConfigTransaction(channel_)
      .Step("WriteShootData",
            [&] { return channel_.WriteShootData(tables.data(), static_cast<uint32_t>(tables.size())); })
      .Run();
}

int CMouseDriver::WriteInfoBlock(const DeviceInfoBlock& info) {
  return CConfigTransaction(channel_).Step("WriteDeviceInfo", [&] { return channel_.WriteDeviceInfo(info.bytes.data()); }).Run();
}

int CMouseDriver::KeepAlive() { return CConfigTransaction(channel_).Run(); }
