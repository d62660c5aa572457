// The driver must not touch the toolkit; its block codecs and the transport it may.
#include "devices/mouse/settings_page.h"
#include "transport/usb_command_channel.h"
#include "ui/toolkit/controls/slider_ui.h"
