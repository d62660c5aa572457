#include "platform/desktop_bus/desktop_bus.h"

#include "platform/desktop_bus/bus_delivery.h"

CDesktopBus::CDesktopBus(std::string folder) : folder_(std::move(folder)) {}

std::vector<BusWindow> CDesktopBus::ListWindows() const { return ListLiveWindows(folder_); }

std::string CDesktopBus::FindWindow(std::string_view className, std::string_view title) const {
  for (const BusWindow& window : ListLiveWindows(folder_)) {
    if (WindowMatches(window, className, title)) return window.address;
  }
  return {};
}

BusResult CDesktopBus::Post(const std::string& address, const DesktopMessage& message) const {
  return DeliverPost(folder_, address, message, {}, DeadlineAfterMs(kPostTimeoutMs));
}

BusResult CDesktopBus::Send(const std::string& address, const DesktopMessage& message, int timeoutMs,
                            int64_t& result) const {
  return DeliverSend(folder_, address, message, {}, DeadlineAfterMs(timeoutMs), result);
}

size_t CDesktopBus::Broadcast(const DesktopMessage& message, std::string_view exceptAddress) const {
  return BroadcastPost(folder_, message, {}, exceptAddress, kPostTimeoutMs);
}
