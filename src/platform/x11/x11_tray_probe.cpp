#include "platform/x11/x11_tray_probe.h"

#include <X11/Xlib.h>

#include <string>

std::optional<bool> X11SystemTrayPresent(const std::string& display) {
  Display* connection = XOpenDisplay(display.empty() ? nullptr : display.c_str());
  if (!connection) return std::nullopt;
  const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(connection));
  const Atom atom = XInternAtom(connection, selection.c_str(), False);
  const bool present = XGetSelectionOwner(connection, atom) != None;
  XCloseDisplay(connection);
  return present;
}
