#pragma once
#include <memory>
#include <string>

#include "platform/hid/hid_backend.h"

// The HID backend a program runs on: the machine's hidraw devices, or the virtual devices of a
// --simulate list (which then live as long as the returned backend). Null with a one-line reason
// when the list is malformed. With `acceptFirmwareUpdates` a virtual mouse can be updated by the
// stand-in firmware updater over the desktop bus (sim/firmware_flash_listener.h).
std::shared_ptr<IHidBackend> MakeHidBackend(bool simulate, const std::string& simulateList, std::string* error,
                                            bool acceptFirmwareUpdates = false);
