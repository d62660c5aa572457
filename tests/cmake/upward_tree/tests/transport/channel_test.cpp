// A transport test may use the virtual devices, not the windows.
#include "sim/simulation.h"
#include "windows/main_wnd/main_wnd.h"
