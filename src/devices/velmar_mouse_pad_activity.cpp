// What the mouse pad does on its own: its event reports and the lighting preview's thread.

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

bool CVelmarMousePadDevice::LightStepsSeen() {
  // While the pad takes part in the shared lighting the engine writes its entries instead.
  return Channel().IsOpen() && !lightPaused_.load() && !IsWindowHidden() && !Channel().SameMode();
}

LightStepRules CVelmarMousePadDevice::LightRules() {
  return {[this] { return LightStepsSeen(); },
          [](const LightEffectParams& effect) { return CLightPreview::PadTicksPerStep(effect.mode, effect.speed); },
          [](CLightPreview& preview, uint32_t nowMs) {
            preview.RunPadModeStep(nowMs);
            return preview.IsPadModeStill();
          },
          [this] { QueuePreviewPush(); }};
}
