#pragma once
#include <mutex>

// A lock the holding thread may take again (the device channel's transfer, command and light
// locks are used this way).
using CRecursiveLock = std::recursive_mutex;
using CLockGuard = std::lock_guard<std::recursive_mutex>;
