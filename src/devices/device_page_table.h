#pragma once

#include <array>
#include <cstdint>
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
