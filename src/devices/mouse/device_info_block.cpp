#include "devices/mouse/device_info_block.h"

namespace {

constexpr size_t kSignatureOffset = 0;
constexpr size_t kRecordCountOffset = 5;
constexpr size_t kMacroUnitsOffset = 6;
constexpr size_t kInitMarkerOffset = 7;
constexpr size_t kSensorIdOffset = 9;
constexpr size_t kSensitivityStepOffset = 11;
constexpr size_t kSliderLimitOffset = 12;
constexpr size_t kSensitivityBaseOffset = 14;
constexpr uint32_t kMacroUnitBytes = 128;

uint16_t ReadLittleEndian(const std::array<uint8_t, kDeviceInfoBlockSize>& bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

}  // namespace

uint16_t DeviceInfoBlock::Signature() const { return ReadLittleEndian(bytes, kSignatureOffset); }
uint8_t DeviceInfoBlock::RecordCount() const { return bytes[kRecordCountOffset]; }
uint8_t DeviceInfoBlock::MacroUnits() const { return bytes[kMacroUnitsOffset]; }
uint8_t DeviceInfoBlock::InitMarker() const { return bytes[kInitMarkerOffset]; }
void DeviceInfoBlock::SetInitMarker(uint8_t marker) { bytes[kInitMarkerOffset] = marker; }
uint16_t DeviceInfoBlock::SensorId() const { return ReadLittleEndian(bytes, kSensorIdOffset); }
uint8_t DeviceInfoBlock::SensitivityStep() const { return bytes[kSensitivityStepOffset]; }
uint16_t DeviceInfoBlock::SliderLimit() const { return ReadLittleEndian(bytes, kSliderLimitOffset); }
uint16_t DeviceInfoBlock::SensitivityBase() const { return ReadLittleEndian(bytes, kSensitivityBaseOffset); }

bool DeviceInfoBlock::HasSignature() const { return Signature() == kDeviceInfoSignature; }
bool DeviceInfoBlock::IsInitialised() const { return HasSignature() && InitMarker() == kDeviceInitialisedMarker; }
bool DeviceInfoBlock::IsFresh() const { return HasSignature() && InitMarker() == 0; }
uint16_t DeviceInfoBlock::ConfigImageSize() const { return static_cast<uint16_t>(3u * RecordCount()); }
uint32_t DeviceInfoBlock::MacroCapacityBytes() const { return kMacroUnitBytes * MacroUnits(); }
