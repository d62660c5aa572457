#include "tools/t640ctl/mouse_read.h"

#include "devices/mouse/driver/mouse_driver.h"
#include "transport/result_codes.h"

MouseReadResult ReadMouseForDiagnosis(CUsbCommandChannel& channel) {
  // The program's own driver, so the tool reads exactly what the program reads, and in its order.
  CMouseDriver driver(channel);
  MouseReadResult out;
  const auto failed = [&](int code) {
    out.result = code;
    out.failedStep = driver.LastFailedStep() ? driver.LastFailedStep() : "";
    return out;
  };

  DeviceInfoBlock info;
  if (const int code = driver.ReadInfoBlock(info); code != kResultSuccess) return failed(code);
  out.info = info.bytes;
  out.haveInfo = true;
  if (const int code = driver.ReadConfigImage(info); code != kResultSuccess) return failed(code);
  out.configImage = driver.ConfigImage();

  uint8_t activePage = 0;
  SettingsPageBytes page{};
  if (const int code = driver.ReadSettingsPage(activePage, page); code != kResultSuccess) return failed(code);
  out.activeProfile = activePage;
  out.settingsPage.assign(page.begin(), page.end());
  out.result = kResultSuccess;
  return out;
}
