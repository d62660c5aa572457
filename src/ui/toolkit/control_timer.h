#pragma once
// A repeating Qt timer owned by the toolkit (internal). Killing one from inside its own timeout
// is allowed: the QTimer is stopped at once and deleted later by the event loop.
#include <QTimer>
#include <functional>

class CControlTimer {
 public:
  CControlTimer(unsigned intervalMs, std::function<void()> fire) : timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, std::move(fire));
    timer_->start(int(intervalMs));
  }
  ~CControlTimer() {
    timer_->stop();
    timer_->deleteLater();
  }
  CControlTimer(const CControlTimer&) = delete;
  CControlTimer& operator=(const CControlTimer&) = delete;

 private:
  QTimer* timer_;
};
