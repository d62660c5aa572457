#include "platform/desktop_bus/desktop_bus_endpoint.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/desktop_bus/bus_delivery.h"
#include "platform/desktop_bus/bus_folder.h"
#include "platform/desktop_bus/window_directory.h"

namespace {

constexpr int kListenBacklog = 64;
constexpr int kBindAttempts = 4;

// "<pid>-<endpoint number in this process>-<random>": unique while the process lives, and the
// random part keeps a reused pid from meeting a leftover of its earlier owner.
std::string MakeAddress() {
  static std::atomic<uint32_t> nextNumber{1};
  std::random_device random;
  char text[48];
  std::snprintf(text, sizeof text, "%ld-%u-%08x", long(getpid()), unsigned(nextNumber++), unsigned(random()));
  return text;
}

bool IsValidWindowText(std::string_view text) { return text.size() <= kMaxWindowTextBytes && IsValidUtf8(text); }

}  // namespace

CDesktopBusEndpoint::CDesktopBusEndpoint(std::string folder, Handler handler, Wake wake)
    : folder_(std::move(folder)),
      bus_(folder_),
      handler_(std::move(handler)),
      wake_(std::move(wake)),
      pending_(MakeEventFd()),
      sendArrived_(MakeEventFd()),
      receiver_([this](DesktopMessage message, CUniqueFd replyTo) {
        OnDelivered(std::move(message), std::move(replyTo));
      }) {}

CDesktopBusEndpoint::~CDesktopBusEndpoint() { Close(); }

bool CDesktopBusEndpoint::Open(std::string_view className, std::string_view title, std::string& error) {
  if (IsOpen()) {
    error = "this window is already on the message bus";
    return false;
  }
  if (!pending_.Valid() || !sendArrived_.Valid()) {
    error = "cannot make the message bus signals";
    return false;
  }
  if (!IsValidWindowText(className) || !IsValidWindowText(title)) {
    error = "a window's class name and title must be UTF-8 of at most " + std::to_string(kMaxWindowTextBytes) +
            " bytes";
    return false;
  }
  if (!PrepareDesktopBusFolder(folder_, error)) return false;

  std::string address;
  CUniqueFd listener;
  for (int attempt = 0; attempt < kBindAttempts && !listener.Valid(); ++attempt) {
    address = MakeAddress();
    const std::string path = WindowSocketPath(folder_, address);
    if (path.size() > MaxSocketPathLength()) {
      error = "the message bus folder " + folder_ + " is too long a path for a socket (at most " +
              std::to_string(MaxSocketPathLength() - (path.size() - folder_.size())) + " bytes)";
      return false;
    }
    CUniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    std::memcpy(socketAddress.sun_path, path.data(), path.size());
    if (!fd.Valid() || bind(fd.Get(), reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress) != 0) {
      if (fd.Valid() && errno == EADDRINUSE) continue;
      error = "cannot create the socket " + path + ": " + std::strerror(errno);
      return false;
    }
    if (listen(fd.Get(), kListenBacklog) != 0) {
      error = "cannot listen on the socket " + path + ": " + std::strerror(errno);
      unlink(path.c_str());
      return false;
    }
    listener = std::move(fd);
  }
  if (!listener.Valid()) {
    error = "cannot find a free socket name in " + folder_;
    return false;
  }
  if (!receiver_.Start(std::move(listener), error)) {
    RemoveWindowFiles(folder_, address);
    return false;
  }
  if (!WriteWindowRecord(folder_, BusWindow{address, std::string(className), std::string(title)}, error)) {
    receiver_.Stop();
    RemoveWindowFiles(folder_, address);
    return false;
  }
  address_ = address;
  return true;
}

void CDesktopBusEndpoint::Close() {
  if (!IsOpen()) return;
  RemoveWindowFiles(folder_, address_);
  receiver_.Stop();
  {
    std::lock_guard guard(queueLock_);
    queue_.clear();
  }
  ClearEventFd(pending_.Get());
  ClearEventFd(sendArrived_.Get());
  address_.clear();
}

void CDesktopBusEndpoint::OnDelivered(DesktopMessage message, CUniqueFd replyTo) {
  const bool awaitsReply = message.awaitsReply;
  {
    std::lock_guard guard(queueLock_);
    queue_.push_back(Queued{std::move(message), std::move(replyTo)});
  }
  SignalEventFd(pending_.Get());
  if (awaitsReply) SignalEventFd(sendArrived_.Get());
  if (wake_) wake_();
}

size_t CDesktopBusEndpoint::DispatchPending() {
  // Cleared before looking at the queue, so a message queued from here on signals again.
  ClearEventFd(pending_.Get());
  size_t budget = 0;
  {
    std::lock_guard guard(queueLock_);
    budget = queue_.size();
  }
  size_t handled = 0;
  while (handled < budget) {
    Queued item;
    {
      std::lock_guard guard(queueLock_);
      if (queue_.empty()) break;
      item = std::move(queue_.front());
      queue_.pop_front();
    }
    Handle(item);
    ++handled;
  }
  return handled;
}

void CDesktopBusEndpoint::DispatchQueuedSends() {
  ClearEventFd(sendArrived_.Get());
  for (;;) {
    Queued item;
    {
      std::lock_guard guard(queueLock_);
      auto sent = std::find_if(queue_.begin(), queue_.end(), [](const Queued& q) { return q.message.awaitsReply; });
      if (sent == queue_.end()) return;
      item = std::move(*sent);
      queue_.erase(sent);
    }
    Handle(item);
  }
}

void CDesktopBusEndpoint::Handle(Queued& item) {
  const int64_t result = handler_ ? handler_(item.message) : 0;
  if (!item.replyTo.Valid()) return;
  // A fresh connection's send buffer always has room for one reply; a sender that gave up has
  // closed its end, and the reply is dropped.
  const std::vector<uint8_t> reply = EncodeReplyFrame(result);
  [[maybe_unused]] const ssize_t ignored =
      send(item.replyTo.Get(), reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void CDesktopBusEndpoint::DispatchUntil(int stopFd) {
  for (;;) {
    pollfd watched[2] = {{stopFd, POLLIN, 0}, {pending_.Get(), POLLIN, 0}};
    if (poll(watched, 2, -1) < 0 && errno != EINTR) return;
    if (watched[0].revents != 0) return;
    if (watched[1].revents != 0) DispatchPending();
  }
}

BusResult CDesktopBusEndpoint::Post(const std::string& address, const DesktopMessage& message) const {
  return DeliverPost(folder_, address, message, address_, DeadlineAfterMs(CDesktopBus::kPostTimeoutMs));
}

BusResult CDesktopBusEndpoint::Send(const std::string& address, const DesktopMessage& message, int timeoutMs,
                                    int64_t& result) {
  return DeliverSend(folder_, address, message, address_, DeadlineAfterMs(timeoutMs), result, sendArrived_.Get(),
                     [this] { DispatchQueuedSends(); });
}

size_t CDesktopBusEndpoint::Broadcast(const DesktopMessage& message, bool includeSelf) const {
  return BroadcastPost(folder_, message, address_, includeSelf ? std::string_view() : std::string_view(address_),
                       CDesktopBus::kPostTimeoutMs);
}
