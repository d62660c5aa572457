#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/desktop_bus/bus_receiver.h"
#include "platform/desktop_bus/bus_socket.h"
#include "platform/desktop_bus/desktop_bus.h"
#include "platform/desktop_bus/desktop_message.h"

// A top-level window's place on the desktop bus: other programs find it by class name and title
// and post or send it messages; it posts, sends and broadcasts with its address as the sender.
//
// Messages arrive on a receiver thread and wait in a queue. The wake callback, called on that
// thread for every message, tells the owner to call DispatchPending on its own thread (the main
// window turns it into a task on the user-interface thread; it must not block). An owner with no
// event loop of its own watches PendingFd, or calls DispatchUntil. DispatchPending runs the
// handler, whose result goes back to the sender of a sent message. Messages from one sender are
// handled in the order it sent them.
//
// Open, Close, DispatchPending, DispatchUntil, Post, Send and Broadcast belong to the owner's
// thread. While Send waits for its answer it runs the handler for messages sent to this
// endpoint (posted ones wait), so two windows that send to each other at once both get their
// answers. Messages sent to another endpoint owned by the same thread are not run meanwhile:
// such a send waits for its time-out.
class CDesktopBusEndpoint {
 public:
  using Handler = std::function<int64_t(const DesktopMessage& message)>;
  using Wake = std::function<void()>;

  CDesktopBusEndpoint(std::string folder, Handler handler, Wake wake = {});
  ~CDesktopBusEndpoint();
  CDesktopBusEndpoint(const CDesktopBusEndpoint&) = delete;
  CDesktopBusEndpoint& operator=(const CDesktopBusEndpoint&) = delete;

  // Creates the folder if needed (bus_folder.h), starts listening and publishes the class name
  // and title (UTF-8, up to kMaxWindowTextBytes each). False with the reason in `error`.
  bool Open(std::string_view className, std::string_view title, std::string& error);
  // Leaves the bus. Messages still queued are dropped; their senders see the connection close.
  void Close();
  bool IsOpen() const { return !address_.empty(); }
  // Empty while closed.
  const std::string& Address() const { return address_; }
  const CDesktopBus& Bus() const { return bus_; }

  // Readable while messages may be waiting; valid for the endpoint's whole life.
  int PendingFd() const { return pending_.Get(); }
  // Handles the messages queued when it was called, oldest first; returns how many.
  size_t DispatchPending();
  // Dispatches as messages arrive until `stopFd` becomes readable.
  void DispatchUntil(int stopFd);

  BusResult Post(const std::string& address, const DesktopMessage& message) const;
  BusResult Send(const std::string& address, const DesktopMessage& message, int timeoutMs, int64_t& result);
  // Posts to every window on the bus but this one, or this one too; returns how many took it.
  size_t Broadcast(const DesktopMessage& message, bool includeSelf = false) const;

 private:
  struct Queued {
    DesktopMessage message;
    CUniqueFd replyTo;
  };

  void OnDelivered(DesktopMessage message, CUniqueFd replyTo);
  void DispatchQueuedSends();
  void Handle(Queued& item);

  const std::string folder_;
  const CDesktopBus bus_;
  const Handler handler_;
  const Wake wake_;
  std::string address_;
  CUniqueFd pending_;       // signalled for every queued message
  CUniqueFd sendArrived_;   // signalled for every queued message that awaits a reply

  std::mutex queueLock_;    // guards queue_, filled by the receiver thread
  std::deque<Queued> queue_;

  CBusReceiver receiver_;   // last: its thread stops before the members it uses go
};
