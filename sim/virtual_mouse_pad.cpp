#include "sim/virtual_mouse_pad.h"

#include "sim/standard_device_layouts.h"
#include "sim/virtual_lighting_settings.h"

namespace {

constexpr size_t kLightStreamSize = 512;

constexpr SimCommandRule kPadCommands[] = {
    {kSimCmdBeginConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdEndConfig, SimAccess::None, SimBlock::DeviceInfo},
    {kSimCmdReadDeviceInfo, SimAccess::Read, SimBlock::DeviceInfo},
    {kSimCmdWriteDeviceInfo, SimAccess::Write, SimBlock::DeviceInfo},
    {kSimCmdReadSettings, SimAccess::Read, SimBlock::Settings},
    {kSimCmdWriteSettings, SimAccess::Write, SimBlock::Settings},
    {kSimCmdWriteLightStream, SimAccess::Write, SimBlock::LightStream},
    {kSimCmdHostReady, SimAccess::None, SimBlock::DeviceInfo, false},
    {kSimCmdLightControlOn, SimAccess::None, SimBlock::DeviceInfo},
};

SimFirmwareMemory PadMemory(const SimMousePadOptions& options) {
  SimFirmwareMemory memory;
  memory[SimBlock::DeviceInfo] = SimDeviceInfoBlock(options.initialised);
  memory[SimBlock::Settings] = SimLightingSettingsArea();
  memory[SimBlock::LightStream].assign(kLightStreamSize, 0);
  return memory;
}

}  // namespace

CVirtualMousePad::CVirtualMousePad(const SimMousePadOptions& options)
    : CVirtualMousePad(options, SimMousePadLayout(options.firmwareVersion)) {}

CVirtualMousePad::CVirtualMousePad(const SimMousePadOptions& options, SimDeviceDescription description)
    : CVirtualDevice(std::move(description), PadMemory(options), kPadCommands) {}
