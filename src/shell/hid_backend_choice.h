#pragma once
#include <memory>
#include <string>

#include "platform/hid/hid_backend.h"

// The HID backend a program runs on: the machine's hidraw devices, or the virtual devices of a
// --simulate list (which then live as long as the returned backend). Null with a one-line reason
// when the list is malformed.
std::shared_ptr<IHidBackend> MakeHidBackend(bool simulate, const std::string& simulateList, std::string* error);
