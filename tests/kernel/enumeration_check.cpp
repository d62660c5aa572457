// Enumeration and path synthesis on real sysfs: every virtual device, once the kernel has made its
// hidraw nodes, is listed by the hidraw backend with exactly the paths a real USB device would get,
// and the scan loop claims exactly the supported rows of that device.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "kernel_rig.h"
#include "scan_recorder.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"
#include "transport/device_scanner.h"
#include "transport/hid_device.h"

namespace {

struct ExpectedCollection {
  uint8_t interface;
  int collection;  // 0: the interface's only collection, so no tag
  uint16_t usagePage, usage, inputLength, outputLength;
};

struct DeviceCase {
  const char* name;
  std::function<std::shared_ptr<CVirtualDevice>()> make;
  uint16_t vendor, product, version;
  std::vector<ExpectedCollection> collections;
  std::vector<size_t> rows;  // the supported-device rows the device's interfaces fill
};

std::vector<DeviceCase> DeviceCases() {
  const std::vector<ExpectedCollection> mouseShape = {
      {0, 1, 0x01, 0x02, 8, 0},      // pointer
      {0, 2, 0x01, 0x06, 9, 2},      // keyboard
      {0, 3, 0x0C, 0x01, 3, 0},      // consumer control: events
      {1, 1, 0x01, 0x80, 2, 0},      // system control
      {1, 2, 0xFF1C, 0x92, 64, 64},  // vendor: commands
      {1, 3, 0x01, 0x02, 8, 0},      // pointer of macros and recoil patterns
  };
  return {
      {"mouse on its cable",
       [] { return std::make_shared<CVirtualMouse>(SimMouseOptions{.firmwareVersion = 0x0109}); },
       0x320F,
       0x22A4,
       0x0109,
       mouseShape,
       {4, 5}},
      {"mouse receiver",
       [] {
         return CVirtualReceiver::Create(std::make_shared<CVirtualMouse>(), SimReceiverOptions{.version = 0x0207});
       },
       0x320F,
       0x226F,
       0x0207,
       mouseShape,
       {6, 7}},
      {"mouse pad",
       [] { return std::make_shared<CVirtualMousePad>(SimMousePadOptions{.firmwareVersion = 0x0111}); },
       0x320F,
       0x1004,
       0x0111,
       {{0, 1, 0x01, 0x06, 9, 2},
        {0, 2, 0x01, 0x80, 2, 0},
        {0, 3, 0x0C, 0x01, 3, 0},
        {1, 1, 0x01, 0x06, 17, 0},
        {1, 2, 0x01, 0x80, 2, 0},
        {1, 3, 0xFF00, 0x01, 33, 0},
        {1, 4, 0xFF1C, 0x92, 64, 64}},
       {8, 9}},
      {"headset: one collection, so no collection tag",
       [] { return std::make_shared<CVirtualHeadset>(SimHeadsetOptions{.firmwareVersion = 0x0123}); },
       0x0C76,
       0x1630,
       0x0123,
       {{3, 0, 0x0C, 0x01, 64, 64}},
       {10}},
  };
}

TEST(KernelEnumeration, EveryVirtualDeviceIsListedWithTheCollectionsAndPathsOfTheRealOne) {
  for (const DeviceCase& c : DeviceCases()) {
    SCOPED_TRACE(c.name);
    CKernelRig rig;
    std::shared_ptr<CVirtualDevice> device = c.make();
    ASSERT_TRUE(rig.Plug(device));
    const std::vector<UhidInterfaceInfo> interfaces = rig.Bridge().InterfacesOf(*device);
    const std::vector<std::string> paths = rig.PathsOf(*device);
    ASSERT_EQ(paths.size(), c.collections.size());

    for (size_t i = 0; i < paths.size(); ++i) {
      const ExpectedCollection& want = c.collections[i];
      SCOPED_TRACE(paths[i]);
      auto info = std::find_if(interfaces.begin(), interfaces.end(), [&](const UhidInterfaceInfo& candidate) {
        return candidate.interfaceNumber == want.interface;
      });
      ASSERT_NE(info, interfaces.end());
      HidInterfacePathParts parts;
      parts.vendorId = c.vendor;
      parts.productId = c.product;
      parts.interfaceNumber = want.interface;  // from the "/inputN" end of the phys string
      parts.collectionNumber = want.collection;
      parts.instance = info->node.instance;
      parts.node = info->node.node;
      EXPECT_EQ(paths[i], BuildHidInterfacePath(parts));

      CHidDevice port(rig.Backend());
      ASSERT_EQ(port.Open(paths[i], true, false, true, false), 1);
      const HidAttributes attributes = port.GetAttributes();
      const HidCaps caps = port.GetCaps();
      EXPECT_EQ(attributes.VendorID, c.vendor);
      EXPECT_EQ(attributes.ProductID, c.product);
      EXPECT_EQ(attributes.VersionNumber, c.version);
      EXPECT_EQ(caps.UsagePage, want.usagePage);
      EXPECT_EQ(caps.Usage, want.usage);
      EXPECT_EQ(caps.InputReportByteLength, want.inputLength);
      EXPECT_EQ(caps.OutputReportByteLength, want.outputLength);
      EXPECT_EQ(port.GetInterfaceNumber(), want.interface);
      EXPECT_EQ(port.GetCollectionNumber(), want.collection);
    }

    // The scan loop claims exactly the device's rows, each with the path of its interface and collection.
    CDeviceSlotList slots;
    CScanRecorder recorder;
    CDeviceScanner scanner(rig.Backend(), slots, recorder);
    ASSERT_TRUE(scanner.RunPass());
    const std::vector<ScanEvent> arrivals = recorder.Take();
    std::vector<size_t> claimed;
    for (const ScanEvent& arrival : arrivals) {
      claimed.push_back(arrival.slot);
      const SupportedDevice& row = kSupportedDevices[arrival.slot];
      EXPECT_EQ(arrival.path, rig.PathOf(*device, static_cast<uint8_t>(row.InterfaceNumber),
                                         row.CollectionNumber == 0 ? 1 : row.CollectionNumber))
          << "row " << arrival.slot;
    }
    EXPECT_EQ(claimed, c.rows);
  }
}

TEST(KernelEnumeration, ACollectionWithTheRowsTagsButAnotherUsageIsNeverClaimed) {
  CKernelRig rig;
  SimDeviceDescription odd = SimMouseCableLayout(0x0103);
  for (SimInterface& interface : odd.interfaces) {
    for (SimCollection& collection : interface.collections) {
      if (collection.commands) collection.layout.usage = 0x93;
    }
  }
  auto mouse = std::make_shared<CVirtualMouse>(SimMouseOptions{}, odd);
  ASSERT_TRUE(rig.Plug(mouse));
  const std::string oddPath = rig.PathOf(*mouse, 1, 2);
  ASSERT_FALSE(oddPath.empty());
  CHidDevice port(rig.Backend());
  ASSERT_EQ(port.Open(oddPath, true, false, true, false), 1);
  EXPECT_EQ(port.GetCaps().Usage, 0x93) << "the kernel's descriptor carries the other usage";
  port.Close();

  CDeviceSlotList slots;
  CScanRecorder recorder;
  CDeviceScanner scanner(rig.Backend(), slots, recorder);
  for (int pass = 0; pass < 3; ++pass) ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(recorder.Take(), testing::ElementsAre(ScanEvent{'A', 5, rig.PathOf(*mouse, 0, 3)}));
  EXPECT_TRUE(slots.IsFree(4));
}

}  // namespace
