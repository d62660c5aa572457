#include "platform/desktop_bus/bus_receiver.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

CBusReceiver::CBusReceiver(Deliver deliver) : deliver_(std::move(deliver)) {}

CBusReceiver::~CBusReceiver() { Stop(); }

bool CBusReceiver::Start(CUniqueFd listener, std::string& error) {
  Stop();
  stop_ = MakeEventFd();
  if (!stop_.Valid()) {
    error = std::string("cannot make the receiver's stop signal: ") + std::strerror(errno);
    return false;
  }
  listener_ = std::move(listener);
  thread_ = std::thread([this] { Run(); });
  return true;
}

void CBusReceiver::Stop() {
  if (thread_.joinable()) {
    SignalEventFd(stop_.Get());
    thread_.join();
  }
  inbound_.clear();
  listener_.Reset();
  stop_.Reset();
}

void CBusReceiver::Run() {
  std::vector<pollfd> watched;
  for (;;) {
    watched.clear();
    watched.push_back({stop_.Get(), POLLIN, 0});
    const bool takeMore = inbound_.size() < kMaxInbound && BusClock::now() >= acceptPausedUntil_;
    watched.push_back({takeMore ? listener_.Get() : -1, POLLIN, 0});
    for (const Inbound& inbound : inbound_) watched.push_back({inbound.fd.Get(), POLLIN, 0});

    const int ready = poll(watched.data(), watched.size(), NearestDeadlineMs());
    if (ready < 0 && errno != EINTR) break;
    if (watched[0].revents != 0) break;

    // Connections accepted below have no slot in `watched` yet, so they are read next time round.
    const size_t polledInbound = inbound_.size();
    for (size_t i = 0; i < polledInbound; ++i) {
      Inbound& inbound = inbound_[i];
      Progress progress = Progress::Waiting;
      if (watched[2 + i].revents != 0) progress = ReadSome(inbound);
      if (progress == Progress::Waiting && BusClock::now() >= inbound.deadline) progress = Progress::Dropped;
      if (progress == Progress::Dropped) inbound.fd.Reset();
    }
    std::erase_if(inbound_, [](const Inbound& inbound) { return !inbound.fd.Valid(); });
    if (watched[1].revents != 0) AcceptWaiting();
  }
}

void CBusReceiver::AcceptWaiting() {
  while (inbound_.size() < kMaxInbound) {
    CUniqueFd fd(accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!fd.Valid()) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        acceptPausedUntil_ = DeadlineAfterMs(kAcceptPauseMs);
      }
      return;  // with EAGAIN the backlog is empty
    }
    if (!PeerIsSameUser(fd.Get())) continue;
    Inbound inbound;
    inbound.fd = std::move(fd);
    inbound.deadline = DeadlineAfterMs(kInboundReadTimeoutMs);
    inbound.bytes.resize(kFrameHeaderBytes);
    inbound_.push_back(std::move(inbound));
  }
}

CBusReceiver::Progress CBusReceiver::ReadSome(Inbound& inbound) {
  for (;;) {
    const ssize_t count = recv(inbound.fd.Get(), inbound.bytes.data() + inbound.filled,
                               inbound.bytes.size() - inbound.filled, 0);
    if (count == 0) return Progress::Dropped;  // the peer went away before its frame was whole
    if (count < 0) {
      if (errno == EINTR) continue;
      return (errno == EAGAIN || errno == EWOULDBLOCK) ? Progress::Waiting : Progress::Dropped;
    }
    inbound.filled += size_t(count);
    if (inbound.filled < inbound.bytes.size()) continue;

    if (!inbound.haveHeader) {
      if (DecodeFrameHeader(inbound.bytes.data(), inbound.header) != HeaderCheck::Ok) return Progress::Dropped;
      if (inbound.header.kind == FrameKind::Reply) return Progress::Dropped;
      inbound.haveHeader = true;
      inbound.bytes.resize(kFrameHeaderBytes + inbound.header.BodyLength());
      if (inbound.filled < inbound.bytes.size()) continue;
    }

    DesktopMessage message;
    if (!DecodeFrameBody(inbound.header, inbound.bytes.data() + kFrameHeaderBytes, message)) return Progress::Dropped;
    CUniqueFd replyTo;
    if (message.awaitsReply) replyTo = std::move(inbound.fd);
    deliver_(std::move(message), std::move(replyTo));
    inbound.fd.Reset();
    return Progress::Finished;
  }
}

int CBusReceiver::NearestDeadlineMs() const {
  const bool acceptPaused = BusClock::now() < acceptPausedUntil_;
  if (inbound_.empty() && !acceptPaused) return -1;
  BusDeadline nearest = acceptPaused ? acceptPausedUntil_ : BusDeadline::max();
  for (const Inbound& inbound : inbound_) nearest = std::min(nearest, inbound.deadline);
  return RemainingMs(nearest);
}
