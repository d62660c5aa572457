#include "devices/light_step_thread.h"

#include <algorithm>

#include "devices/lighting/lighting_tables.h"
#include "platform/debug_output.h"

CLightStepThread::CLightStepThread(CDeviceLightPreview& preview, IClock& clock, LightStepRules rules)
    : preview_(preview), clock_(clock), rules_(std::move(rules)) {}

void CLightStepThread::Start() {
  Stop();
  worker_.Start([this](CEvent& stop) { Run(stop); });
}

void CLightStepThread::Stop() {
  worker_.Stop([this] { preview_.Poke(); });
}

void CLightStepThread::Run(CEvent& stop) {
  CEvent& changed = preview_.ChangeEvent();
  uint64_t lastStepMs = clock_.NowMs();
  bool still = false;
  while (!stop.IsSet()) {
    if (!rules_.stepsSeen() || still) {
      resting_.store(true);
      clock_.WaitMs(changed, kInfiniteWait);
      still = false;
      continue;
    }
    const uint64_t now = clock_.NowMs();
    if (resting_.load()) {
      // Back from a rest: the next step comes one period from now, as after a start.
      resting_.store(false);
      lastStepMs = now;
    }
    // Every change up to here is seen by the step below; a change notice still pending from one
    // (the thread woke for its due step, not for the notice) would otherwise end the rest that a
    // still frame begins.
    changed.Reset();
    const uint32_t period = static_cast<uint32_t>(std::max(1, rules_.ticksPerStep(preview_.Params()))) * kLightTickMs;
    const uint64_t dueMs = lastStepMs + period;
    if (now < dueMs) {
      clock_.WaitMs(changed, static_cast<uint32_t>(dueMs - now));
      continue;
    }
    preview_.With([&](CLightPreview& preview) { still = rules_.step(preview, static_cast<uint32_t>(now)); });
    ++steps_;
    rules_.afterStep();
    // A late step keeps the pace from its due time; steps missed by more than a period are not run.
    lastStepMs = dueMs + (now - dueMs) / period * period;
  }
  resting_.store(false);
  OutputDebugString("MS灯光线程设定退出");
}
