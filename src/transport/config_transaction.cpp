#include "transport/config_transaction.h"

#include "transport/result_codes.h"

CConfigTransaction::CConfigTransaction(CUsbCommandChannel& channel, Bracket bracket)
    : channel_(channel), bracket_(bracket) {}

CConfigTransaction& CConfigTransaction::Step(const char* name, std::function<int()> step) {
  steps_.push_back({name, std::move(step)});
  return *this;
}

bool CConfigTransaction::Linked() { return !channel_.ReceiverMode() || channel_.Hid2_4GDeviceIsLink(); }

int CConfigTransaction::Fail(const char* name, int code) {
  failedStep_ = name;
  return code;
}

int CConfigTransaction::Run() {
  failedStep_ = nullptr;
  if (!channel_.IsOpen()) return Fail("IsOpen", kResultNoReply);
  const bool bracketed = bracket_ == Bracket::kBeginEnd;
  if (bracketed) {
    if (!Linked()) return Fail("Hid2_4GDeviceIsLink", kResultNotLinked);
    const int begun = channel_.BeginConfig();
    if (begun != kResultSuccess) return Fail("BeginConfig", begun);
  }
  int result = kResultSuccess;
  for (const NamedStep& step : steps_) {
    if (!Linked()) {
      result = Fail("Hid2_4GDeviceIsLink", kResultNotLinked);
      break;
    }
    const int code = step.run();
    if (code != kResultSuccess) {
      result = Fail(step.name, code);
      break;
    }
  }
  // The session is ended after a failed step too, so the device does not stay waiting for the
  // host; only a device that is out of reach is not told.
  if (bracketed && result != kResultNotLinked) {
    if (!Linked()) return Fail("Hid2_4GDeviceIsLink", kResultNotLinked);
    const int ended = channel_.EndConfig();
    if (result == kResultSuccess && ended != kResultSuccess) return Fail("EndConfig", ended);
  }
  return result;
}
