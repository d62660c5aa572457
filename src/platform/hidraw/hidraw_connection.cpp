// Report transfers on one top-level collection of a hidraw node.
//
// The kernel gives every open file of a node one queue of 63 input reports (a ring of 64 slots)
// and drops the NEWEST report when that queue is full. A mouse's pointer and keyboard collections share the node with
// its command collection, so a command reply could be dropped behind a burst of pointer reports.
// Before every read and write this connection therefore empties the node into a small queue of
// its own that keeps only this collection's reports. When the descriptor has no report ids, each
// report gets a 0 byte in front, so callers see the Windows layout either way.
//
// Waits use poll() on the node and on an eventfd that Abort makes readable, so Abort from another
// thread ends any wait at once. The node's descriptor is closed only in the destructor: a reader
// that still holds the connection never touches a descriptor number the process has reused.
//
// What Linux does not offer: a write to hidraw goes to the device synchronously inside the
// kernel (on USB, bounded by the kernel's own 5-second limit), so the time-out and Abort cover
// waiting for the node to take the write, not the transfer itself. The exclusive and overlapped
// open flags have no meaning here.
#include "platform/hidraw/hidraw_connection.h"

#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/clock.h"
#include "platform/event.h"

#ifndef HIDIOCSOUTPUT
#define HIDIOCSOUTPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0B, len)
#endif

namespace {

// The longest report hidraw hands out (the kernel's HID_MAX_BUFFER_SIZE).
constexpr size_t kMaxReportBytes = 16384;
// Bounds one drain, so a device that streams reports faster than we read cannot hold it forever.
constexpr int kMaxReadsPerDrain = 256;
// The ioctl's size field holds 14 bits.
constexpr size_t kMaxIoctlReportBytes = 16383;
// When the kernel has no HIDIOCSOUTPUT the report goes as a plain write, with the same limit the
// kernel puts on a control transfer.
constexpr uint32_t kSetOutputFallbackTimeoutMs = 5000;

}  // namespace

std::shared_ptr<CHidrawConnection> CHidrawConnection::Create(int fd, const HidAttributes& attributes,
                                                             const HidCaps& caps, HidrawReportRouting routing) {
  int abortFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (abortFd < 0) {
    close(fd);
    return nullptr;
  }
  return std::shared_ptr<CHidrawConnection>(new CHidrawConnection(fd, abortFd, attributes, caps, std::move(routing)));
}

CHidrawConnection::CHidrawConnection(int fd, int abortFd, const HidAttributes& attributes, const HidCaps& caps,
                                     HidrawReportRouting routing)
    : fd_(fd), abortFd_(abortFd), attributes_(attributes), caps_(caps), routing_(std::move(routing)),
      scratch_(kMaxReportBytes) {}

CHidrawConnection::~CHidrawConnection() {
  close(fd_);
  close(abortFd_);
}

HidIoStatus CHidrawConnection::Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!buffer) return HidIoStatus::Failed;
  const bool unlimited = timeoutMs == kInfiniteWait;
  const uint64_t deadline = unlimited ? 0 : GetTickCountMs() + timeoutMs;
  for (;;) {
    if (aborted_.load()) return HidIoStatus::Aborted;
    {
      std::lock_guard guard(queueLock_);
      DrainLocked();
      if (!queue_.empty()) {
        const std::vector<uint8_t> report = std::move(queue_.front());
        queue_.pop_front();
        const size_t count = std::min(length, report.size());
        std::copy_n(report.begin(), count, buffer);
        if (bytesRead) *bytesRead = count;
        return HidIoStatus::Ok;
      }
      if (gone_) return HidIoStatus::Failed;
    }
    switch (WaitFor(POLLIN, deadline, unlimited)) {
      case WaitResult::Ready:
        break;
      case WaitResult::HungUp: {
        // A reply that arrived just before the device went is still delivered; the next read fails.
        std::lock_guard guard(queueLock_);
        DrainLocked();
        if (queue_.empty()) gone_ = true;
        break;
      }
      case WaitResult::TimedOut:
        return HidIoStatus::TimedOut;
      case WaitResult::Aborted:
        return HidIoStatus::Aborted;
      case WaitResult::Failed:
        return HidIoStatus::Failed;
    }
  }
}

