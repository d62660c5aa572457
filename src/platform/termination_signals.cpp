#include "platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr unsigned char kStopByte = 0;

// Written by the handler, which may run on any thread at any moment.
std::atomic<int> gWriteEnd{-1};

void OnTerminationSignal(int signal) {
  const int savedErrno = errno;
  const int fd = gWriteEnd.load();
  const unsigned char number = static_cast<unsigned char>(signal);
  if (fd >= 0) {
    [[maybe_unused]] ssize_t written = write(fd, &number, 1);
  }
  errno = savedErrno;
}

}  // namespace

bool CTerminationSignals::Start(std::function<void(int)> request) {
  if (watcher_.joinable()) return false;
  if (pipe2(pipe_, O_CLOEXEC) != 0) return false;
  request_ = std::move(request);
  gWriteEnd = pipe_[1];
  watcher_ = std::thread(&CTerminationSignals::WatchThreadProc, this);
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &action, &previous_[i]);
  return true;
}

void CTerminationSignals::Stop() {
  if (!watcher_.joinable()) return;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  gWriteEnd = -1;
  [[maybe_unused]] ssize_t written = write(pipe_[1], &kStopByte, 1);
  watcher_.join();
  close(pipe_[0]);
  close(pipe_[1]);
  pipe_[0] = pipe_[1] = -1;
}

void CTerminationSignals::WatchThreadProc() {
  for (;;) {
    unsigned char number = 0;
    const ssize_t got = read(pipe_[0], &number, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got != 1 || number == kStopByte) return;
    request_(number);
  }
}
