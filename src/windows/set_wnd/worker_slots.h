#pragma once
#include <array>
#include <functional>
#include <memory>
#include <thread>

#include "platform/event.h"

// A window's worker threads, one per slot, each with a manual-reset stop event it is given and
// must watch. Stopping signals every slot and then waits for each thread to end: a worker is
// never cut off in the middle of its work, so it never leaves a lock held or a file half written.
// A wait longer than kPatienceMs is traced.
template <size_t N>
class CWorkerSlots {
 public:
  static constexpr uint32_t kPatienceMs = 500;
  using Work = std::function<void(CEvent& stop)>;

  CWorkerSlots() {
    for (auto& slot : slots_) slot.stop = std::make_unique<CEvent>(true);
  }
  ~CWorkerSlots() { StopAll(); }
  CWorkerSlots(const CWorkerSlots&) = delete;
  CWorkerSlots& operator=(const CWorkerSlots&) = delete;

  // Starts `work` in slot `index` once its previous thread has ended; false for a bad slot.
  bool Start(size_t index, Work work) {
    if (index >= N) return false;
    Slot& slot = slots_[index];
    if (slot.thread.joinable()) slot.thread.join();
    slot.stop->Reset();
    slot.done = std::make_shared<CEvent>(true);
    slot.thread = std::thread([stop = slot.stop.get(), done = slot.done, work = std::move(work)] {
      work(*stop);
      done->Set();
    });
    return true;
  }

  // `slow` is told the slot of every worker that takes longer than kPatienceMs to end.
  void StopAll(const std::function<void(size_t)>& slow = {}) {
    for (auto& slot : slots_) slot.stop->Set();
    for (size_t i = 0; i < N; ++i) {
      Slot& slot = slots_[i];
      if (!slot.thread.joinable()) continue;
      if (!slot.done->Wait(kPatienceMs) && slow) slow(i);
      slot.thread.join();
    }
  }

  bool IsRunning(size_t index) const {
    return index < N && slots_[index].thread.joinable() && !slots_[index].done->IsSet();
  }

 private:
  struct Slot {
    std::unique_ptr<CEvent> stop;
    std::shared_ptr<CEvent> done;
    std::thread thread;
  };
  std::array<Slot, N> slots_;
};
