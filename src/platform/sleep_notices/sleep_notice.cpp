#include "platform/sleep_notices/sleep_notice.h"

SleepNotice SleepNoticeFromSignal(bool start) { return start ? SleepNotice::kSuspending : SleepNotice::kResumed; }
