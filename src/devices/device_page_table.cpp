#include "devices/device_page_table.h"

const DevicePageRow* FindDevicePageRow(int kindRowIndex) {
  if (kindRowIndex < 0 || static_cast<size_t>(kindRowIndex) >= kDevicePageRows.size()) return nullptr;
  return &kDevicePageRows[static_cast<size_t>(kindRowIndex)];
}
