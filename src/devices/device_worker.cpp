#include "devices/device_worker.h"

#include <utility>

void CDeviceWorker::Start(std::function<void(CEvent& stop)> body) {
  Stop();
  stop_.Reset();
  thread_ = std::thread([this, body = std::move(body)] { body(stop_); });
}

void CDeviceWorker::Stop(const std::function<void()>& release) {
  if (!thread_.joinable()) return;
  stop_.Set();
  if (release) release();
  thread_.join();
}
