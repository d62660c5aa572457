#pragma once

#include <functional>
#include <vector>

#include "transport/usb_command_channel.h"

// BeginConfig, the steps, EndConfig, with the link rule written once: in receiver mode the link
// is tested before BeginConfig, before every step and before EndConfig; over the cable no test
// is sent.
class CConfigTransaction {
 public:
  enum class Bracket { kBeginEnd, kNone };
  explicit CConfigTransaction(CUsbCommandChannel& channel, Bracket bracket = Bracket::kBeginEnd);
  CConfigTransaction& Step(const char* name, std::function<int()> step);
  // kResultSuccess when every step succeeded; otherwise the code of the first failure.
  int Run();
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
