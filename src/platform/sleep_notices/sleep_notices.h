#pragma once

#include <functional>
#include <memory>
#include <string>

// Tells the program when the machine is about to suspend and when it has resumed, from
// systemd-logind's PrepareForSleep signal on the D-Bus system bus.
//
// Where there is no system bus or no logind (containers, CI machines, systems without systemd)
// Start() returns false with a reason, and the program simply runs without suspend notices.
//
// Start, Stop and the destructor belong on the user-interface thread, and `onChange` runs there,
// from its event loop. The handler may call Stop() or destroy this object.
class CSleepNotices {
 public:
  // An empty address means the system bus; a D-Bus address ("unix:path=...") selects another
  // bus, which is how tests put a stand-in for logind in front of this class.
  explicit CSleepNotices(std::string busAddress = {});
  ~CSleepNotices();
  CSleepNotices(const CSleepNotices&) = delete;
  CSleepNotices& operator=(const CSleepNotices&) = delete;

  // Subscribes to the notices; `onChange(true)` before a suspend, `onChange(false)` after the
  // resume. Starting again replaces the earlier subscription. False (see FailureReason) when the
  // handler is empty, the bus cannot be reached or logind is not on it.
  bool Start(std::function<void(bool suspending)> onChange);
  void Stop();

  bool IsStarted() const { return subscription_ != nullptr; }
  // Why the last Start() failed, in words for the log; empty after a successful one.
  const std::string& FailureReason() const { return failureReason_; }

 private:
  struct Subscription;

  bool Fail(std::string reason);

  const std::string busAddress_;
  std::unique_ptr<Subscription> subscription_;
  std::string failureReason_;
};
