#include "sim/fault_plan.h"

void CSimFaultPlan::DropReplies(uint32_t frames) {
  std::lock_guard guard(mutex_);
  armed_.dropCount = frames;
}

void CSimFaultPlan::DropAllReplies() {
  std::lock_guard guard(mutex_);
  armed_.dropAll = true;
}

void CSimFaultPlan::DelayReplies(uint32_t milliseconds) {
  std::lock_guard guard(mutex_);
  armed_.delayMs = milliseconds;
}

void CSimFaultPlan::WrongEchoOnce() {
  std::lock_guard guard(mutex_);
  armed_.wrongEchoOnce = true;
}

void CSimFaultPlan::WrongEchoAlways() {
  std::lock_guard guard(mutex_);
  armed_.wrongEchoAlways = true;
}

void CSimFaultPlan::FailStatusOnce(uint8_t status) {
  std::lock_guard guard(mutex_);
  armed_.statusOnce = status;
}

void CSimFaultPlan::FailStatusAlways(uint8_t status) {
  std::lock_guard guard(mutex_);
  armed_.statusAlways = status;
}

void CSimFaultPlan::FailStatusForCommand(uint8_t command, uint8_t status) {
  std::lock_guard guard(mutex_);
  armed_.statusCommand = command;
  armed_.statusForCommand = status;
}

void CSimFaultPlan::UnplugAfterFrames(uint32_t frames) {
  std::lock_guard guard(mutex_);
  armed_.framesBeforeUnplug = frames;
}

void CSimFaultPlan::AddNumbered(const NumberedFault& fault) {
  std::lock_guard guard(mutex_);
  numbered_.push_back(fault);
}

void CSimFaultPlan::LateReplyAt(uint32_t frame, uint32_t delayMs) {
  NumberedFault fault;
  fault.frame = frame;
  fault.delayMs = delayMs;
  AddNumbered(fault);
}

void CSimFaultPlan::DropReplyAt(uint32_t frame) {
  NumberedFault fault;
  fault.frame = frame;
  fault.drop = true;
  AddNumbered(fault);
}

void CSimFaultPlan::WrongEchoAt(uint32_t frame) {
  NumberedFault fault;
  fault.frame = frame;
  fault.wrongEcho = true;
  AddNumbered(fault);
}

void CSimFaultPlan::FailStatusAt(uint32_t frame, uint8_t status) {
  NumberedFault fault;
  fault.frame = frame;
  fault.status = status;
  AddNumbered(fault);
}

void CSimFaultPlan::Clear() {
  std::lock_guard guard(mutex_);
  armed_ = Armed{};
  numbered_.clear();
}

SimFaultDecision CSimFaultPlan::NextFrame(uint8_t command) {
  std::lock_guard guard(mutex_);
  SimFaultDecision decision;
  ++framesReceived_;
  if (armed_.framesBeforeUnplug) {
    if (*armed_.framesBeforeUnplug == 0) {
      armed_.framesBeforeUnplug.reset();
      decision.unplugBeforeReply = true;
      return decision;
    }
    --*armed_.framesBeforeUnplug;
  }
  if (armed_.dropAll) {
    decision.dropReply = true;
  } else if (armed_.dropCount > 0) {
    --armed_.dropCount;
    decision.dropReply = true;
  }
  decision.extraDelayMs = armed_.delayMs;
  decision.wrongEcho = armed_.wrongEchoAlways || armed_.wrongEchoOnce;
  armed_.wrongEchoOnce = false;
  for (const NumberedFault& fault : numbered_) {
    if (fault.frame != framesReceived_) continue;
    decision.extraDelayMs += fault.delayMs;
    decision.dropReply = decision.dropReply || fault.drop;
    decision.wrongEcho = decision.wrongEcho || fault.wrongEcho;
    if (fault.status) decision.status = fault.status;
  }
  if (decision.status) return decision;
  if (armed_.statusCommand && *armed_.statusCommand == command) {
    decision.status = armed_.statusForCommand;
  } else if (armed_.statusOnce) {
    decision.status = armed_.statusOnce;
    armed_.statusOnce.reset();
  } else if (armed_.statusAlways) {
    decision.status = armed_.statusAlways;
  }
  return decision;
}

void CSimFaultPlan::ApplyToReply(const SimFaultDecision& decision, SimFrame& reply) {
  if (decision.wrongEcho) {
    uint8_t wrong = static_cast<uint8_t>(reply[kSimFrameCommandByte] + 1);
    // 0xAA would read as "not linked" through the receiver, a different fault altogether.
    if (wrong == kSimNotLinkedEcho) ++wrong;
    reply[kSimFrameCommandByte] = wrong;
  }
  if (decision.status) reply[kSimFrameStatusByte] = *decision.status;
  SimSealFrame(reply);
}
