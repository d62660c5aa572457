#include "sim/sim_hid_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/event.h"
#include "platform/hid/hid_interface_path.h"
#include "sim/standard_device_layouts.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"
#include "support/sim_frame_exchange.h"
#include "transport/hid_device.h"
#include "transport/hid_path_tags.h"

namespace {

const HidOpenMode kReadOnly{true, false, true, false};
const HidOpenMode kReadWrite{true, true, true, false};

std::shared_ptr<IHidConnection> OpenPath(CSimHidBackend& backend, const std::string& path, const HidOpenMode& mode) {
  HidOpenError error = HidOpenError::Failed;
  std::shared_ptr<IHidConnection> connection = backend.Open(path, mode, &error);
  EXPECT_EQ(error, connection ? HidOpenError::None : HidOpenError::NotFound);
  return connection;
}

TEST(SimHidBackend, StandardLayoutsEnumerateWhereTheDeviceTableLooks) {
  struct Collection {
    uint16_t interface, collection, usagePage, usage, input, output;
  };
  struct Case {
    const char* name;
    std::function<std::shared_ptr<CVirtualDevice>()> make;
    uint16_t vendor, product;
    std::vector<Collection> collections;
  };
  const std::vector<Collection> mouseShape = {{0, 1, 0x01, 0x02, 8, 0},
                                              {0, 2, 0x01, 0x06, 9, 2},
                                              {0, 3, 0x0C, 0x01, 3, 0},
                                              {1, 1, 0x01, 0x80, 2, 0},
                                              {1, 2, 0xFF1C, 0x92, 64, 64},
                                              {1, 3, 0x01, 0x02, 8, 0}};
  const Case cases[] = {
      {"mouse on its cable", [] { return std::make_shared<CVirtualMouse>(); }, 0x320F, 0x22A4, mouseShape},
      {"mouse receiver", [] { return CVirtualReceiver::Create(std::make_shared<CVirtualMouse>()); }, 0x320F, 0x226F,
       mouseShape},
      {"mouse pad",
       [] { return std::make_shared<CVirtualMousePad>(); },
       0x320F,
       0x1004,
       {{0, 1, 0x01, 0x06, 9, 2},
        {0, 2, 0x01, 0x80, 2, 0},
        {0, 3, 0x0C, 0x01, 3, 0},
        {1, 1, 0x01, 0x06, 17, 0},
        {1, 2, 0x01, 0x80, 2, 0},
        {1, 3, 0xFF00, 0x01, 33, 0},
        {1, 4, 0xFF1C, 0x92, 64, 64}}},
      {"headset: one collection, so no collection tag",
       [] { return std::make_shared<CVirtualHeadset>(); },
       0x0C76,
       0x1630,
       {{3, 0, 0x0C, 0x01, 64, 64}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSimHidBackend backend;
    ASSERT_TRUE(backend.Plug(c.make()));
    std::vector<std::string> paths;
    ASSERT_TRUE(backend.EnumerateInterfaces(paths));
    ASSERT_EQ(paths.size(), c.collections.size());
    for (size_t i = 0; i < paths.size(); ++i) {
      SCOPED_TRACE(paths[i]);
      const Collection& expected = c.collections[i];
      EXPECT_EQ(GetVidFromPath(paths[i]), c.vendor);
      EXPECT_EQ(GetPidFromPath(paths[i]), c.product);
      EXPECT_EQ(GetInterfaceFromPath(paths[i]), expected.interface);
      EXPECT_EQ(GetCollectionFromPath(paths[i]), expected.collection);
      EXPECT_NE(paths[i].find("&mi_"), std::string::npos);
      EXPECT_EQ(paths[i].find("&col") != std::string::npos, expected.collection != 0);
      std::shared_ptr<IHidConnection> connection = OpenPath(backend, paths[i], kReadOnly);
      ASSERT_TRUE(connection);
      EXPECT_EQ(connection->Caps().UsagePage, expected.usagePage);
      EXPECT_EQ(connection->Caps().Usage, expected.usage);
      EXPECT_EQ(connection->Caps().InputReportByteLength, expected.input);
      EXPECT_EQ(connection->Caps().OutputReportByteLength, expected.output);
      EXPECT_EQ(connection->Attributes().VendorID, c.vendor);
      EXPECT_EQ(connection->Attributes().ProductID, c.product);
    }
  }
}

TEST(SimHidBackend, BluetoothDeviceCarriesNoUsbTags) {
  SimDeviceDescription description = SimMouseCableLayout(0x0103);
  description.bus = SimBus::Bluetooth;
  auto mouse = std::make_shared<CVirtualMouse>(SimMouseOptions{}, description);
  CSimHidBackend backend;
  ASSERT_TRUE(backend.Plug(mouse));
  for (const std::string& path : backend.PathsOf(*mouse)) {
    SCOPED_TRACE(path);
    std::optional<HidInterfacePathParts> parts = ParseHidInterfacePath(path);
    ASSERT_TRUE(parts);
    EXPECT_FALSE(parts->usb);
    EXPECT_EQ(parts->busType, 0x0005);
    EXPECT_EQ(parts->interfaceNumber, -1);
    EXPECT_EQ(GetVidFromPath(path), 0);
  }
}

class SimBackendConnections : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(backend_.Plug(mouse_)); }

  std::shared_ptr<IHidConnection> OpenEvents() { return OpenPath(backend_, backend_.EventPathOf(*mouse_), kReadOnly); }

  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>();
  CSimHidBackend backend_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(64);
};

TEST_F(SimBackendConnections, PluggingTwiceIsRefused) {
  EXPECT_FALSE(backend_.Plug(mouse_));
  CSimHidBackend other;
  EXPECT_FALSE(other.Plug(mouse_));
}

TEST_F(SimBackendConnections, ChangeGenerationMovesOnlyWhenDevicesComeOrGo) {
  const uint64_t start = backend_.ChangeGeneration();
  std::vector<std::string> paths;
  backend_.EnumerateInterfaces(paths);
  EXPECT_EQ(backend_.ChangeGeneration(), start);
  mouse_->Unplug();
  const uint64_t unplugged = backend_.ChangeGeneration();
  EXPECT_NE(unplugged, start);
  backend_.EnumerateInterfaces(paths);
  EXPECT_TRUE(paths.empty());
  ASSERT_TRUE(backend_.Plug(mouse_));
  EXPECT_NE(backend_.ChangeGeneration(), unplugged);
}

TEST_F(SimBackendConnections, ReplugComesBackUnderNewPathsAndOldConnectionsStayDead) {
  const std::vector<std::string> before = backend_.PathsOf(*mouse_);
  std::shared_ptr<IHidConnection> old = OpenEvents();
  ASSERT_TRUE(old);
  ASSERT_TRUE(backend_.Replug(mouse_));
  const std::vector<std::string> after = backend_.PathsOf(*mouse_);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_NE(after[i], before[i]);
    EXPECT_FALSE(backend_.IsPresent(before[i]));
    EXPECT_TRUE(backend_.IsPresent(after[i]));
  }
  EXPECT_FALSE(OpenPath(backend_, before[0], kReadOnly));
  mouse_->SendEvent(kSimEventReReadRequest);
  EXPECT_EQ(old->Read(buffer_.data(), buffer_.size(), 20, nullptr), HidIoStatus::Failed);
  std::shared_ptr<IHidConnection> fresh = OpenEvents();
  ASSERT_TRUE(fresh);
  mouse_->SendEvent(kSimEventReReadRequest);
  EXPECT_EQ(fresh->Read(buffer_.data(), buffer_.size(), 1000, nullptr), HidIoStatus::Ok);
}

