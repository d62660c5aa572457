#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/desktop_bus/bus_socket.h"
#include "platform/desktop_bus/desktop_message.h"

// One message to one window's socket: the connection, the frame and, for a send, the reply.

BusResult DeliverPost(const std::string& folder, const std::string& address, const DesktopMessage& message,
                      const std::string& sender, BusDeadline deadline);

// While the reply is awaited, `service` runs whenever `serviceFd` (if not -1) becomes readable;
// it must make the descriptor unreadable again.
BusResult DeliverSend(const std::string& folder, const std::string& address, const DesktopMessage& message,
                      const std::string& sender, BusDeadline deadline, int64_t& result, int serviceFd = -1,
                      const std::function<void()>& service = {});

// Posts to every live window but `exceptAddress`, each with its own deadline; returns how many
// took the message.
size_t BroadcastPost(const std::string& folder, const DesktopMessage& message, const std::string& sender,
                     std::string_view exceptAddress, int perWindowTimeoutMs);
