#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profiles/records/lighting_records.h"

// Walks a custom light effect's step list in time. Each step lasts its Time in milliseconds (a
// step without a positive Time lasts one call) and plays Cyle times in a row before the next;
// a Cyle of 0 or less keeps that step forever. After the last step the list starts over.
class CCustomEffectWalk {
 public:
  struct Position {
    const LightEffectStep* step = nullptr;  // null while the list is empty
    bool entered = false;                   // the step has just begun
  };

  void SetSteps(std::vector<LightEffectStep> steps);  // restarts at the first step
  void Restart();
  Position Advance(uint32_t nowMs);
  size_t StepIndex() const { return index_; }

 private:
  std::vector<LightEffectStep> steps_;
  bool started_ = false;
  size_t index_ = 0;
  int32_t playsDone_ = 0;
  uint32_t periodStartMs_ = 0;
};
