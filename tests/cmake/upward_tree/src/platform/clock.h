// A platform header that reaches up into the devices.
#include "devices/velmar_usb_device.h"
