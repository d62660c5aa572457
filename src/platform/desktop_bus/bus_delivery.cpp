#include "platform/desktop_bus/bus_delivery.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "platform/desktop_bus/bus_frame.h"
#include "platform/desktop_bus/window_directory.h"

namespace {

BusResult Connect(const std::string& folder, const std::string& address, BusDeadline deadline, CUniqueFd& fd) {
  // The address becomes a file name; anything but an address could point outside the folder.
  if (!IsValidBusAddress(address)) return BusResult::NoSuchWindow;
  switch (ConnectToSocket(WindowSocketPath(folder, address), deadline, fd)) {
    case ConnectResult::Connected:
      return PeerIsSameUser(fd.Get()) ? BusResult::Ok : BusResult::Failed;
    case ConnectResult::NoListener:
    case ConnectResult::Missing:
      RemoveWindowFiles(folder, address);
      return BusResult::NoSuchWindow;
    case ConnectResult::TimedOut: return BusResult::TimedOut;
    case ConnectResult::Failed: break;
  }
  return BusResult::Failed;
}

BusResult FromIo(IoResult io) {
  switch (io) {
    case IoResult::Done: return BusResult::Ok;
    case IoResult::TimedOut: return BusResult::TimedOut;
    case IoResult::Closed:
    case IoResult::Failed: break;
  }
  return BusResult::Failed;
}

BusResult Request(const std::string& folder, const std::string& address, FrameKind kind,
                  const DesktopMessage& message, const std::string& sender, BusDeadline deadline, CUniqueFd& fd) {
  if (!IsValidMessage(message) || (!sender.empty() && !IsValidBusAddress(sender))) return BusResult::BadMessage;
  const BusResult connected = Connect(folder, address, deadline, fd);
  if (connected != BusResult::Ok) return connected;
  const std::vector<uint8_t> frame = EncodeRequestFrame(kind, message, sender);
  return FromIo(WriteAll(fd.Get(), frame.data(), frame.size(), deadline));
}

}  // namespace

BusResult DeliverPost(const std::string& folder, const std::string& address, const DesktopMessage& message,
                      const std::string& sender, BusDeadline deadline) {
  CUniqueFd fd;
  return Request(folder, address, FrameKind::Post, message, sender, deadline, fd);
}

BusResult DeliverSend(const std::string& folder, const std::string& address, const DesktopMessage& message,
                      const std::string& sender, BusDeadline deadline, int64_t& result, int serviceFd,
                      const std::function<void()>& service) {
  CUniqueFd fd;
  const BusResult requested = Request(folder, address, FrameKind::Send, message, sender, deadline, fd);
  if (requested != BusResult::Ok) return requested;

  uint8_t reply[kFrameHeaderBytes];
  size_t filled = 0;
  for (;;) {
    pollfd watched[2] = {{fd.Get(), POLLIN, 0}, {serviceFd, POLLIN, 0}};
    const int ready = poll(watched, serviceFd >= 0 ? 2 : 1, RemainingMs(deadline));
    if (ready < 0 && errno != EINTR) return BusResult::Failed;
    if (serviceFd >= 0 && watched[1].revents != 0 && service) service();
    if (watched[0].revents != 0) {
      const ssize_t count = recv(fd.Get(), reply + filled, sizeof reply - filled, 0);
      if (count == 0) return BusResult::Failed;  // the window closed without answering
      if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return BusResult::Failed;
      if (count > 0) filled += size_t(count);
      if (filled == sizeof reply) {
        FrameHeader header;
        if (DecodeFrameHeader(reply, header) != HeaderCheck::Ok || header.kind != FrameKind::Reply) {
          return BusResult::Failed;
        }
        result = header.wParam;
        return BusResult::Ok;
      }
    }
    if (BusClock::now() >= deadline) return BusResult::TimedOut;
  }
}

size_t BroadcastPost(const std::string& folder, const DesktopMessage& message, const std::string& sender,
                     std::string_view exceptAddress, int perWindowTimeoutMs) {
  if (!IsValidMessage(message)) return 0;
  size_t delivered = 0;
  for (const BusWindow& window : ListLiveWindows(folder)) {
    if (window.address == exceptAddress) continue;
    if (DeliverPost(folder, window.address, message, sender, DeadlineAfterMs(perWindowTimeoutMs)) == BusResult::Ok) {
      ++delivered;
    }
  }
  return delivered;
}
