#include "platform/sleep_notices/prepare_for_sleep_receiver.h"

#include <utility>

#include "platform/sleep_notices/sleep_notice.h"

CPrepareForSleepReceiver::CPrepareForSleepReceiver(std::function<void(bool suspending)> onChange)
    : onChange_(std::move(onChange)) {}

void CPrepareForSleepReceiver::OnPrepareForSleep(bool start) {
  if (!onChange_) return;
  // A copy, because the handler may stop the notices and so detach this object while it runs.
  std::function<void(bool)> onChange = onChange_;
  delivering_ = true;
  onChange(SleepNoticeFromSignal(start) == SleepNotice::kSuspending);
  delivering_ = false;
}
