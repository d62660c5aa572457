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

// One preview tick: the period the lighting thresholds were tuned for.
constexpr uint32_t kLightTickMs = 16;
constexpr uint32_t kClosedChannelPauseMs = 100;

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
  lightThread_.Start([this](CEvent& stop) { RunLightThread(stop); });
}

// A step is due after the mode's number of ticks; the thread sleeps until then instead of waking on
// every tick to count, so a slow effect costs a few wake-ups a second.
void CVelmarMouseDevice::RunLightThread(CEvent& stop) {
  for (;;) {
    const LightEffectParams params = GetLightEffect();
    const uint32_t ticks =
        static_cast<uint32_t>(std::max(1, CLightPreview::MouseTicksPerStep(params.mode, params.speed)));
    if (Clock().WaitMs(stop, ticks * kLightTickMs)) break;
    if (!Channel().IsOpen()) {
      if (Clock().WaitMs(stop, kClosedChannelPauseMs)) break;
      continue;
    }
    if (lightPaused_.load()) continue;
    const uint32_t now = static_cast<uint32_t>(Clock().NowMs());
    LightPreview().With([now](CLightPreview& preview) { preview.RunMouseModeStep(now); });
  }
  OutputDebugString("MS灯光线程设定退出");
}
