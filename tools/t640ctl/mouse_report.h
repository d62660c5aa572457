#pragma once
#include <json/json.h>

#include "tools/t640ctl/mouse_read.h"
#include "transport/supported_devices.h"

// The JSON record of one mouse read, as `t640ctl info` prints it.
Json::Value MouseReportJson(const DeviceEntry& slot, const HidAttributes& attributes, const MouseReadResult& read);
