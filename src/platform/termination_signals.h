#pragma once
#include <csignal>
#include <functional>
#include <thread>

// SIGTERM (a logout, `kill`), SIGINT (Ctrl+C in a terminal) and SIGHUP (the terminal closed) turned
// into a request to end the program in order, instead of the immediate death they cause by
// default. The handler only writes to a pipe; a thread that sleeps on it calls `request` with the
// signal's number, off the user-interface thread. A second signal of a kind finds the default
// action back and ends the program at once, so a hung shutdown can still be interrupted.
class CTerminationSignals {
 public:
  CTerminationSignals() = default;
  ~CTerminationSignals() { Stop(); }
  CTerminationSignals(const CTerminationSignals&) = delete;
  CTerminationSignals& operator=(const CTerminationSignals&) = delete;

  // False (and nothing installed) when the pipe or the thread cannot be made. One instance at a
  // time per process.
  bool Start(std::function<void(int signal)> request);
  // Puts the previous handlers back and ends the thread.
  void Stop();

 private:
  void WatchThreadProc();

  std::function<void(int)> request_;
  struct sigaction previous_[3] = {};
  int pipe_[2] = {-1, -1};
  std::thread watcher_;
};
