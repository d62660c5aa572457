#include "devices/lighting/light_levels.h"

#include <algorithm>

void CLightLevels::Decay(size_t index) {
  if (index < levels_.size()) {
    levels_[index] = DecayedLevel(levels_[index]);
  }
}

void CLightLevels::DecayAll() {
  for (uint8_t& level : levels_) {
    level = DecayedLevel(level);
  }
}

void CLightLevels::MarkPeaks(size_t count) {
  count = std::min({count, peakRing_.size(), levels_.size()});
  for (size_t i = 0; i < count; ++i) {
    if (peakRing_[i] != 0) {
      levels_[i] = 255;
    }
  }
}

void CLightLevels::RotatePeakRing(bool forward, size_t span) {
  span = std::min(span, peakRing_.size());
  if (span < 2) {
    return;
  }
  const auto first = peakRing_.begin();
  const auto last = first + static_cast<std::ptrdiff_t>(span);
  if (forward) {
    std::rotate(first, last - 1, last);
  } else {
    std::rotate(first, first + 1, last);
  }
}

void CLightLevels::Clear() {
  levels_.fill(0);
  peakRing_.fill(0);
}

void CLightLevels::RestartPeakRing() {
  peakRing_.fill(0);
  peakRing_[0] = 1;
}
