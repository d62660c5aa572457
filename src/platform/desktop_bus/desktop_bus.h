#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop_bus/desktop_message.h"
#include "platform/desktop_bus/window_directory.h"

// The desktop message bus as seen by a program with no window of its own (scripts, t640-msg):
// find the windows on it and post, send or broadcast to them. A window that also receives uses
// CDesktopBusEndpoint, which offers the same calls with its address as the sender.
//
// The bus lives in one folder (bus_folder.h) that the caller hands in. Every call is safe from
// any thread; none runs a message handler.
class CDesktopBus {
 public:
  static constexpr int kPostTimeoutMs = 2000;

  explicit CDesktopBus(std::string folder);

  const std::string& Folder() const { return folder_; }

  std::vector<BusWindow> ListWindows() const;
  // The address of a window with this class name and title (empty: any; letter case of ASCII
  // ignored), or empty when none is on the bus. With several matches, the one with the lowest
  // address.
  std::string FindWindow(std::string_view className, std::string_view title) const;

  // Queues the message at the window and returns without waiting for it to be handled.
  BusResult Post(const std::string& address, const DesktopMessage& message) const;
  // Waits up to `timeoutMs` for the window's handler to return; its result goes to `result`.
  BusResult Send(const std::string& address, const DesktopMessage& message, int timeoutMs, int64_t& result) const;
  // Posts to every window on the bus except `exceptAddress`; returns how many took it.
  size_t Broadcast(const DesktopMessage& message, std::string_view exceptAddress = {}) const;

 private:
  const std::string folder_;
};
