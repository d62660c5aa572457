#include "devices/mouse/device_info_block.h"

#include <gtest/gtest.h>

namespace {

// A block as the device reports it: 12 records, 16 macro units, sensor 12548, step 50,
// slider limit 162, base 50.
DeviceInfoBlock SampleBlock(uint8_t marker) {
  DeviceInfoBlock info;
  info.bytes = {0xAA, 0x55, 0, 0, 0, 12, 16, marker, 0, 0x04, 0x31, 50, 0xA2, 0x00, 0x32, 0x00};
  return info;
}

TEST(DeviceInfoBlock, FieldsAreLittleEndianAtTheirOffsets) {
  const DeviceInfoBlock info = SampleBlock(kDeviceInitialisedMarker);
  EXPECT_EQ(info.Signature(), kDeviceInfoSignature);
  EXPECT_EQ(info.RecordCount(), 12);
  EXPECT_EQ(info.ConfigImageSize(), 36);
  EXPECT_EQ(info.MacroUnits(), 16);
  EXPECT_EQ(info.MacroCapacityBytes(), 2048u);
  EXPECT_EQ(info.SensorId(), 12548);
  EXPECT_EQ(info.SensitivityStep(), 50);
  EXPECT_EQ(info.SliderLimit(), 162);
  EXPECT_EQ(info.SensitivityBase(), 50);
}

TEST(DeviceInfoBlock, LargestRecordCountGivesAnImageTooBigForTheDevice) {
  DeviceInfoBlock info;
  info.bytes[5] = 255;
  EXPECT_EQ(info.ConfigImageSize(), 765);
}

TEST(DeviceInfoBlock, InitialisationStates) {
  struct Case {
    uint8_t marker;
    bool signed_;
    bool initialised;
    bool fresh;
  };
  const Case cases[] = {
      {kDeviceInitialisedMarker, true, true, false},
      {0, true, false, true},
      {0, false, false, false},  // unsigned garbage is not a fresh device
      {0x16, true, false, false},
  };
  for (const Case& c : cases) {
    DeviceInfoBlock info = SampleBlock(c.marker);
    if (!c.signed_) info.bytes[1] = 0x00;
    EXPECT_EQ(info.IsInitialised(), c.initialised) << int{c.marker} << " signed " << c.signed_;
    EXPECT_EQ(info.IsFresh(), c.fresh) << int{c.marker} << " signed " << c.signed_;
  }
}

TEST(DeviceInfoBlock, MarkingAFreshBlockInitialisedChangesOnlyTheMarker) {
  DeviceInfoBlock info = SampleBlock(0);
  const DeviceInfoBlock before = info;
  info.SetInitMarker(kDeviceInitialisedMarker);
  EXPECT_TRUE(info.IsInitialised());
  info.bytes[7] = 0;
  EXPECT_EQ(info.bytes, before.bytes);
}

}  // namespace
