#include "sim/virtual_mouse_pad.h"

#include <algorithm>

#include "sim/standard_device_layouts.h"
#include "sim/virtual_lighting_settings.h"

namespace {

constexpr size_t kLightStreamSize = 512;
constexpr size_t kPadPages = 5;

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

// Every page's own bytes carry a pattern of their page, so a host that writes back what it did
// not read (or writes zeros) shows in the area.
void FillOwnBytes(std::vector<uint8_t>& area, size_t offset, size_t page) {
  for (size_t i = kSimPadFirstOwnByte; i < kSimPadPageSize && offset + i < area.size(); ++i) {
    area[offset + i] = static_cast<uint8_t>(0x10 * (page + 1) + i);
  }
}

void FillLighting(std::vector<uint8_t>& area, size_t offset, const SimMousePadOptions& options) {
  area[offset + 1] = options.lightModeCode;
  area[offset + 5] = options.colourful ? 1 : 0;
}

std::vector<uint8_t> PadSettingsArea(const SimMousePadOptions& options) {
  std::vector<uint8_t> area = SimLightingSettingsArea();
  for (size_t page = 0; page < kPadPages; ++page) {
    FillOwnBytes(area, page * kSimLightingWriteStride, page);
    FillLighting(area, page * kSimLightingWriteStride, options);
    if (page == 0) continue;
    FillOwnBytes(area, page * kSimLightingReadStride, page);
    FillLighting(area, page * kSimLightingReadStride, options);
  }
  return area;
}

SimFirmwareMemory PadMemory(const SimMousePadOptions& options) {
  SimFirmwareMemory memory;
  memory[SimBlock::DeviceInfo] = SimDeviceInfoBlock(options.initialised);
  memory[SimBlock::Settings] = PadSettingsArea(options);
  memory[SimBlock::LightStream].assign(kLightStreamSize, 0);
  return memory;
}

}  // namespace

CVirtualMousePad::CVirtualMousePad(const SimMousePadOptions& options)
    : CVirtualMousePad(options, SimMousePadLayout(options.firmwareVersion)) {}

CVirtualMousePad::CVirtualMousePad(const SimMousePadOptions& options, SimDeviceDescription description)
    : CVirtualDevice(std::move(description), PadMemory(options), kPadCommands) {}

std::vector<uint8_t> CVirtualMousePad::ReadPage(size_t page) const {
  return ReadBlock(SimBlock::Settings, page * kSimLightingReadStride, kSimPadPageSize);
}

std::vector<uint8_t> CVirtualMousePad::WrittenPage(size_t page) const {
  return ReadBlock(SimBlock::Settings, page * kSimLightingWriteStride, kSimPadPageSize);
}

uint8_t CVirtualMousePad::ActivePage() const {
  const std::vector<uint8_t> byte = ReadBlock(SimBlock::Settings, 0, 1);
  return byte.empty() ? 0 : byte[0];
}

void CVirtualMousePad::SetActivePage(uint8_t page) {
  const uint8_t bytes[] = {page};
  WriteBlock(SimBlock::Settings, 0, bytes);
}

void CVirtualMousePad::ChangeLighting(std::span<const uint8_t> bytes1To8) {
  WriteBlock(SimBlock::Settings, ActivePage() * kSimLightingReadStride + 1, bytes1To8.first(std::min<size_t>(bytes1To8.size(), 8)));
  SendEvent(kSimEventReReadRequest);
}
