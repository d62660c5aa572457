// What the port does when a transfer cannot complete: an abort from another thread ends a read
// that waits without limit at once, and a device that vanishes makes reads and writes fail
// instead of waiting for their time-outs.
#include <gtest/gtest.h>

#include <thread>

#include "kernel_rig.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "sim/sim_frame.h"
#include "sim/virtual_mouse.h"
#include "transport/hid_device.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

// The direct connection's time-out: a failure that is seen at once comes well before it.
constexpr uint32_t kTransferTimeoutMs = 1000;

class KernelPortFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig_.Plug(mouse_));
    path_ = rig_.CommandPathOf(*mouse_);
    ASSERT_FALSE(path_.empty());
  }

  CKernelRig rig_;
  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
  std::string path_;
};

TEST_F(KernelPortFailures, AnAbortedReadReturnsAtOnceAndThePortWorksAgainAfterReopen) {
  CHidDevice port(rig_.Backend());
  ASSERT_EQ(port.Open(path_, true, true, true, false), 1);
  CEvent reading(true);
  int result = -1;
  std::thread reader([&] {
    uint8_t report[65];
    reading.Set();
    result = port.ReadReport(report, sizeof report, nullptr, kInfiniteWait);
  });
  ASSERT_TRUE(reading.Wait(kTransferTimeoutMs));
  // Gives the reader time to block in the kernel; the abort must end the read either way.
  SleepMs(50);
  const uint64_t closedAt = GetTickCountMs();
  port.Close();
  reader.join();
  EXPECT_EQ(result, 0);
  EXPECT_LT(GetTickCountMs() - closedAt, kTransferTimeoutMs);

  ASSERT_EQ(port.Reopen(), 1);
  const SimFrame request = SimCommandFrame(kSimCmdBeginConfig, 0, 0);
  ASSERT_EQ(port.WriteReport(request.data(), kSimFrameSize, nullptr, kTransferTimeoutMs), 1);
  SimFrame reply{};
  ASSERT_EQ(port.ReadReport(reply.data(), kSimFrameSize, nullptr, kTransferTimeoutMs), 1);
  EXPECT_EQ(reply[kSimFrameCommandByte], kSimCmdBeginConfig);
}

TEST_F(KernelPortFailures, TransfersOnAVanishedDeviceFailCleanlyAndItsPathIsGone) {
  CHidDevice port(rig_.Backend());
  ASSERT_EQ(port.Open(path_, true, true, true, false), 1);
  rig_.Bridge().Unplug(*mouse_);

  const SimFrame request = SimCommandFrame(kSimCmdBeginConfig, 0, 0);
  const uint64_t startedAt = GetTickCountMs();
  uint32_t written = 1;
  EXPECT_EQ(port.WriteReport(request.data(), kSimFrameSize, &written, kTransferTimeoutMs), 0);
  EXPECT_EQ(written, 0u);
  SimFrame reply{};
  uint32_t read = 1;
  EXPECT_EQ(port.ReadReport(reply.data(), kSimFrameSize, &read, kTransferTimeoutMs), 0);
  EXPECT_EQ(read, 0u);
  EXPECT_LT(GetTickCountMs() - startedAt, kTransferTimeoutMs);

  EXPECT_FALSE(rig_.Backend().IsPresent(path_));
  EXPECT_EQ(port.Reopen(), 0);
  EXPECT_EQ(port.GetLastOpenError(), HidOpenError::NotFound);
}

TEST_F(KernelPortFailures, ADeviceThatVanishesWithAFrameInFlightFailsTheExchangeAtOnce) {
  CUsbCommandChannel channel(rig_.Backend());
  ASSERT_EQ(channel.DirectPort().Open(path_, true, true, true, false), 1);
  channel.SetConnectionType(kConnectionTypeCable);
  channel.SetIsOpen(1);
  mouse_->Faults().UnplugAfterFrames(0);
  const uint64_t startedAt = GetTickCountMs();
  // The reply read fails, the re-send finds the device gone.
  EXPECT_EQ(channel.BeginConfig(), kResultWriteFailed);
  EXPECT_LT(GetTickCountMs() - startedAt, kTransferTimeoutMs);
  EXPECT_FALSE(mouse_->IsPlugged());
}

}  // namespace
