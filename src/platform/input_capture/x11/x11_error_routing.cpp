#include "platform/input_capture/x11/x11_error_routing.h"

#include <X11/Xlib.h>

#include <map>
#include <mutex>

namespace {

struct Flags {
  std::atomic<bool>* failed;
  std::atomic<bool>* broken;
};

std::mutex routesLock;
std::map<Display*, Flags>& Routes() {
  static std::map<Display*, Flags> routes;
  return routes;
}
XErrorHandler previousErrorHandler = nullptr;
XIOErrorHandler previousIoErrorHandler = nullptr;

bool MarkRouted(Display* display, bool broken) {
  std::lock_guard lock(routesLock);
  const auto route = Routes().find(display);
  if (route == Routes().end()) return false;
  route->second.failed->store(true);
  if (broken) route->second.broken->store(true);
  return true;
}

int OnProtocolError(Display* display, XErrorEvent* error) {
  if (MarkRouted(display, false)) return 0;
  return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

// For a routed connection this returns, and Xlib then calls the connection's exit handler
// (below) instead of ending the program; the connection stays dead and every later call on it
// returns at once.
int OnConnectionBroken(Display* display) {
  if (MarkRouted(display, true)) return 0;
  return previousIoErrorHandler ? previousIoErrorHandler(display) : 0;
}

void OnConnectionBrokenExit(Display* display, void* /*data*/) { MarkRouted(display, true); }

}  // namespace

void RouteX11ErrorsOf(Display* display, std::atomic<bool>* failed, std::atomic<bool>* broken) {
  static std::once_flag installed;
  std::call_once(installed, [] {
    previousErrorHandler = XSetErrorHandler(OnProtocolError);
    previousIoErrorHandler = XSetIOErrorHandler(OnConnectionBroken);
  });
  {
    std::lock_guard lock(routesLock);
    Routes()[display] = Flags{failed, broken};
  }
  XSetIOErrorExitHandler(display, OnConnectionBrokenExit, nullptr);
}

void UnrouteX11ErrorsOf(Display* display) {
  std::lock_guard lock(routesLock);
  Routes().erase(display);
}
