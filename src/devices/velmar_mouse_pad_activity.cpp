// What the mouse pad does on its own: its event reports and the lighting preview's thread.
#include <algorithm>

#include "devices/device_messages.h"
#include "devices/velmar_mouse_pad_device.h"
#include "platform/clock.h"
#include "platform/debug_output.h"

namespace {

constexpr uint16_t kEventReReadRequest = 0x0401;
// The pad asks for a read once it has finished storing what changed on it.
constexpr uint32_t kPadReReadDelayMs = 500;

}  // namespace

std::string CVelmarMousePadDevice::ListenerExitTrace() const { return "MS设备同步线程设定退出"; }

void CVelmarMousePadDevice::OnEventReport(bool /*cablePort*/, const uint8_t* report, uint32_t length) {
  if (length < 3) return;
  OutputDebugString("接收到自动添加设备的同步信息要求  TEST");
  const uint16_t code = static_cast<uint16_t>(report[1] | (report[2] << 8));
  if (code != kEventReReadRequest) return;
  OutputDebugString("接收到自动添加设备的同步信息要求");
  StartTileTimer(kTimerSyncFromDevice, kPadReReadDelayMs);
}

void CVelmarMousePadDevice::StartLightThread() {
  StopLightThread();
  lightThread_.Start([this](CEvent& stop) { RunLightThread(stop); });
}

void CVelmarMousePadDevice::StopLightThread() {
  lightThread_.Stop([this] { LightPreview().Poke(); });
}

bool CVelmarMousePadDevice::LightStepsSeen() {
  // While the pad takes part in the shared lighting the engine writes its entries instead.
  return Channel().IsOpen() && !lightPaused_.load() && !IsWindowHidden() && !Channel().SameMode();
}

// As the mouse's: a step is due one step period after the last, and the thread sleeps until then,
// or until poked while nobody would see a step or the frame stands still.
void CVelmarMousePadDevice::RunLightThread(CEvent& stop) {
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
      lightResting_.store(false);
      lastStepMs = now;
    }
    changed.Reset();
    const LightEffectParams params = GetLightEffect();
    const uint32_t period =
        static_cast<uint32_t>(std::max(1, CLightPreview::PadTicksPerStep(params.mode, params.speed))) * kLightTickMs;
    const uint64_t dueMs = lastStepMs + period;
    if (now < dueMs) {
      Clock().WaitMs(changed, static_cast<uint32_t>(dueMs - now));
      continue;
    }
    LightPreview().With([now, &still](CLightPreview& preview) {
      preview.RunPadModeStep(static_cast<uint32_t>(now));
      still = preview.IsPadModeStill();
    });
    ++lightSteps_;
    QueuePreviewPush();
    lastStepMs = dueMs + (now - dueMs) / period * period;
  }
  lightResting_.store(false);
  OutputDebugString("MS灯光线程设定退出");
}
