#include "sim/virtual_headset.h"

#include "sim/standard_device_layouts.h"
#include "sim/virtual_lighting_settings.h"

namespace {

constexpr SimCommandRule kHeadsetCommands[] = {
    {kSimCmdBeginConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdEndConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdReadDeviceInfo, SimAccess::Read, SimBlock::DeviceInfo},
    {kSimCmdWriteDeviceInfo, SimAccess::Write, SimBlock::DeviceInfo},
    {kSimCmdReadSettings, SimAccess::Read, SimBlock::Settings},
    {kSimCmdWriteSettings, SimAccess::Write, SimBlock::Settings},
    {kSimCmdHostReady, SimAccess::None, SimBlock::DeviceInfo, false},
    {kSimCmdReadStatus, SimAccess::Read, SimBlock::Status},
    {kSimCmdLightControlOn, SimAccess::None, SimBlock::DeviceInfo},
};

SimFirmwareMemory HeadsetMemory(const SimHeadsetOptions& options) {
  SimFirmwareMemory memory;
  memory[SimBlock::DeviceInfo] = SimDeviceInfoBlock(options.initialised);
  memory[SimBlock::Settings] = SimLightingSettingsArea();
  memory[SimBlock::Status].assign(kSimHeadsetStatusSize, 0);
  memory[SimBlock::Status][kSimHeadsetBatteryByte] = options.batteryLevel > 100 ? 100 : options.batteryLevel;
  return memory;
}

}  // namespace

CVirtualHeadset::CVirtualHeadset(const SimHeadsetOptions& options)
    : CVirtualHeadset(options, SimHeadsetLayout(options.firmwareVersion)) {}

CVirtualHeadset::CVirtualHeadset(const SimHeadsetOptions& options, SimDeviceDescription description)
    : CVirtualDevice(std::move(description), HeadsetMemory(options), kHeadsetCommands) {}

void CVirtualHeadset::SetBattery(uint8_t level) {
  std::lock_guard guard(memoryMutex_);
  memory_[SimBlock::Status][kSimHeadsetBatteryByte] = level > 100 ? 100 : level;
}

std::vector<std::vector<uint8_t>> CVirtualHeadset::LightingReports() const {
  std::vector<std::vector<uint8_t>> reports;
  for (SimLoggedFrame& frame : Frames().Snapshot()) {
    if (!frame.bytes.empty() && frame.bytes[0] == kSimHeadsetLightingReportId)
      reports.push_back(std::move(frame.bytes));
  }
  return reports;
}
