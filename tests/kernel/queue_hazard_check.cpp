// The kernel keeps 63 input reports per open hidraw descriptor and drops the newest when full, and
// the mouse's macro pointer collection shares a node with its command collection: pointer reports
// nobody reads can fill that queue before a command's reply arrives. The port empties the queue
// before every write, so the reply always finds room; and an answer that comes late is never
// taken for another frame's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "kernel_rig.h"
#include "platform/event.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_mouse.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

constexpr int kFloodReports = 500;
// The hidraw driver's per-descriptor ring has 64 slots, one of which always stays empty.
constexpr size_t kKernelQueueReports = 63;

class KernelQueueHazard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig_.Plug(mouse_));
    ASSERT_EQ(channel_.DirectPort().Open(rig_.CommandPathOf(*mouse_), true, true, true, false), 1);
    channel_.SetConnectionType(kConnectionTypeCable);
    channel_.SetIsOpen(1);
  }

  CKernelRig rig_;
  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
  CUsbCommandChannel channel_{rig_.Backend()};
};

TEST_F(KernelQueueHazard, ACommandGetsItsReplyAfterAFloodOfPointerReports) {
  // A bare descriptor on the same node shows what the flood leaves in the kernel's queue.
  const std::string node = "/dev/" + NodeOfPath(rig_.CommandPathOf(*mouse_));
  const int witness = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(witness, 0);
  for (int i = 0; i < kFloodReports; ++i) mouse_->PlayPointerMove(1, -1);

  size_t queued = 0;
  bool onlyPointerReports = true;
  uint8_t report[128];
  for (ssize_t size; (size = read(witness, report, sizeof report)) > 0;) {
    ++queued;
    onlyPointerReports = onlyPointerReports && report[0] == kSimMacroPointerReportId;
  }
  close(witness);
  EXPECT_EQ(queued, kKernelQueueReports) << "the flood filled the queue to the brim";
  EXPECT_TRUE(onlyPointerReports);

  std::vector<uint8_t> info(kDeviceInfoSize);
  EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);
  EXPECT_EQ(channel_.ReadDeviceInfo(info.data()), kResultSuccess);
  EXPECT_EQ(info, mouse_->Block(SimBlock::DeviceInfo));
}

TEST_F(KernelQueueHazard, CommandsKeepTheirRepliesWhileAPatternStreamsPointerReports) {
  CEvent stop(true);
  std::thread pattern([&] {
    // About one report per millisecond, as a recoil pattern at the mouse's 1000 Hz polling rate.
    do {
      mouse_->PlayPointerMove(0, 2);
    } while (!stop.Wait(1));
  });
  ASSERT_EQ(channel_.SetConfigSize(static_cast<uint16_t>(mouse_->Block(SimBlock::ConfigImage).size())), 1);
  for (int round = 0; round < 5; ++round) {
    std::vector<uint8_t> image(channel_.ConfigSize());
    EXPECT_EQ(channel_.ReadConfigImage(image.data(), static_cast<uint32_t>(image.size())), kResultSuccess)
        << "round " << round;
    EXPECT_EQ(image, mouse_->Block(SimBlock::ConfigImage));
  }
  stop.Set();
  pattern.join();
}

TEST_F(KernelQueueHazard, AReplyThatComesAfterItsTimeOutShiftsNoLaterRead) {
  // The second chunk's answer comes after the host stopped waiting for it; it sits in the kernel's
  // queue while the chunk is asked for again, and must not be taken for any other frame's answer.
  ASSERT_EQ(channel_.SetConfigSize(static_cast<uint16_t>(mouse_->Block(SimBlock::ConfigImage).size())), 1);
  mouse_->Faults().LateReplyAt(2, 1500);
  std::vector<uint8_t> image(channel_.ConfigSize());
  EXPECT_EQ(channel_.ReadConfigImage(image.data(), static_cast<uint32_t>(image.size())), kResultSuccess);
  EXPECT_EQ(image, mouse_->Block(SimBlock::ConfigImage));
  std::vector<uint8_t> info(kDeviceInfoSize);
  EXPECT_EQ(channel_.ReadDeviceInfo(info.data()), kResultSuccess);
  EXPECT_EQ(info, mouse_->Block(SimBlock::DeviceInfo));
  EXPECT_EQ(channel_.ReadConfigImage(image.data(), static_cast<uint32_t>(image.size())), kResultSuccess);
  EXPECT_EQ(image, mouse_->Block(SimBlock::ConfigImage));
}

}  // namespace
