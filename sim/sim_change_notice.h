#pragma once
#include <atomic>
#include <cstdint>

#include "platform/hid/hid_change_listener.h"

// The virtual backend's change count, shared with its plugs: a device that pulls itself out (an
// armed fault) moves it and tells the listener as the backend does.
struct SimChangeNotice {
  std::atomic<uint64_t> generation{1};
  CHidChangeListener listener;

  void Bump() {
    ++generation;
    listener.Notify();
  }
};
