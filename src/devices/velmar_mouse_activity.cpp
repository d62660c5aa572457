// What the mouse does on its own: its event reports and the lighting preview's thread.
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

bool CVelmarMouseDevice::LightStepsSeen() {
  // While the mouse takes part in the shared lighting the engine writes its entries instead.
  return Channel().IsOpen() && !lightPaused_.load() && !IsWindowHidden() && !Channel().SameMode();
}

LightStepRules CVelmarMouseDevice::LightRules() {
  return {[this] { return LightStepsSeen(); },
          [](const LightEffectParams& effect) { return CLightPreview::MouseTicksPerStep(effect.mode, effect.speed); },
          [](CLightPreview& preview, uint32_t nowMs) {
            preview.RunMouseModeStep(nowMs);
            return preview.IsMouseModeStill();
          },
          [this] { QueuePreviewPush(); }};
}
