// The scan loop on real sysfs and real uevents: arrivals in slot order, every slot of a pulled
// device freed, and a device plugged in again (which gets the same hidraw node numbers back) seen
// as a new device.
//
// Removals are checked without their order: the kernel takes a device's interfaces away one after
// the other (interface 0 first, as the USB core does), and a pass that falls between the two
// reports the event slot before the command slot. Under software emulation one removal takes
// longer than a pass, so that is what usually happens here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "kernel_rig.h"
#include "platform/clock.h"
#include "scan_recorder.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"
#include "transport/device_scanner.h"
#include "transport/hid_device.h"

namespace {

// Far more than the few 100 ms passes a change takes to be seen, even under software emulation.
constexpr uint32_t kScanWaitMs = 10000;

std::vector<size_t> SlotsOf(const std::vector<ScanEvent>& events) {
  std::vector<size_t> slots;
  for (const ScanEvent& event : events) slots.push_back(event.slot);
  return slots;
}

std::vector<ScanEvent> Removals(std::initializer_list<size_t> slots) {
  std::vector<ScanEvent> events;
  for (size_t slot : slots) events.push_back({'R', slot, {}});
  return events;
}

class KernelScanLoop : public ::testing::Test {
 protected:
  CKernelRig rig_;
  CDeviceSlotList slots_;
  CScanRecorder recorder_;
  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
};

TEST_F(KernelScanLoop, ArrivalsComeInSlotOrderAndAPulledDeviceFreesEverySlot) {
  // Plugged in against slot order, all before the loop starts.
  ASSERT_TRUE(rig_.Plug(std::make_shared<CVirtualHeadset>()));
  ASSERT_TRUE(rig_.Plug(std::make_shared<CVirtualMousePad>()));
  std::shared_ptr<CVirtualReceiver> receiver = CVirtualReceiver::Create(mouse_);
  ASSERT_TRUE(rig_.Plug(receiver));
  ASSERT_TRUE(rig_.Plug(mouse_));

  CDeviceScanner scanner(rig_.Backend(), slots_, recorder_);
  scanner.Start();
  const std::vector<ScanEvent> arrivals = recorder_.TakeWhenCount(7, kScanWaitMs);
  EXPECT_EQ(SlotsOf(arrivals), (std::vector<size_t>{4, 5, 6, 7, 8, 9, 10}));
  for (const ScanEvent& arrival : arrivals) EXPECT_EQ(arrival.what, 'A');

  rig_.Bridge().Unplug(*receiver);
  EXPECT_THAT(recorder_.TakeWhenCount(2, kScanWaitMs), testing::UnorderedElementsAreArray(Removals({6, 7})));
  scanner.Stop();
  EXPECT_TRUE(recorder_.Take().empty()) << "nothing else came or went";
  EXPECT_TRUE(slots_.IsFree(6) && slots_.IsFree(7));
  EXPECT_FALSE(slots_.IsFree(4) || slots_.IsFree(5) || slots_.IsFree(8) || slots_.IsFree(9) || slots_.IsFree(10));
}

TEST_F(KernelScanLoop, APluggedAgainDeviceGetsItsNodesBackAndIsSeenAsNew) {
  ASSERT_TRUE(rig_.Plug(mouse_));
  CDeviceScanner scanner(rig_.Backend(), slots_, recorder_);
  scanner.Start();
  const std::vector<ScanEvent> first = recorder_.TakeWhenCount(2, kScanWaitMs);
  ASSERT_EQ(SlotsOf(first), (std::vector<size_t>{4, 5}));

  rig_.Bridge().Unplug(*mouse_);
  EXPECT_THAT(recorder_.TakeWhenCount(2, kScanWaitMs), testing::UnorderedElementsAreArray(Removals({4, 5})));
  ASSERT_TRUE(rig_.Plug(mouse_));
  const std::vector<ScanEvent> again = recorder_.TakeWhenCount(2, kScanWaitMs);
  scanner.Stop();
  ASSERT_EQ(SlotsOf(again), (std::vector<size_t>{4, 5}));
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(NodeOfPath(again[i].path), NodeOfPath(first[i].path)) << "the kernel hands the node numbers out again";
    EXPECT_NE(InstanceOfPath(again[i].path), InstanceOfPath(first[i].path));
  }
  EXPECT_EQ(again[0].path, rig_.CommandPathOf(*mouse_));
}

TEST_F(KernelScanLoop, ADeviceThatComesLongAfterTheLastChangeIsSeenByItsUeventNotByASlowPass) {
  CDeviceScanner scanner(rig_.Backend(), slots_, recorder_);
  scanner.Start();
  SleepMs(CDeviceScanner::kSettleMs + 500);  // the loop now only passes every few seconds
  const uint64_t plugged = GetTickCountMs();
  ASSERT_TRUE(rig_.Plug(mouse_));
  EXPECT_THAT(SlotsOf(recorder_.TakeWhenCount(2, kScanWaitMs)), testing::UnorderedElementsAre(4, 5));
  EXPECT_LT(GetTickCountMs() - plugged, CDeviceScanner::kQuietPassIntervalMs - 1000);
  scanner.Stop();
}

TEST_F(KernelScanLoop, APlugCycleBetweenTwoPassesIsARemovalAndThenAnArrival) {
  ASSERT_TRUE(rig_.Plug(mouse_));
  CDeviceScanner scanner(rig_.Backend(), slots_, recorder_);
  ASSERT_TRUE(scanner.RunPass());
  const std::vector<ScanEvent> first = recorder_.Take();
  ASSERT_EQ(SlotsOf(first), (std::vector<size_t>{4, 5}));

  // Out and in again before the loop looks: the same node numbers now name another HID device.
  rig_.Bridge().Unplug(*mouse_);
  ASSERT_TRUE(rig_.Plug(mouse_));
  ASSERT_EQ(NodeOfPath(rig_.CommandPathOf(*mouse_)), NodeOfPath(first[0].path));

  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(recorder_.Take(), testing::ElementsAreArray(Removals({4, 5})));
  CHidDevice stale(rig_.Backend());
  EXPECT_EQ(stale.Open(first[0].path, true, false, true, false), 0) << "the old path must not open the new device";
  EXPECT_EQ(stale.GetLastOpenError(), HidOpenError::NotFound);
  ASSERT_TRUE(scanner.RunPass());
  const std::vector<ScanEvent> again = recorder_.Take();
  ASSERT_EQ(SlotsOf(again), (std::vector<size_t>{4, 5}));
  EXPECT_EQ(again[0].path, rig_.CommandPathOf(*mouse_));
  EXPECT_NE(again[0].path, first[0].path);
}

}  // namespace
