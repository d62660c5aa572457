#include "tools/t640ctl/mouse_preparation.h"

#include "devices/mouse/profile_write/button_places.h"
#include "transport/result_codes.h"

std::string FailedStepText(const char* step, int result) {
  return std::string(step && *step ? step : "?") + ": " + ResultCodeText(result) + " (result " +
         std::to_string(result) + ")";
}

std::string PrepareMouse(CMouseDriver& driver, const std::string& dataFolder) {
  DeviceInfoBlock info;
  if (const int read = driver.ReadInfoBlock(info); read != kResultSuccess) {
    return "reading the mouse failed at " + FailedStepText(driver.LastFailedStep(), read);
  }
  if (!info.IsInitialised()) {
    return "the mouse has not been set up by T640 yet: start t640 with the mouse attached first";
  }
  driver.KeepInfo(info);
  if (const int read = driver.ReadConfigImage(info); read != kResultSuccess) {
    return "reading the mouse failed at " + FailedStepText(driver.LastFailedStep(), read);
  }
  FixButtonPlaces(driver, dataFolder, info);
  return {};
}
