#include "tools/t640ctl/mouse_report.h"

namespace {

Json::Value Bytes(const std::vector<uint8_t>& bytes) {
  Json::Value array(Json::arrayValue);
  for (uint8_t byte : bytes) array.append(byte);
  return array;
}

unsigned Word(const std::array<uint8_t, kDeviceInfoSize>& block, size_t offset) {
  return block[offset] | (block[offset + 1] << 8);
}

}  // namespace

Json::Value MouseReportJson(const DeviceEntry& slot, const HidAttributes& attributes, const MouseReadResult& read) {
  Json::Value device(Json::objectValue);
  device["kind"] = "mouse";
  device["connection"] = slot.DeviceKind == kDeviceKindMouseReceiver ? "receiver" : "cable";
  device["vendorId"] = attributes.VendorID;
  device["productId"] = attributes.ProductID;
  device["version"] = attributes.VersionNumber;
  if (read.haveInfo) {
    const auto& block = read.info;
    Json::Value info(Json::objectValue);
    info["signature"] = Word(block, 0);
    info["buttonRecords"] = block[5];
    info["macroMemory"] = block[6];
    info["initialised"] = block[7] == 0x15;
    info["sensorId"] = Word(block, 9);
    info["step"] = block[11];
    info["limit"] = Word(block, 12);
    info["base"] = Word(block, 14);
    device["info"] = info;
  }
  if (read.activeProfile >= 0) device["activeProfile"] = read.activeProfile;
  if (!read.settingsPage.empty()) device["settingsPage"] = Bytes(read.settingsPage);
  if (!read.configImage.empty()) device["configImage"] = Bytes(read.configImage);
  if (read.result != 1) {
    Json::Value error(Json::objectValue);
    error["step"] = read.failedStep;
    error["result"] = read.result;
    device["error"] = error;
  }
  return device;
}