TEST_F(SimBackendConnections, EveryOpenConnectionGetsItsOwnCopy) {
  std::shared_ptr<IHidConnection> first = OpenEvents(), second = OpenEvents();
  mouse_->SendEvent(kSimEventReReadRequest);
  for (const auto& connection : {first, second}) {
    size_t count = 0;
    ASSERT_EQ(connection->Read(buffer_.data(), buffer_.size(), 1000, &count), HidIoStatus::Ok);
    EXPECT_EQ(std::vector<uint8_t>(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count)),
              (std::vector<uint8_t>{3, 0x01, 0x04}));
  }
}

TEST_F(SimBackendConnections, ShortBufferTakesTheReportsBeginning) {
  std::shared_ptr<IHidConnection> events = OpenEvents();
  mouse_->SendEvent(kSimEventReReadRequest);
  size_t count = 0;
  ASSERT_EQ(events->Read(buffer_.data(), 2, 1000, &count), HidIoStatus::Ok);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(events->Read(buffer_.data(), buffer_.size(), 0, &count), HidIoStatus::TimedOut);
}

TEST_F(SimBackendConnections, ReadWithNothingToReadTimesOut) {
  size_t count = 99;
  EXPECT_EQ(OpenEvents()->Read(buffer_.data(), buffer_.size(), 20, &count), HidIoStatus::TimedOut);
  EXPECT_EQ(count, 0u);
}

