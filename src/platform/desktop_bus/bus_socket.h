#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// Small POSIX pieces the bus is built from: an owned descriptor, deadlines, Unix-socket connect,
// whole-buffer reads and writes that give up at a deadline, and eventfd signals.

class CUniqueFd {
 public:
  CUniqueFd() = default;
  explicit CUniqueFd(int fd) : fd_(fd) {}
  ~CUniqueFd() { Reset(); }
  CUniqueFd(CUniqueFd&& other) noexcept : fd_(other.Release()) {}
  CUniqueFd& operator=(CUniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  CUniqueFd(const CUniqueFd&) = delete;
  CUniqueFd& operator=(const CUniqueFd&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void Reset(int fd = -1);

 private:
  int fd_ = -1;
};

using BusClock = std::chrono::steady_clock;
using BusDeadline = BusClock::time_point;

BusDeadline DeadlineAfterMs(int64_t milliseconds);
// Milliseconds left, 0 once passed, for poll; capped so it fits an int.
int RemainingMs(BusDeadline deadline);

// Longest socket path a sockaddr_un holds, without its terminating zero.
size_t MaxSocketPathLength();

enum class ConnectResult { Connected, NoListener, Missing, TimedOut, Failed };

// A non-blocking connection to the listening socket at `path`. NoListener is the mark of a socket
// left behind by a process that died: the file is there and nobody accepts on it.
ConnectResult ConnectToSocket(const std::string& path, BusDeadline deadline, CUniqueFd& connection);

// The peer's effective user id, taken when it connected, is ours.
bool PeerIsSameUser(int fd);

enum class IoResult { Done, Closed, TimedOut, Failed };

// Whole-buffer transfer on a non-blocking socket, waiting in poll up to the deadline.
IoResult WriteAll(int fd, const uint8_t* bytes, size_t length, BusDeadline deadline);
IoResult ReadExactly(int fd, uint8_t* bytes, size_t length, BusDeadline deadline);

// An eventfd used as a level-triggered flag: Signal makes it readable, Clear empties it.
CUniqueFd MakeEventFd();
void SignalEventFd(int fd);
void ClearEventFd(int fd);
