// Event reports through the kernel: each device's event code reaches the collection its event row
// names, picked out by report id from the other collections' reports on the same node.
#include <gtest/gtest.h>

#include "kernel_rig.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"
#include "transport/hid_device.h"
#include "transport/supported_devices.h"

namespace {

using Report = std::vector<uint8_t>;

constexpr uint32_t kReadTimeoutMs = 2000;

Report ReadOne(CHidDevice& port, uint32_t timeoutMs) {
  Report report(CHidDevice::kInputBufferCapacity);
  uint32_t count = 0;
  if (!port.ReadReport(report.data(), static_cast<uint32_t>(report.size()), &count, timeoutMs)) return {};
  report.resize(count);
  return report;
}

TEST(KernelEvents, EachDevicesEventReachesTheCollectionOfItsEventRow) {
  CKernelRig rig;
  auto mouse = std::make_shared<CVirtualMouse>();
  auto receiver = CVirtualReceiver::Create(mouse);
  auto pad = std::make_shared<CVirtualMousePad>();
  auto headset = std::make_shared<CVirtualHeadset>();
  struct Case {
    const char* name;
    std::shared_ptr<CVirtualDevice> plugged;  // whose interface the event row names
    CVirtualDevice* sender;
    size_t row;
    Report expected;
  };
  const Case cases[] = {
      {"mouse on its cable", mouse, mouse.get(), 5, {3, 0x01, 0x04}},
      {"mouse through its receiver", receiver, mouse.get(), 7, {3, 0x01, 0x04}},
      {"mouse pad", pad, pad.get(), 9, {3, 0x01, 0x04}},
      {"headset: events share the command collection", headset, headset.get(), 10, {1, 0x01, 0x04}},
  };
  for (const Case& c : cases) ASSERT_TRUE(rig.Plug(c.plugged));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SupportedDevice& row = kSupportedDevices[c.row];
    const std::string path = rig.PathOf(*c.plugged, static_cast<uint8_t>(row.InterfaceNumber),
                                        row.CollectionNumber == 0 ? 1 : row.CollectionNumber);
    CHidDevice events(rig.Backend());
    ASSERT_EQ(events.Open(path, true, false, true, false), 1) << path;
    c.sender->SendEvent(kSimEventReReadRequest);
    EXPECT_EQ(ReadOne(events, kReadTimeoutMs), c.expected);
  }
}

TEST(KernelEvents, TheEventPortSkipsPointerAndKeyboardReportsOfItsNode) {
  CKernelRig rig;
  auto mouse = std::make_shared<CVirtualMouse>();
  ASSERT_TRUE(rig.Plug(mouse));
  CHidDevice events(rig.Backend());
  ASSERT_EQ(events.Open(rig.PathOf(*mouse, 0, 3), true, false, true, false), 1);
  for (int i = 0; i < 20; ++i) {
    mouse->SendInputReport(0, {1, 0, 1, 0, 1, 0, 0, 0});     // pointer
    mouse->SendInputReport(0, {2, 0, 0, 4, 0, 0, 0, 0, 0});  // keyboard
  }
  mouse->ChangeProfile(2);
  EXPECT_EQ(ReadOne(events, kReadTimeoutMs), (Report{3, 0x02, 0x10}));
  EXPECT_TRUE(ReadOne(events, 0).empty()) << "nothing else was the event collection's";
}

}  // namespace
