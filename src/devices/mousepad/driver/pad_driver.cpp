#include "devices/mousepad/driver/pad_driver.h"

#include "transport/config_transaction.h"
#include "transport/result_codes.h"

int CPadDriver::ReadInfoBlock() {
  std::array<uint8_t, kDeviceInfoSize> info{};
  CConfigTransaction transaction(channel_);
  transaction.Step("ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info.data()); });
  const int result = transaction.Run();
  failedStep_ = transaction.FailedStep();
  if (result == kResultSuccess) info_ = info;
  return result;
}

int CPadDriver::ReadSettingsPage(uint8_t& activePage, PadPageReadBytes& raw) {
  heldPage_ = kNoPage;
  CConfigTransaction transaction(channel_, CConfigTransaction::Bracket::kNone);
  transaction.Step("ReadSettings", [&] { return channel_.ReadSettings(&activePage, 1, 0); });
  transaction.Step("ReadSettings", [&] {
    return channel_.ReadSettings(raw.data(), kPadPageReadSize, kPadPageReadStride * uint32_t{activePage});
  });
  const int result = transaction.Run();
  failedStep_ = transaction.FailedStep();
  if (result == kResultSuccess) heldPage_ = activePage;
  return result;
}

int CPadDriver::WriteSettingsPage(const PadPageBytes& page) {
  if (!CanWriteSettingsPage()) {
    failedStep_ = "WriteSettings";
    return kPadPageNotWritable;
  }
  CConfigTransaction transaction(channel_);
  transaction.Step("WriteSettings", [&] { return channel_.WriteSettings(page.data(), kPadPageSize, 0); });
  const int result = transaction.Run();
  failedStep_ = transaction.FailedStep();
  return result;
}
