#include "sim/sim_connection.h"

#include <algorithm>
#include <optional>

#include "platform/event.h"
#include "sim/sim_plug.h"

CSimConnection::CSimConnection(std::shared_ptr<CSimPlug> plug, size_t collectionIndex, const HidOpenMode& mode)
    : plug_(std::move(plug)), collectionIndex_(collectionIndex), mode_(mode) {}

const HidAttributes& CSimConnection::Attributes() const { return plug_->Attributes(); }

const HidCaps& CSimConnection::Caps() const { return plug_->Collections()[collectionIndex_].caps; }

HidIoStatus CSimConnection::StateLocked() const {
  if (aborted_) return HidIoStatus::Aborted;
  if (gone_) return HidIoStatus::Failed;
  return HidIoStatus::Ok;
}

HidIoStatus CSimConnection::Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  const bool forever = timeoutMs == kInfiniteWait;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
  std::unique_lock lock(mutex_);
  for (;;) {
    if (HidIoStatus state = StateLocked(); state != HidIoStatus::Ok) return state;
    if (!mode_.read) return HidIoStatus::Failed;
    const Clock::time_point now = Clock::now();
    if (!queue_.empty() && queue_.front().readyAt <= now) {
      const std::vector<uint8_t>& report = queue_.front().bytes;
      const size_t count = std::min(length, report.size());
      if (buffer) std::copy_n(report.begin(), count, buffer);
      if (bytesRead) *bytesRead = count;
      queue_.pop_front();
      return HidIoStatus::Ok;
    }
    if (!forever && now >= deadline) return HidIoStatus::TimedOut;
    std::optional<Clock::time_point> wakeAt;
    if (!queue_.empty()) wakeAt = queue_.front().readyAt;
    if (!forever) wakeAt = wakeAt ? std::min(*wakeAt, deadline) : deadline;
    if (wakeAt) {
      changed_.wait_until(lock, *wakeAt);
    } else {
      changed_.wait(lock);
    }
  }
}

HidIoStatus CSimConnection::SendOutput(const uint8_t* buffer, size_t length, bool controlPipe) {
  {
    std::lock_guard guard(mutex_);
    if (HidIoStatus state = StateLocked(); state != HidIoStatus::Ok) return state;
  }
  if (!mode_.write || !buffer || length == 0 || length > Caps().OutputReportByteLength) return HidIoStatus::Failed;
  // The firmware answers while we hold no lock of ours: its reply comes back through Enqueue.
  return plug_->ReceiveOutputReport(collectionIndex_, controlPipe ? SimReportPath::Control : SimReportPath::Interrupt,
                                    buffer, length);
}

// The virtual firmware takes every frame the moment it is written, so a write never has to wait
// and its time-out cannot run out.
HidIoStatus CSimConnection::Write(const uint8_t* buffer, size_t length, uint32_t /*timeoutMs*/, size_t* bytesWritten) {
  if (bytesWritten) *bytesWritten = 0;
  HidIoStatus status = SendOutput(buffer, length, false);
  if (status == HidIoStatus::Ok && bytesWritten) *bytesWritten = length;
  return status;
}

bool CSimConnection::SetOutputReport(const uint8_t* buffer, size_t length) {
  return SendOutput(buffer, length, true) == HidIoStatus::Ok;
}

void CSimConnection::FlushInput() {
  std::lock_guard guard(mutex_);
  const Clock::time_point now = Clock::now();
  std::erase_if(queue_, [&](const QueuedReport& report) { return report.readyAt <= now; });
}

void CSimConnection::Abort() {
  {
    std::lock_guard guard(mutex_);
    aborted_ = true;
  }
  changed_.notify_all();
}

void CSimConnection::Enqueue(const std::vector<uint8_t>& report, Clock::time_point readyAt) {
  {
    std::lock_guard guard(mutex_);
    if (aborted_ || gone_ || queue_.size() >= kQueueCapacity) return;
    auto position =
        std::upper_bound(queue_.begin(), queue_.end(), readyAt,
                         [](Clock::time_point at, const QueuedReport& queued) { return at < queued.readyAt; });
    queue_.insert(position, {readyAt, report});
  }
  changed_.notify_all();
}

void CSimConnection::MarkDeviceGone() {
  {
    std::lock_guard guard(mutex_);
    gone_ = true;
    queue_.clear();
  }
  changed_.notify_all();
}