TEST_F(SimBackendConnections, FlushDropsWhatHasArrived) {
  std::shared_ptr<IHidConnection> events = OpenEvents();
  mouse_->SendEvent(kSimEventReReadRequest);
  mouse_->SendEvent(kSimEventReactiveTrigger);
  events->FlushInput();
  EXPECT_EQ(events->Read(buffer_.data(), buffer_.size(), 20, nullptr), HidIoStatus::TimedOut);
}

TEST_F(SimBackendConnections, ReadOnlyConnectionCannotWrite) {
  std::shared_ptr<IHidConnection> command = OpenPath(backend_, backend_.CommandPathOf(*mouse_), kReadOnly);
  SimFrame frame = SimCommandFrame(kSimCmdBeginConfig, 0, 0);
  EXPECT_EQ(command->Write(frame.data(), frame.size(), 1000, nullptr), HidIoStatus::Failed);
  EXPECT_EQ(mouse_->Frames().Size(), 0u);
}

TEST_F(SimBackendConnections, ReportLongerThanTheCollectionsOutputIsRefused) {
  std::shared_ptr<IHidConnection> command = OpenPath(backend_, backend_.CommandPathOf(*mouse_), kReadWrite);
  std::vector<uint8_t> tooLong(kSimFrameSize + 1, 0);
  tooLong[0] = kSimCommandReportId;
  EXPECT_EQ(command->Write(tooLong.data(), tooLong.size(), 1000, nullptr), HidIoStatus::Failed);
}

// Blocked transfers are released from another thread: by Abort (then Aborted for good) and by the
// device going away (Failed).
TEST_F(SimBackendConnections, BlockedReadIsReleasedByAbortOrUnplug) {
  struct Case {
    const char* name;
    std::function<void(IHidConnection&)> release;
    HidIoStatus expected;
  };
  const Case cases[] = {
      {"abort", [](IHidConnection& connection) { connection.Abort(); }, HidIoStatus::Aborted},
      {"unplug", [this](IHidConnection&) { mouse_->Unplug(); }, HidIoStatus::Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!mouse_->IsPlugged()) {
      ASSERT_TRUE(backend_.Plug(mouse_));
    }
    std::shared_ptr<IHidConnection> command = OpenPath(backend_, backend_.CommandPathOf(*mouse_), kReadWrite);
    HidIoStatus status = HidIoStatus::Ok;
    std::thread reader([&] {
      std::vector<uint8_t> buffer(64);
      status = command->Read(buffer.data(), buffer.size(), kInfiniteWait, nullptr);
    });
    c.release(*command);
    reader.join();
    EXPECT_EQ(status, c.expected);
    SimFrame frame = SimCommandFrame(kSimCmdBeginConfig, 0, 0);
    EXPECT_EQ(command->Write(frame.data(), frame.size(), 1000, nullptr), c.expected);
    EXPECT_EQ(command->Read(buffer_.data(), buffer_.size(), 1000, nullptr), c.expected);
  }
}

// Devices come and go on one thread while another talks to them and the firmware sends events:
// transfers may fail, but nothing may hang or race, and the device answers once it stays.
TEST_F(SimBackendConnections, ReplugWhileTalkingFromOtherThreads) {
  std::atomic<bool> done{false};
  std::thread plugger([&] {
    for (int i = 0; i < 200; ++i) backend_.Replug(mouse_);
    done = true;
  });
  std::thread eventSender([&] {
    while (!done) mouse_->SendEvent(kSimEventReReadRequest);
  });
  CHidDevice port(backend_);
  while (!done) {
    if (OpenSimCommandPort(backend_, *mouse_, port))
      ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadStatus, 2, 0), 50);
    std::vector<std::string> paths;
    backend_.EnumerateInterfaces(paths);
  }
  plugger.join();
  eventSender.join();
  ASSERT_EQ(OpenSimCommandPort(backend_, *mouse_, port), 1);
  EXPECT_TRUE(ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadStatus, 2, 0)));
}

TEST_F(SimBackendConnections, OpeningAnUnknownPathIsNotFound) {
  EXPECT_FALSE(OpenPath(backend_, R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#sim:mouse.1#sim99)", kReadOnly));
  EXPECT_FALSE(backend_.IsPresent("nonsense"));
}

}  // namespace
