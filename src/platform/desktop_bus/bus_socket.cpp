#include "platform/desktop_bus/bus_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

void CUniqueFd::Reset(int fd) {
  if (fd_ >= 0) close(fd_);
  fd_ = fd;
}

BusDeadline DeadlineAfterMs(int64_t milliseconds) {
  return BusClock::now() + std::chrono::milliseconds(std::max<int64_t>(milliseconds, 0));
}

int RemainingMs(BusDeadline deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - BusClock::now()).count();
  return int(std::clamp<int64_t>(left, 0, INT_MAX));
}

size_t MaxSocketPathLength() { return sizeof(sockaddr_un::sun_path) - 1; }

ConnectResult ConnectToSocket(const std::string& path, BusDeadline deadline, CUniqueFd& connection) {
  if (path.size() > MaxSocketPathLength()) return ConnectResult::Failed;
  const int timeoutMs = RemainingMs(deadline);
  if (timeoutMs == 0) return ConnectResult::TimedOut;
  CUniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.Valid()) return ConnectResult::Failed;

  // A connect to a listener whose backlog is full waits, and only the send time-out bounds that
  // wait; connecting without blocking would instead have to retry in a loop.
  timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  setsockopt(fd.Get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    switch (errno) {
      case ECONNREFUSED: return ConnectResult::NoListener;
      case ENOENT: return ConnectResult::Missing;
      case EAGAIN:
      case EINPROGRESS: return ConnectResult::TimedOut;
      default: return ConnectResult::Failed;
    }
  }
  if (fcntl(fd.Get(), F_SETFL, fcntl(fd.Get(), F_GETFL) | O_NONBLOCK) != 0) return ConnectResult::Failed;
  connection = std::move(fd);
  return ConnectResult::Connected;
}

bool PeerIsSameUser(int fd) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials) return false;
  return credentials.uid == geteuid();
}

namespace {

// Waits until `fd` is ready for `events`. Done when ready (or hung up: the next call reports it).
IoResult WaitReady(int fd, short events, BusDeadline deadline) {
  for (;;) {
    pollfd watched{fd, events, 0};
    const int ready = poll(&watched, 1, RemainingMs(deadline));
    if (ready > 0) return IoResult::Done;
    if (ready == 0) return IoResult::TimedOut;
    if (errno != EINTR) return IoResult::Failed;
  }
}

}  // namespace

IoResult WriteAll(int fd, const uint8_t* bytes, size_t length, BusDeadline deadline) {
  size_t written = 0;
  while (written < length) {
    const ssize_t count = send(fd, bytes + written, length - written, MSG_NOSIGNAL);
    if (count > 0) {
      written += size_t(count);
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const IoResult waited = WaitReady(fd, POLLOUT, deadline);
      if (waited != IoResult::Done) return waited;
      continue;
    }
    return (count < 0 && (errno == EPIPE || errno == ECONNRESET)) ? IoResult::Closed : IoResult::Failed;
  }
  return IoResult::Done;
}

IoResult ReadExactly(int fd, uint8_t* bytes, size_t length, BusDeadline deadline) {
  size_t taken = 0;
  while (taken < length) {
    const ssize_t count = recv(fd, bytes + taken, length - taken, 0);
    if (count > 0) {
      taken += size_t(count);
      continue;
    }
    if (count == 0) return IoResult::Closed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      const IoResult waited = WaitReady(fd, POLLIN, deadline);
      if (waited != IoResult::Done) return waited;
      continue;
    }
    return errno == ECONNRESET ? IoResult::Closed : IoResult::Failed;
  }
  return IoResult::Done;
}

CUniqueFd MakeEventFd() { return CUniqueFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)); }

void SignalEventFd(int fd) {
  const uint64_t one = 1;
  // A full counter (never reached in practice) still leaves the descriptor readable.
  [[maybe_unused]] const ssize_t ignored = write(fd, &one, sizeof one);
}

void ClearEventFd(int fd) {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t ignored = read(fd, &count, sizeof count);
}