HidIoStatus CHidrawConnection::Write(const uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesWritten) {
  if (bytesWritten) *bytesWritten = 0;
  if (!buffer || length == 0) return HidIoStatus::Failed;
  const bool unlimited = timeoutMs == kInfiniteWait;
  const uint64_t deadline = unlimited ? 0 : GetTickCountMs() + timeoutMs;
  if (aborted_.load()) return HidIoStatus::Aborted;
  {
    // Empties the kernel's queue now, so the reply to this write finds room in it.
    std::lock_guard guard(queueLock_);
    if (!DrainLocked()) return HidIoStatus::Failed;
  }
  for (;;) {
    if (aborted_.load()) return HidIoStatus::Aborted;
    ssize_t count = write(fd_, buffer, length);
    if (count >= 0) {
      if (bytesWritten) *bytesWritten = static_cast<size_t>(count);
      return HidIoStatus::Ok;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return HidIoStatus::Failed;
    switch (WaitFor(POLLOUT, deadline, unlimited)) {
      case WaitResult::Ready:
        break;
      case WaitResult::TimedOut:
        return HidIoStatus::TimedOut;
      case WaitResult::Aborted:
        return HidIoStatus::Aborted;
      case WaitResult::HungUp:
      case WaitResult::Failed:
        return HidIoStatus::Failed;
    }
  }
}

bool CHidrawConnection::SetOutputReport(const uint8_t* buffer, size_t length) {
  if (!buffer || length == 0 || length > kMaxIoctlReportBytes || aborted_.load()) return false;
  {
    std::lock_guard guard(queueLock_);
    if (!DrainLocked()) return false;
  }
  // The ioctl is declared read-write, so it gets a copy it may scribble on.
  std::vector<uint8_t> report(buffer, buffer + length);
  int result;
  do {
    result = ioctl(fd_, HIDIOCSOUTPUT(length), report.data());
  } while (result < 0 && errno == EINTR);
  if (result >= 0) return true;
  // Kernels before 5.11 know no HIDIOCSOUTPUT; hidraw then sends the report on the interrupt pipe.
  if (errno == ENOTTY || errno == EINVAL || errno == ENOSYS) {
    return Write(buffer, length, kSetOutputFallbackTimeoutMs, nullptr) == HidIoStatus::Ok;
  }
  return false;
}

void CHidrawConnection::FlushInput() {
  std::lock_guard guard(queueLock_);
  DrainLocked();
  queue_.clear();
}

void CHidrawConnection::Abort() {
  aborted_.store(true);
  const uint64_t one = 1;
  while (write(abortFd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

bool CHidrawConnection::DrainLocked() {
  if (gone_) return false;
  for (int i = 0; i < kMaxReadsPerDrain; ++i) {
    ssize_t count = read(fd_, scratch_.data(), scratch_.size());
    if (count > 0) {
      KeepIfOurs(scratch_.data(), static_cast<size_t>(count));
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    // hidraw answers EIO once its device is unplugged; a socket standing in for it reads 0 bytes.
    gone_ = true;
    return false;
  }
  return true;
}

void CHidrawConnection::KeepIfOurs(const uint8_t* report, size_t size) {
  if (routing_.usesReportIds) {
    if (std::find(routing_.inputReportIds.begin(), routing_.inputReportIds.end(), report[0]) ==
        routing_.inputReportIds.end()) {
      return;
    }
    queue_.emplace_back(report, report + size);
  } else {
    std::vector<uint8_t> framed(size + 1, 0);
    std::copy_n(report, size, framed.begin() + 1);
    queue_.push_back(std::move(framed));
  }
  if (queue_.size() > kMaxQueuedReports) queue_.pop_front();
}

CHidrawConnection::WaitResult CHidrawConnection::WaitFor(short events, uint64_t deadlineMs, bool unlimited) {
  for (;;) {
    int timeout = -1;
    if (!unlimited) {
      const uint64_t now = GetTickCountMs();
      if (now >= deadlineMs) return WaitResult::TimedOut;
      timeout = static_cast<int>(std::min<uint64_t>(deadlineMs - now, INT_MAX));
    }
    pollfd watched[2] = {{fd_, events, 0}, {abortFd_, POLLIN, 0}};
    int ready = poll(watched, 2, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitResult::Failed;
    }
    if (watched[1].revents != 0) return WaitResult::Aborted;
    if (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return WaitResult::HungUp;
    if (watched[0].revents & events) return WaitResult::Ready;
    // poll's time-out ran out; the clock above decides whether the caller's has.
  }
}
