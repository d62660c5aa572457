#pragma once

// An eventfd that wakes a thread waiting in poll(): Signal from any thread makes it readable until
// the waiter drains it.
class CWakeEventFd {
 public:
  CWakeEventFd();
  ~CWakeEventFd();
  CWakeEventFd(const CWakeEventFd&) = delete;
  CWakeEventFd& operator=(const CWakeEventFd&) = delete;

  bool IsValid() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  void Signal();
  void Drain();

 private:
  int fd_;
};
