#pragma once
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_bus/bus_frame.h"
#include "platform/desktop_bus/bus_socket.h"

// The thread behind one window's listening socket. It accepts connections from our own user,
// reads one request frame from each, and hands every well-formed message over; for a send it
// hands over the connection too, for the reply. It never runs message handlers, so it never
// waits on the window's owner. It sleeps in poll until a connection, a byte, a read deadline or
// Stop arrives.
class CBusReceiver {
 public:
  // Called on the receiver thread. `replyTo` is open only when the message awaits a reply.
  using Deliver = std::function<void(DesktopMessage message, CUniqueFd replyTo)>;

  // Connections read at once; more wait in the listen backlog until one finishes.
  static constexpr size_t kMaxInbound = 32;
  // From accepting a connection to the last byte of its frame.
  static constexpr int kInboundReadTimeoutMs = 3000;
  static constexpr int kAcceptPauseMs = 100;

  explicit CBusReceiver(Deliver deliver);
  ~CBusReceiver();
  CBusReceiver(const CBusReceiver&) = delete;
  CBusReceiver& operator=(const CBusReceiver&) = delete;

  // Takes over a non-blocking listening socket.
  bool Start(CUniqueFd listener, std::string& error);
  void Stop();

 private:
  struct Inbound {
    CUniqueFd fd;
    BusDeadline deadline;
    std::vector<uint8_t> bytes;  // the header, then the whole frame once the header is checked
    size_t filled = 0;
    bool haveHeader = false;
    FrameHeader header;
  };
  enum class Progress { Waiting, Finished, Dropped };

  void Run();
  void AcceptWaiting();
  Progress ReadSome(Inbound& inbound);
  int NearestDeadlineMs() const;

  const Deliver deliver_;
  CUniqueFd listener_;
  CUniqueFd stop_;
  std::vector<Inbound> inbound_;  // touched by the receiver thread only
  // After accept fails for want of descriptors the listener stays readable; it is left alone
  // for a while instead of being polled in a tight loop.
  BusDeadline acceptPausedUntil_{};
  std::thread thread_;
};
