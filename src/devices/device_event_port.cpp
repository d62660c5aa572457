#include "devices/device_event_port.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/debug_output.h"

namespace {

// After a failed read (the interface is going away) the listener waits this long before trying
// again, so a dead port costs nothing until it is detached.
constexpr uint32_t kFailedReadPauseMs = 100;

}  // namespace

bool CDeviceEventPort::Attach(const std::string& path, ReportHandler handler, std::string exitTrace) {
  Detach();
  {
    std::lock_guard<std::mutex> guard(lock_);
    port_.Close();
    if (!port_.Open(path, true, true, true, false)) return false;
    open_.store(true);
  }
  listener_.Start([this, handler = std::move(handler), exitTrace = std::move(exitTrace)](CEvent& stop) {
    Listen(stop, handler, exitTrace);
  });
  return true;
}

void CDeviceEventPort::Detach() {
  listener_.Stop([this] { port_.Close(); });
  std::lock_guard<std::mutex> guard(lock_);
  open_.store(false);
  port_.Close();
}

void CDeviceEventPort::Listen(CEvent& stop, const ReportHandler& handler, const std::string& exitTrace) {
  std::array<uint8_t, CHidDevice::kInputBufferCapacity> report{};
  while (!stop.IsSet()) {
    const uint32_t length = std::min<uint32_t>(port_.GetCaps().InputReportByteLength, report.size());
    uint32_t received = 0;
    if (!open_.load() || length == 0 || !port_.ReadReport(report.data(), length, &received, kInfiniteWait)) {
      clock_.WaitMs(stop, kFailedReadPauseMs);
      continue;
    }
    if (stop.IsSet()) break;
    handler(report.data(), received);
  }
  if (!exitTrace.empty()) OutputDebugString(exitTrace);
}
