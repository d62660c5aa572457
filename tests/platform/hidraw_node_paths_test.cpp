#include "platform/hidraw/hidraw_node_paths.h"

#include <gtest/gtest.h>

#include "support/hid_descriptor_fixtures.h"

namespace {

HidDescriptorSummary Summarise(std::span<const uint8_t> bytes) {
  std::string error;
  auto summary = ParseReportDescriptor(bytes.data(), bytes.size(), &error);
  EXPECT_TRUE(summary) << error;
  return summary.value_or(HidDescriptorSummary{});
}

TEST(HidrawNodePaths, TagsInterfaceOnlyWhenCompositeAndCollectionOnlyWhenSeveral) {
  struct Case {
    const char* name;
    HidrawNodeAttributes attributes;
    std::span<const uint8_t> descriptor;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"mouse command interface: composite, two collections",
       {"hidraw5", "0003:320F:22A4.0007", kHidBusUsb, 0x320F, 0x22A4, 0x0103, 1, true},
       kMouseCommandInterfaceReportDescriptor,
       {R"(\\?\hid#vid_320f&pid_22a4&mi_01&col01#0003:320F:22A4.0007#hidraw5)",
        R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0007#hidraw5)"}},
      {"mouse event interface: composite, three collections",
       {"hidraw4", "0003:320F:22A4.0006", kHidBusUsb, 0x320F, 0x22A4, 0x0103, 0, true},
       kMouseEventInterfaceReportDescriptor,
       {R"(\\?\hid#vid_320f&pid_22a4&mi_00&col01#0003:320F:22A4.0006#hidraw4)",
        R"(\\?\hid#vid_320f&pid_22a4&mi_00&col02#0003:320F:22A4.0006#hidraw4)",
        R"(\\?\hid#vid_320f&pid_22a4&mi_00&col03#0003:320F:22A4.0006#hidraw4)"}},
      {"headset: composite, one collection",
       {"hidraw0", "0003:0C76:1630.0001", kHidBusUsb, 0x0C76, 0x1630, 0x0100, 3, true},
       kHeadsetReportDescriptor,
       {R"(\\?\hid#vid_0c76&pid_1630&mi_03#0003:0C76:1630.0001#hidraw0)"}},
      {"single-interface device, one collection",
       {"hidraw2", "0003:046D:C077.0002", kHidBusUsb, 0x046D, 0xC077, 0, 0, false},
       kBootMouseReportDescriptor,
       {R"(\\?\hid#vid_046d&pid_c077#0003:046D:C077.0002#hidraw2)"}},
      {"single-interface device, two collections",
       {"hidraw9", "0003:320F:1004.0010", kHidBusUsb, 0x320F, 0x1004, 0, 0, false},
       kMouseCommandInterfaceReportDescriptor,
       {R"(\\?\hid#vid_320f&pid_1004&col01#0003:320F:1004.0010#hidraw9)",
        R"(\\?\hid#vid_320f&pid_1004&col02#0003:320F:1004.0010#hidraw9)"}},
      {"bluetooth: no vendor tags, so no row can match",
       {"hidraw7", "0005:320F:22A4.0009", kHidBusBluetooth, 0x320F, 0x22A4, 0, 1, true},
       kMouseCommandInterfaceReportDescriptor,
       {R"(\\?\hid#bus_0005&ven_320f&dev_22a4&col01#0005:320F:22A4.0009#hidraw7)",
        R"(\\?\hid#bus_0005&ven_320f&dev_22a4&col02#0005:320F:22A4.0009#hidraw7)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildHidrawInterfacePaths(c.attributes, Summarise(c.descriptor)), c.expected);
  }
}

TEST(HidrawNodePaths, ReadsBusVendorAndProductFromTheHidDeviceName) {
  struct Case {
    const char* name;
    std::optional<HidInstanceId> expected;
  };
  const Case cases[] = {
      {"0003:320F:22A4.0007", HidInstanceId{0x0003, 0x320F, 0x22A4}},
      {"0005:0c76:1630.000A", HidInstanceId{0x0005, 0x0C76, 0x1630}},
      {"0003:320F:22A4", std::nullopt},
      {"0003:320F.22A4:0007", std::nullopt},
      {"0003:1320F:22A4.0007", std::nullopt},
      {"0003::22A4.0007", std::nullopt},
      {"0003:32G0:22A4.0007", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<HidInstanceId> actual = ParseHidInstanceName(c.name);
    ASSERT_EQ(actual.has_value(), c.expected.has_value());
    if (!actual) continue;
    EXPECT_EQ(actual->busType, c.expected->busType);
    EXPECT_EQ(actual->vendorId, c.expected->vendorId);
    EXPECT_EQ(actual->productId, c.expected->productId);
  }
}

TEST(HidrawNodePaths, TakesTheInterfaceFromThePhysicalPathSuffix) {
  struct Case {
    const char* phys;
    int expected;
  };
  const Case cases[] = {
      {"usb-0000:00:14.0-1/input1", 1}, {"t640-virtual/input3", 3}, {"usb-0000:00:14.0-1/input12", 12},
      {"aa:bb:cc:dd:ee:ff", -1},        {"usb-0000:00:14.0-1/input", -1}, {"x/input1a", -1},
      {"x/input300", -1},               {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(InterfaceNumberFromPhys(c.phys), c.expected) << c.phys;
}

TEST(HidrawNodePaths, AcceptsOnlyHidrawNodeNames) {
  EXPECT_EQ(HidrawNodeNumber("hidraw0"), 0);
  EXPECT_EQ(HidrawNodeNumber("hidraw17"), 17);
  for (const char* name : {"hidraw", "hidraw1/../../etc", "hidraw-1", "event3", "", "hidraw 1"}) {
    EXPECT_EQ(HidrawNodeNumber(name), -1) << name;
  }
}

}  // namespace
