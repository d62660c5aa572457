#pragma once
#include <cstdint>

// Milliseconds on a monotonic clock (the counterpart of GetTickCount, without its 49-day wrap).
uint64_t GetTickCountMs();

void SleepMs(uint32_t milliseconds);
