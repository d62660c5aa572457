#include "sim/frame_log.h"

void CSimFrameLog::Append(SimLoggedFrame frame) {
  std::lock_guard guard(mutex_);
  if (frames_.size() == kCapacity) frames_.pop_front();
  frames_.push_back(std::move(frame));
}

std::vector<SimLoggedFrame> CSimFrameLog::Snapshot() const {
  std::lock_guard guard(mutex_);
  return {frames_.begin(), frames_.end()};
}

std::vector<uint8_t> CSimFrameLog::Commands() const {
  std::lock_guard guard(mutex_);
  std::vector<uint8_t> commands;
  commands.reserve(frames_.size());
  for (const SimLoggedFrame& frame : frames_) commands.push_back(frame.Command());
  return commands;
}

size_t CSimFrameLog::Size() const {
  std::lock_guard guard(mutex_);
  return frames_.size();
}

void CSimFrameLog::Clear() {
  std::lock_guard guard(mutex_);
  frames_.clear();
}
