// The report descriptors the uhid bridge gives the kernel must describe, once parsed, exactly the
// collections the virtual device declares; otherwise the hidraw backend would see another device
// through the kernel than the simulated backend shows.
#include "sim/uhid/uhid_report_descriptor.h"

#include <gtest/gtest.h>

#include "platform/hid/report_descriptor.h"
#include "sim/standard_device_layouts.h"

namespace {

SimCollection VendorCollection(std::vector<uint8_t> inputIds, uint16_t inputLength, std::vector<uint8_t> outputIds,
                               uint16_t outputLength) {
  SimCollection collection;
  collection.layout.usagePage = 0xFF1C;
  collection.layout.usage = 0x92;
  collection.layout.inputReportIds = std::move(inputIds);
  collection.layout.inputReportByteLength = inputLength;
  collection.layout.outputReportIds = std::move(outputIds);
  collection.layout.outputReportByteLength = outputLength;
  collection.commands = true;
  return collection;
}

TEST(UhidReportDescriptor, EveryStandardInterfaceParsesBackToItsCollections) {
  const SimDeviceDescription devices[] = {SimMouseCableLayout(0x0103), SimMouseReceiverLayout(0x0105),
                                          SimMousePadLayout(0x0101), SimHeadsetLayout(0x0100)};
  for (const SimDeviceDescription& device : devices) {
    for (const SimInterface& interface : device.interfaces) {
      SCOPED_TRACE(device.name + " interface " + std::to_string(interface.number));
      std::string error;
      std::optional<std::vector<uint8_t>> descriptor = BuildUhidReportDescriptor(interface, &error);
      ASSERT_TRUE(descriptor) << error;
      EXPECT_LE(descriptor->size(), 4096u);  // the kernel's limit for a report descriptor

      std::optional<HidDescriptorSummary> parsed =
          ParseReportDescriptor(descriptor->data(), descriptor->size(), &error);
      ASSERT_TRUE(parsed) << error;
      EXPECT_TRUE(parsed->usesReportIds);
      ASSERT_EQ(parsed->collections.size(), interface.collections.size());
      for (size_t i = 0; i < interface.collections.size(); ++i) {
        const HidTopLevelCollection& want = interface.collections[i].layout;
        const HidTopLevelCollection& got = parsed->collections[i];
        SCOPED_TRACE("collection " + std::to_string(i + 1));
        EXPECT_EQ(got.usagePage, want.usagePage);
        EXPECT_EQ(got.usage, want.usage);
        EXPECT_EQ(got.inputReportIds, want.inputReportIds);
        EXPECT_EQ(got.outputReportIds, want.outputReportIds);
        EXPECT_EQ(got.featureReportIds, want.featureReportIds);
        EXPECT_EQ(got.inputReportByteLength, want.inputReportByteLength);
        EXPECT_EQ(got.outputReportByteLength, want.outputReportByteLength);
        EXPECT_EQ(got.featureReportByteLength, want.featureReportByteLength);
      }
    }
  }
}

TEST(UhidReportDescriptor, UnnumberedReportsGetNoReportIdItem) {
  SimInterface interface {
    0, { VendorCollection({0}, 65, {0}, 65) }
  };
  std::string error;
  std::optional<std::vector<uint8_t>> descriptor = BuildUhidReportDescriptor(interface, &error);
  ASSERT_TRUE(descriptor) << error;
  auto parsed = ParseReportDescriptor(descriptor->data(), descriptor->size(), &error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_FALSE(parsed->usesReportIds);
  EXPECT_EQ(parsed->collections[0].inputReportByteLength, 65);
}

TEST(UhidReportDescriptor, AShorterReportIsLaidOutAtItsOwnLength) {
  // With only the short report left, the declared longest length can no longer be met.
  SimCollection collection = VendorCollection({4}, 64, {0xFF}, 64);
  collection.shorterReports = {{SimReportKind::Output, 0xFF, 17}};
  std::string error;
  EXPECT_FALSE(BuildUhidReportDescriptor(SimInterface{3, {collection}}, &error));
  EXPECT_NE(error.find("lengths 64/17/0 instead of 64/64/0"), std::string::npos) << error;

  collection.layout.outputReportByteLength = 17;
  EXPECT_TRUE(BuildUhidReportDescriptor(SimInterface{3, {collection}}, &error)) << error;
}

TEST(UhidReportDescriptor, InterfacesThatNoDescriptorCanExpressAreRefused) {
  struct Case {
    const char* name;
    SimInterface interface;
    const char* reason;
  };
  const Case cases[] = {
      {"report ids mixed with unnumbered reports",
       {1, {VendorCollection({4}, 64, {4}, 64), VendorCollection({0}, 9, {}, 0)}},
       "mixes report ids"},
      {"a length without a report", {1, {VendorCollection({4}, 64, {}, 64)}}, "length but no report"},
      {"a report with no room for data", {1, {VendorCollection({4}, 1, {}, 0)}}, "carries no data"},
      {"no collection at all", {1, {}}, "no collection"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(BuildUhidReportDescriptor(c.interface, &error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

}  // namespace
