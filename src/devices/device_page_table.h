#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What each device kind's page needs beyond the device-kind table: its layout, its lighting
// preview size, its key count and whether it shows a battery. Rows run in the order of the
// device-kind table (mouse, keyboard, mouse pad, headset).
struct DevicePageRow {
  std::string_view PageLayoutFile;
  std::string_view LightControlName;
  uint16_t LightEntryCount;
  uint16_t KeyCount;
  bool HasPowerDisplay;
  int MouseExtra;  // handed to the mouse; -1 on every row
};

inline constexpr std::array<DevicePageRow, 4> kDevicePageRows = {{
    {"XML\\DeviceXml\\mousedevice.xml", "orvik_light", 15, 11, true, -1},
    {"XML\\DeviceXml\\keyboarddevice.xml", "orvik_light", 170, 170, false, -1},
    {"XML\\DeviceXml\\mousepaddevice.xml", "orvik_light", 15, 0, false, -1},
    {"XML\\DeviceXml\\ri6533device.xml", "orvik_light", 13, 0, false, -1},
}};

// The row, or null for an index outside the table.
const DevicePageRow* FindDevicePageRow(int kindRowIndex);

// What a device object knows of its kind, set once when it is created (the page table above and
// the device-kind table of transport/supported_devices.h).
struct DeviceKindData {
  std::string pageLayoutFile;
  std::string kindName;  // also the name of the kind's data folder
  std::string lightControlName;
  int kindRowIndex = -1;
  int iconIndex = 0;
  int keyCount = 0;
  int lightEntryCount = 0;
  bool hasPowerDisplay = false;
  int mouseExtra = -1;
};
