#pragma once
#include <functional>
#include <mutex>

// The one function a backend calls when its interfaces may have come or gone. Setting it to
// nothing waits for a call in progress, so a listener that goes away is never called afterwards.
class CHidChangeListener {
 public:
  void Set(std::function<void()> listener) {
    std::lock_guard guard(mutex_);
    listener_ = std::move(listener);
  }
  void Notify() {
    std::lock_guard guard(mutex_);
    if (listener_) listener_();
  }

 private:
  std::mutex mutex_;
  std::function<void()> listener_;
};
