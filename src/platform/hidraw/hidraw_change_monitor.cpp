// Watches the kernel's uevent netlink group for hidraw nodes being added or removed. The "kernel"
// source is used rather than "udev" because it needs no running udev daemon; the price is that an
// event can arrive before udev has set the node's permissions, which only means an open on that
// pass may be refused and is retried on the next.
#include "platform/hidraw/hidraw_change_monitor.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include "platform/debug_output.h"

namespace {

// Bounds one drain, so a storm of events cannot hold the caller.
constexpr int kMaxEventsPerCall = 1024;

}  // namespace

CHidrawChangeMonitor::CHidrawChangeMonitor() : context_(udev_new()) {
  if (!context_) return;
  UdevMonitor monitor(udev_monitor_new_from_netlink(context_.get(), "kernel"));
  if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor.get()) < 0) {
    OutputDebugString("hidraw: no uevent monitor; every scan will enumerate");
    return;
  }
  monitor_ = std::move(monitor);
}

uint64_t CHidrawChangeMonitor::Generation() {
  std::lock_guard guard(lock_);
  if (!monitor_) return ++generation_;
  bool changed = false;
  // The monitor's socket is non-blocking, so this returns null as soon as nothing is waiting.
  for (int i = 0; i < kMaxEventsPerCall; ++i) {
    errno = 0;
    UdevDevice device(udev_monitor_receive_device(monitor_.get()));
    if (!device) {
      // The kernel drops events when the socket's buffer overflows; something did change then.
      if (errno == ENOBUFS) changed = true;
      break;
    }
    changed = true;
  }
  if (changed) ++generation_;
  return generation_;
}

CHidrawChangeMonitor::~CHidrawChangeMonitor() {
  if (!watcher_.joinable()) return;
  const uint64_t one = 1;
  if (write(wakeFd_, &one, sizeof one) != sizeof one) OutputDebugString("hidraw: the uevent watch did not take its end");
  watcher_.join();
  close(wakeFd_);
}

bool CHidrawChangeMonitor::SetListener(std::function<void()> listener) {
  if (!monitor_) return false;
  listener_.Set(std::move(listener));
  std::lock_guard guard(lock_);
  if (!watcher_.joinable()) {
    wakeFd_ = eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) return false;
    watcher_ = std::thread(&CHidrawChangeMonitor::WatchThreadProc, this);
  }
  return true;
}

void CHidrawChangeMonitor::WatchThreadProc() {
  pollfd watched[2] = {{udev_monitor_get_fd(monitor_.get()), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      OutputDebugString("hidraw: the uevent watch failed; changes are seen on the next enumeration");
      return;
    }
    if (watched[1].revents) return;
    if (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return;
    Generation();  // reads what came, so the next poll sleeps again
    listener_.Notify();
  }
}
