#pragma once
#include <atomic>

typedef struct _XDisplay Display;

// Xlib reports protocol errors and a broken connection through process-wide handlers whose
// defaults end the program. A connection registered here is handled instead: an error on it sets
// `failed` (a broken connection also `broken`) and the program goes on; errors on every other
// connection still reach the handlers that were installed before.
void RouteX11ErrorsOf(Display* display, std::atomic<bool>* failed, std::atomic<bool>* broken);
void UnrouteX11ErrorsOf(Display* display);
