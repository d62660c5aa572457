#include "tools/t640ctl/pad_read.h"

#include "devices/mousepad/driver/pad_driver.h"
#include "transport/result_codes.h"

PadReadResult ReadPadForDiagnosis(CUsbCommandChannel& channel) {
  CPadDriver driver(channel);
  PadReadResult out;
  const auto failed = [&](int code) {
    out.result = code;
    out.failedStep = driver.LastFailedStep() ? driver.LastFailedStep() : "";
    return out;
  };
  if (const int code = driver.ReadInfoBlock(); code != kResultSuccess) return failed(code);
  out.info = driver.Info();
  out.haveInfo = true;
  uint8_t activePage = 0;
  PadPageReadBytes raw{};
  if (const int code = driver.ReadSettingsPage(activePage, raw); code != kResultSuccess) return failed(code);
  out.activeProfile = activePage;
  out.settingsPage.assign(raw.begin(), raw.begin() + kPadPageSize);
  out.result = kResultSuccess;
  return out;
}

namespace {

template <typename Bytes>
Json::Value ByteArray(const Bytes& bytes) {
  Json::Value array(Json::arrayValue);
  for (uint8_t byte : bytes) array.append(byte);
  return array;
}

}  // namespace

Json::Value PadReportJson(const HidAttributes& attributes, const PadReadResult& read) {
  Json::Value device(Json::objectValue);
  device["kind"] = "MousePad";
  device["connection"] = "cable";
  device["vendorId"] = attributes.VendorID;
  device["productId"] = attributes.ProductID;
  device["version"] = attributes.VersionNumber;
  if (read.haveInfo) device["info"] = ByteArray(read.info);
  if (read.activeProfile >= 0) device["activeProfile"] = read.activeProfile;
  if (!read.settingsPage.empty()) device["settingsPage"] = ByteArray(read.settingsPage);
  if (read.result != 1) {
    Json::Value error(Json::objectValue);
    error["step"] = read.failedStep;
    error["result"] = read.result;
    device["error"] = error;
  }
  return device;
}
