#include "sim/virtual_mouse.h"

#include <algorithm>

#include "sim/mouse_factory_memory.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_receiver.h"

namespace {

constexpr uint16_t kProfileEvent = 0x10;
constexpr uint16_t kProfileAndStageEvent = 0x11;
constexpr uint16_t kPointerReportSize = 8;

constexpr SimCommandRule kMouseCommands[] = {
    {kSimCmdBeginConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdEndConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdReadDeviceInfo, SimAccess::Read, SimBlock::DeviceInfo},
    {kSimCmdWriteDeviceInfo, SimAccess::Write, SimBlock::DeviceInfo},
    {kSimCmdReadSettings, SimAccess::Read, SimBlock::Settings},
    {kSimCmdWriteSettings, SimAccess::Write, SimBlock::Settings},
    {kSimCmdReadConfigImage, SimAccess::Read, SimBlock::ConfigImage},
    {kSimCmdWriteConfigImage, SimAccess::Write, SimBlock::ConfigImage, true, 512},
    {kSimCmdWriteLightStream, SimAccess::Write, SimBlock::LightStream},
    {kSimCmdWriteMacroData, SimAccess::Write, SimBlock::MacroData},
    {kSimCmdWriteShootData, SimAccess::Write, SimBlock::RecoilData},
    {kSimCmdHostReady, SimAccess::None, SimBlock::DeviceInfo, false},
    {kSimCmdReadStatus, SimAccess::Read, SimBlock::Status},
    {kSimCmdReadConfigThird, SimAccess::Read, SimBlock::ConfigImage},
    {kSimCmdLightControlOn, SimAccess::None, SimBlock::DeviceInfo},
    // No bank commands: those tables belong to the keyboard, and the mouse refuses them.
};

}  // namespace

CVirtualMouse::CVirtualMouse(const SimMouseOptions& options)
    : CVirtualMouse(options, SimMouseCableLayout(options.firmwareVersion)) {}

CVirtualMouse::CVirtualMouse(const SimMouseOptions& options, SimDeviceDescription description)
    : CVirtualDevice(std::move(description), BuildMouseFactoryMemory(options), kMouseCommands) {}

void CVirtualMouse::SetBattery(uint8_t level) {
  std::lock_guard guard(memoryMutex_);
  memory_[SimBlock::Status][0] = level > 100 ? 100 : level;
}

void CVirtualMouse::SetCharging(bool charging) {
  std::lock_guard guard(memoryMutex_);
  memory_[SimBlock::Status][1] = charging ? 1 : 0;
}

uint8_t CVirtualMouse::ActiveProfile() const {
  std::lock_guard guard(memoryMutex_);
  return memory_[SimBlock::Settings][0];
}

void CVirtualMouse::ChangeProfile(uint8_t profile) {
  SendEvent(static_cast<uint16_t>(kProfileEvent << 8 | (profile & 0x0F)));
}

void CVirtualMouse::ChangeProfileAndStage(uint8_t profile, uint8_t stage) {
  SendEvent(static_cast<uint16_t>(kProfileAndStageEvent << 8 | (stage & 0x0F) << 4 | (profile & 0x0F)));
}

void CVirtualMouse::StoreProfileEvent(uint16_t code) {
  const uint16_t kind = code >> 8;
  if (kind != kProfileEvent && kind != kProfileAndStageEvent) return;
  const size_t profile = code & 0x0F;
  std::lock_guard guard(memoryMutex_);
  std::vector<uint8_t>& settings = memory_[SimBlock::Settings];
  // The active profile byte is also byte 0 of page 0: that is how the device lays its area out.
  settings[0] = static_cast<uint8_t>(profile);
  const size_t stageOffset = profile * kSimMouseSettingsPageStride + kSimMouseStageByte;
  if (kind == kProfileAndStageEvent && stageOffset < settings.size()) {
    settings[stageOffset] = static_cast<uint8_t>((code >> 4) & 0x0F);
  }
  SaveMemoryLocked();
}

void CVirtualMouse::SendEvent(uint16_t code) {
  StoreProfileEvent(code);
  EmitEvent(code);
  std::vector<std::shared_ptr<CVirtualReceiver>> receivers;
  {
    std::lock_guard guard(receiversMutex_);
    std::erase_if(receivers_, [](const std::weak_ptr<CVirtualReceiver>& r) { return r.expired(); });
    for (const auto& receiver : receivers_) {
      if (auto locked = receiver.lock()) receivers.push_back(std::move(locked));
    }
  }
  for (const auto& receiver : receivers) receiver->RelayMouseEvent(code);
}

void CVirtualMouse::PlayPointerMove(int16_t dx, int16_t dy) {
  for (const SimInterface& interface : Description().interfaces) {
    const auto& collections = interface.collections;
    const bool carriesCommands =
        std::any_of(collections.begin(), collections.end(), [](const SimCollection& c) { return c.commands; });
    if (!carriesCommands) continue;
    for (const SimCollection& collection : collections) {
      const HidTopLevelCollection& layout = collection.layout;
      if (layout.usagePage != kSimGenericDesktopPage || layout.usage != kSimMouseUsage) continue;
      if (layout.inputReportIds.empty() || layout.inputReportByteLength < kPointerReportSize) continue;
      // Buttons, then X and Y little-endian, then wheel and pan, as the report descriptor lays them out.
      std::vector<uint8_t> report(layout.inputReportByteLength, 0);
      report[0] = layout.inputReportIds.front();
      report[2] = static_cast<uint8_t>(dx);
      report[3] = static_cast<uint8_t>(static_cast<uint16_t>(dx) >> 8);
      report[4] = static_cast<uint8_t>(dy);
      report[5] = static_cast<uint8_t>(static_cast<uint16_t>(dy) >> 8);
      SendInputReport(interface.number, report);
      return;
    }
  }
}

SimFrame CVirtualMouse::AnswerThroughReceiver(const SimFrame& request, const SimLoggedFrame& arrival) {
  SimLoggedFrame logged = arrival;
  logged.throughReceiver = true;
  Frames().Append(std::move(logged));
  return AnswerFromMemory(request);
}

void CVirtualMouse::AddReceiver(const std::weak_ptr<CVirtualReceiver>& receiver) {
  std::lock_guard guard(receiversMutex_);
  receivers_.push_back(receiver);
}
