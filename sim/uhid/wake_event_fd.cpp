#include "sim/uhid/wake_event_fd.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

CWakeEventFd::CWakeEventFd() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CWakeEventFd::~CWakeEventFd() {
  if (fd_ >= 0) close(fd_);
}

void CWakeEventFd::Signal() {
  const uint64_t one = 1;
  while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void CWakeEventFd::Drain() {
  uint64_t count = 0;
  while (read(fd_, &count, sizeof count) < 0 && errno == EINTR) {
  }
}
