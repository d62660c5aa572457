#include "device_stand_in.h"

#include <string_view>

#include "ui/toolkit/horizontal_layout_ui.h"

CControlUI* CDeviceStandInCallback::CreateControl(LPCTSTR pstrClass) {
  const std::string_view tag(pstrClass);
  if (tag.starts_with("Velmar") && tag.ends_with("Device")) return new CHorizontalLayoutUI;
  // The device selector's tile lives with the main window, which previews do not link.
  if (tag == "DeviceOption") return new CHorizontalLayoutUI;
  return nullptr;
}
