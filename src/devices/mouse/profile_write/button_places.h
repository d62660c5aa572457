#pragma once
#include <string>

#include "devices/mouse/device_info_block.h"
#include "devices/mouse/driver/mouse_driver.h"

// After the button image was read: the places the factory search found hold only until a button
// is reassigned, so the places kept in the kind's data folder (button_map_memory.h) win, and new
// ones are kept for the next read. `folder` ends with '/'.
void FixButtonPlaces(CMouseDriver& driver, const std::string& folder, const DeviceInfoBlock& info);
