#pragma once
#include <atomic>
#include <cstdint>
#include <functional>

#include "devices/device_light_preview.h"
#include "devices/device_worker.h"
#include "platform/clock.h"

// What a device's light thread asks of its device: whether anybody would see a step now, how many
// light ticks a step of the effect takes, the step itself on the preview (true when the frame it
// leaves stands still), and what to do after a step (push the preview to the page).
struct LightStepRules {
  std::function<bool()> stepsSeen;
  std::function<int(const LightEffectParams&)> ticksPerStep;
  std::function<bool(CLightPreview&, uint32_t nowMs)> step;
  std::function<void()> afterStep;
};

// A device's light thread. A step is due one step period (the effect's ticks at its speed) after
// the last; the thread sleeps until then. It does not wake at all while nobody would see a step (a
// closed channel, a hidden window, the shared lighting) or while the frame stands still (a steady
// colour, the lights off, a reactive effect at rest): whatever ends those pokes the preview's
// change event.
class CLightStepThread {
 public:
  CLightStepThread(CDeviceLightPreview& preview, IClock& clock, LightStepRules rules);
  CLightStepThread(const CLightStepThread&) = delete;
  CLightStepThread& operator=(const CLightStepThread&) = delete;

  // Stops a running thread first.
  void Start();
  void Stop();
  bool IsRunning() const { return worker_.IsRunning(); }
  uint64_t Steps() const { return steps_.load(); }
  // True while the thread sleeps without a time-out.
  bool IsResting() const { return resting_.load(); }

 private:
  void Run(CEvent& stop);

  CDeviceLightPreview& preview_;
  IClock& clock_;
  const LightStepRules rules_;
  std::atomic<uint64_t> steps_{0};
  std::atomic<bool> resting_{false};
  CDeviceWorker worker_;  // last: joined before the members it uses go
};
