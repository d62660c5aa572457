#pragma once

#include <functional>
#include <vector>

#include "transport/usb_command_channel.h"

// One device transaction: BeginConfig, the steps, EndConfig, with the link rule written once.
// Through the receiver the link is tested before BeginConfig, before every step and before
// EndConfig; over the cable no test is sent. The steps stop at the first that fails; once the
// session began it is ended even then, unless the mouse went out of reach.
class CConfigTransaction {
 public:
  // kNone: the steps alone, each still after its link test (reads outside a session).
  enum class Bracket { kBeginEnd, kNone };
  explicit CConfigTransaction(CUsbCommandChannel& channel, Bracket bracket = Bracket::kBeginEnd);
  CConfigTransaction& Step(const char* name, std::function<int()> step);
  // kResultSuccess when every step succeeded; otherwise the code of the first failure:
  // kResultNoReply for a closed channel (nothing sent), kResultNotLinked for a failed link test,
  // else the failing step's own (BeginConfig and EndConfig included).
  int Run();
  // The step that failed ("IsOpen", "Hid2_4GDeviceIsLink", "BeginConfig", a step's name,
  // "EndConfig"); null after a success.
  const char* FailedStep() const { return failedStep_; }

 private:
  struct NamedStep {
    const char* name;
    std::function<int()> run;
  };
  bool Linked();
  int Fail(const char* name, int code);

  CUsbCommandChannel& channel_;
  Bracket bracket_;
  std::vector<NamedStep> steps_;
  const char* failedStep_ = nullptr;
};
