#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "devices/lighting/sync_light_effect.h"
#include "platform/clock.h"
#include "platform/event.h"

// A device as the shared lighting sees it. Called on the engine's thread; every call must be safe
// against the device's own threads and the user-interface thread.
class ISyncLightParticipant {
 public:
  virtual ~ISyncLightParticipant() = default;
  virtual bool IsSyncChannelOpen() = 0;
  // Set by a same-mode copy; cleared by the device's own lighting changes.
  virtual bool IsSyncSameMode() = 0;
  virtual size_t SyncLightEntryCount() = 0;
  virtual void SetSyncLightEntry(size_t index, uint32_t word) = 0;
};

// The thread that runs the shared lighting on every device whose same-mode flag is set: one step
// of the effect every SyncLightTicksPerStep(speed) ticks, its colour word written into each such
// device's light entries. It runs while at least one of those devices has an open channel and
// sleeps otherwise, without waking, until Wake: whoever sets a flag or opens a device's channel
// calls it.
class CSyncLightEngine {
 public:
  enum class Kind : size_t { kMouse, kKeyboard, kMousePad, kHeadset };

  explicit CSyncLightEngine(IClock& clock = SystemClock());
  ~CSyncLightEngine();
  CSyncLightEngine(const CSyncLightEngine&) = delete;
  CSyncLightEngine& operator=(const CSyncLightEngine&) = delete;

  // The device lives until the engine is stopped. Any thread; the engine may be running.
  void AddParticipant(Kind kind, ISyncLightParticipant* device);

  void Start();
  // Returns once the thread has ended; it ends within one hand-out.
  void Stop();
  bool IsRunning() const { return thread_.joinable(); }

  // The effect from the next step on. A step may see part old, part new settings.
  void SetEffectSettings(const SyncLightSettings& settings);
  SyncLightSettings EffectSettings() const;
  // A flag was set or a channel opened: the engine looks again whether any device takes part.
  void Wake() { wake_.Set(); }

  // For the benchmark and tests: whether it paces steps now (some device takes part).
  bool IsActive() const { return active_.load(); }
  uint64_t Steps() const { return steps_.load(); }
  // Steps that came too late to run on time and were left out to keep the pace.
  uint64_t LostSteps() const { return lostSteps_.load(); }

 private:
  void Run();
  // The first device, mice first, then keyboards, mouse pads and headsets, that takes part and is
  // reachable.
  bool AnyoneTakingPart();
  void HandOut(uint32_t word);
  uint32_t StepPeriodMs() const;

  IClock& clock_;
  std::mutex listsMutex_;
  std::array<std::vector<ISyncLightParticipant*>, 4> lists_;

  std::atomic<uint8_t> effect_{0};
  std::atomic<uint8_t> brightnessLevel_{0};
  std::atomic<uint8_t> speedLevel_{0};
  std::atomic<uint8_t> direction_{0};
  std::atomic<uint8_t> colourful_{0};
  std::atomic<uint8_t> red_{0}, green_{0}, blue_{0};

  SyncLightState state_;  // the engine thread's own
  std::atomic<uint64_t> steps_{0};
  std::atomic<uint64_t> lostSteps_{0};
  std::atomic<bool> stopping_{false};
  std::atomic<bool> active_{false};
  CEvent wake_{false};
  std::thread thread_;
};
