// What the mouse does on its own: its event reports and the lighting preview's thread.
#include <algorithm>
#include <atomic>

#include "devices/device_messages.h"
#include "devices/velmar_mouse_device.h"
#include "platform/clock.h"
#include "platform/debug_output.h"

namespace {

constexpr uint16_t kEventReReadRequest = 0x0401;
constexpr uint16_t kEventReactiveTrigger = 0x0403;
constexpr uint8_t kEventProfileAndStage = 0x11;
constexpr uint8_t kEventProfile = 0x10;
constexpr int kReactiveModeIndex = 9;


uint32_t NextReactiveSeed() {
  static std::atomic<uint32_t> counter{0};
  return GetTickCountMs() * 2654435761u + counter.fetch_add(1);
}

}  // namespace

std::string CVelmarMouseDevice::ListenerExitTrace() const { return "MS 设备同步线程设定退出"; }

void CVelmarMouseDevice::OnEventReport(bool cablePort, const uint8_t* report, uint32_t length) {
  if (length < 3) return;
  OutputDebugString("接收到自动添加设备的同步信息要求  TEST");
  const uint16_t code = static_cast<uint16_t>(report[1] | (report[2] << 8));
  if (code == kEventReReadRequest) {
    OutputDebugString("接收到自动添加设备的同步信息要求");
    StartTileTimer(kTimerSyncFromDevice, kSyncFromDeviceDelayMs);
    return;
  }
  if (code == kEventReactiveTrigger) {
    if (!cablePort) return;
    RunOnUiThread([this] {
      LightPreview().With([](CLightPreview& preview) {
        if (preview.Params().mode == kReactiveModeIndex) preview.StartReactiveFlash(NextReactiveSeed());
      });
      LightPreview().Poke();
    });
    return;
  }
  if (code < kEventReReadRequest || !Channel().IsOpen()) return;
  const uint8_t kind = static_cast<uint8_t>(code >> 8);
  const uint8_t value = static_cast<uint8_t>(code);
  if (kind != kEventProfileAndStage && kind != kEventProfile) return;
  driver_.SetActiveProfile(value & 0x0F);
  const int stage = kind == kEventProfileAndStage ? (value >> 4) : -1;
  RunOnUiThread([this, stage] {
    // Kept in the model, so the next settings write does not undo the mouse's choice.
    model_.SetCurrentStage(stage);
    ShowSettings();
  });
}

void CVelmarMouseDevice::StartLightThread() {
  StopLightThread();
  lightThread_.Start([this](CEvent& stop) { RunLightThread(stop); });
}

void CVelmarMouseDevice::StopLightThread() {
  lightThread_.Stop([this] { LightPreview().Poke(); });
}

bool CVelmarMouseDevice::LightStepsSeen() {
  // While the mouse takes part in the shared lighting the engine writes its entries instead.
  return Channel().IsOpen() && !lightPaused_.load() && !IsWindowHidden() && !Channel().SameMode();
}

// A step is due one step period (the mode's ticks at its speed) after the last; the thread sleeps
// until then. It does not wake at all while nobody would see a step (a closed channel, a hidden
// window, the shared lighting) or while the frame stands still (a steady colour, the lights off, a
// reactive effect at rest): whatever ends those pokes the preview's change event.
void CVelmarMouseDevice::RunLightThread(CEvent& stop) {
  CEvent& changed = LightPreview().ChangeEvent();
  uint64_t lastStepMs = Clock().NowMs();
  bool still = false;
  while (!stop.IsSet()) {
    if (!LightStepsSeen() || still) {
      lightResting_.store(true);
      Clock().WaitMs(changed, kInfiniteWait);
      still = false;
      continue;
    }
    const uint64_t now = Clock().NowMs();
    if (lightResting_.load()) {
      // Back from a rest: the next step comes one period from now, as after a start.
      lightResting_.store(false);
      lastStepMs = now;
    }
    // Every change up to here is seen by the step below; a change notice still pending from one
    // (the thread woke for its due step, not for the notice) would otherwise end the rest that a
    // still frame begins.
    changed.Reset();
    const LightEffectParams params = GetLightEffect();
    const uint32_t period =
        static_cast<uint32_t>(std::max(1, CLightPreview::MouseTicksPerStep(params.mode, params.speed))) * kLightTickMs;
    const uint64_t dueMs = lastStepMs + period;
    if (now < dueMs) {
      Clock().WaitMs(changed, static_cast<uint32_t>(dueMs - now));
      continue;
    }
    LightPreview().With([now, &still](CLightPreview& preview) {
      preview.RunMouseModeStep(static_cast<uint32_t>(now));
      still = preview.IsMouseModeStill();
    });
    ++lightSteps_;
    QueuePreviewPush();
    // A late step keeps the pace from its due time; steps missed by more than a period are not run.
    lastStepMs = dueMs + (now - dueMs) / period * period;
  }
  lightResting_.store(false);
  OutputDebugString("MS灯光线程设定退出");
}
