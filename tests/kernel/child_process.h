#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A program the tools check runs, with standard output and error collected through one pipe.
// Started as root or as the VM's plain user `player` (uid and gid 1000, the user the harness runs
// unprivileged programs as). A child still running when the object goes is killed.
class CChildProcess {
 public:
  static constexpr uid_t kPlayerId = 1000;

  CChildProcess() = default;
  ~CChildProcess();
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;

  bool Start(const std::vector<std::string>& argv, bool asPlayer);
  // Collects output until it contains `text`; false when the time is up or the output ended first.
  bool WaitForOutput(const std::string& text, uint32_t timeoutMs);
  // Collects the rest of the output and the exit status; nullopt (and the child killed) when it
  // does not end in time. A child killed by a signal reports 128 + the signal number.
  std::optional<int> WaitForExit(uint32_t timeoutMs);
  void Signal(int signalNumber);
  const std::string& Output() const { return output_; }

 private:
  // Reads what is there within the time; false once the pipe is closed or the time is up.
  bool ReadSome(uint64_t deadlineMs);

  pid_t pid_ = -1;
  int pipe_ = -1;
  std::string output_;
};

// Runs a program to its end; the output and exit status, or nullopt when it did not end in time.
struct ChildResult {
  int status = -1;
  std::string output;
};
std::optional<ChildResult> RunChild(const std::vector<std::string>& argv, bool asPlayer, uint32_t timeoutMs);
