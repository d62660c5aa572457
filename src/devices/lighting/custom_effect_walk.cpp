#include "devices/lighting/custom_effect_walk.h"

#include <utility>

void CCustomEffectWalk::SetSteps(std::vector<LightEffectStep> steps) {
  steps_ = std::move(steps);
  Restart();
}

void CCustomEffectWalk::Restart() {
  started_ = false;
  index_ = 0;
  playsDone_ = 0;
  periodStartMs_ = 0;
}

CCustomEffectWalk::Position CCustomEffectWalk::Advance(uint32_t nowMs) {
  if (steps_.empty()) {
    return {};
  }
  if (!started_) {
    started_ = true;
    periodStartMs_ = nowMs;
    return {&steps_[index_], true};
  }
  const LightEffectStep& step = steps_[index_];
  const uint32_t duration = step.Time > 0 ? static_cast<uint32_t>(step.Time) : 0;
  // Unsigned difference, so a wrap of the millisecond clock costs nothing.
  if (nowMs - periodStartMs_ < duration) {
    return {&step, false};
  }
  // The next period starts now rather than where the last one was due: after a stall the walk
  // resumes instead of racing through the steps it missed.
  periodStartMs_ = nowMs;
  if (step.Cyle <= 0 || ++playsDone_ < step.Cyle) {
    return {&step, false};
  }
  playsDone_ = 0;
  index_ = (index_ + 1) % steps_.size();
  return {&steps_[index_], true};
}
