#pragma once

#include <QObject>

#include <functional>

// The object Qt D-Bus delivers logind's PrepareForSleep signal to. It lives on the thread that
// created it, so the handler runs there.
class CPrepareForSleepReceiver : public QObject {
  Q_OBJECT

 public:
  explicit CPrepareForSleepReceiver(std::function<void(bool suspending)> onChange);

  // Drops the handler: a signal already queued for this object is then ignored.
  void Detach() { onChange_ = nullptr; }
  // True while the handler runs; the owner must not delete the object then.
  bool IsDelivering() const { return delivering_; }

 public Q_SLOTS:
  void OnPrepareForSleep(bool start);

 private:
  std::function<void(bool suspending)> onChange_;
  bool delivering_ = false;
};
