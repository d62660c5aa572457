#pragma once

// How every preview effect moves its position along a table of `limit` entries. The wrap is
// deliberately uneven: going up restarts at 0, going down restarts at limit − delta, so a
// down-stepping effect visits the same positions as an up-stepping one.

constexpr int UpStep(int position, int delta, int limit) {
  if (limit <= 0 || position < 0) {
    return 0;
  }
  const long long next = static_cast<long long>(position) + delta;
  return next >= limit || next < 0 ? 0 : static_cast<int>(next);
}

constexpr int DownStep(int position, int delta, int limit) {
  if (limit <= 0 || delta < 0 || delta >= limit) {
    return 0;
  }
  if (position >= limit) {
    position = limit - 1;
  }
  const long long next = static_cast<long long>(position) - delta;
  return next < 0 ? limit - delta : static_cast<int>(next);
}

// The effects' direction flag: set steps up, clear steps down.
constexpr int DirectedStep(bool up, int position, int delta, int limit) {
  return up ? UpStep(position, delta, limit) : DownStep(position, delta, limit);
}
