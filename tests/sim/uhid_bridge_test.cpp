// The uhid bridge against a stand-in for /dev/uhid: each device the bridge creates gets one end of
// a SOCK_SEQPACKET socket pair (one uhid event per message, as the kernel hands them out), and the
// test plays the kernel on the other end. What only the real kernel can show (nodes, sysfs,
// hidraw) is checked inside the test VM by tests/kernel.
#include "sim/uhid/uhid_bridge.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <optional>

#include "sim/sim_frame.h"
#include "sim/standard_device_layouts.h"
#include "sim/uhid/uhid_events.h"
#include "sim/uhid/uhid_report_descriptor.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"

namespace {

using Report = std::vector<uint8_t>;

constexpr int kWaitMs = 2000;

// The kernel's end of one uhid device.
struct FakeUhidDevice {
  int fd = -1;
  uhid_create2_req created{};
  bool destroyed = false;

  std::string Phys() const { return reinterpret_cast<const char*>(created.phys); }
  std::string Uniq() const { return reinterpret_cast<const char*>(created.uniq); }
  Report Descriptor() const { return Report(created.rd_data, created.rd_data + created.rd_size); }
};

class CFakeUhidKernel : public IUhidSystem {
 public:
  ~CFakeUhidKernel() override {
    for (FakeUhidDevice& device : devices_) close(device.fd);
  }

  int OpenDevice(UhidError* error) override {
    if (refuseAfter_ == 0) {
      *error = UhidError::AccessDenied;
      return -1;
    }
    --refuseAfter_;
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0) return -1;
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    devices_.push_back({fds[1]});
    *error = UhidError::None;
    return fds[0];
  }

  bool WaitForNode(const std::string& uniq, const std::string& phys, uint32_t, UhidNode* node) override {
    FakeUhidDevice& device = devices_.back();
    std::optional<uhid_event> event = Next(device, UHID_CREATE2);
    if (!event || !makeNodes_) return false;
    device.created = event->u.create2;
    if (device.Uniq() != uniq || device.Phys() != phys) return false;
    node->node = "hidraw" + std::to_string(devices_.size() - 1);
    node->instance = "0003:" + std::to_string(devices_.size());
    return true;
  }

  void RefuseOpensAfter(int count) { refuseAfter_ = count; }
  void MakeNoNodes() { makeNodes_ = false; }
  size_t Count() const { return devices_.size(); }
  FakeUhidDevice& Device(size_t index) { return devices_.at(index); }

  // The next event of the given type the bridge sent on this device, skipping others; nullopt
  // after the wait or once the device is destroyed.
  std::optional<uhid_event> Next(FakeUhidDevice& device, uint32_t type) {
    for (;;) {
      pollfd watched{device.fd, POLLIN, 0};
      if (poll(&watched, 1, kWaitMs) != 1) return std::nullopt;
      uhid_event event{};
      if (read(device.fd, &event, sizeof event) <= 0) return std::nullopt;
      if (event.type == UHID_DESTROY) device.destroyed = true;
      if (event.type == type) return event;
      if (device.destroyed) return std::nullopt;
    }
  }
  std::optional<Report> NextInput(FakeUhidDevice& device) {
    std::optional<uhid_event> event = Next(device, UHID_INPUT2);
    if (!event) return std::nullopt;
    return Report(event->u.input2.data, event->u.input2.data + event->u.input2.size);
  }
  bool WaitDestroyed(FakeUhidDevice& device) { return device.destroyed || Next(device, UHID_DESTROY).has_value(); }
  // Nothing more arrives for a short while.
  bool Quiet(FakeUhidDevice& device) {
    pollfd watched{device.fd, POLLIN, 0};
    return poll(&watched, 1, 50) == 0;
  }

  void SendOutput(FakeUhidDevice& device, const Report& report) {
    uhid_event event{};
    event.type = UHID_OUTPUT;
    event.u.output.rtype = UHID_OUTPUT_REPORT;
    event.u.output.size = static_cast<uint16_t>(report.size());
    std::memcpy(event.u.output.data, report.data(), report.size());
    ASSERT_EQ(write(device.fd, &event, sizeof event), ssize_t(sizeof event));
  }
  void Send(FakeUhidDevice& device, const uhid_event& event) {
    ASSERT_EQ(write(device.fd, &event, sizeof event), ssize_t(sizeof event));
  }

 private:
  std::vector<FakeUhidDevice> devices_;
  int refuseAfter_ = 1000;
  bool makeNodes_ = true;
};

Report FrameBytes(const SimFrame& frame) { return Report(frame.begin(), frame.end()); }

class UhidBridge : public ::testing::Test {
 protected:
  // The mouse's interfaces become devices 0 and 1 of the fake kernel.
  void PlugMouse() {
    ASSERT_EQ(bridge_->Plug(mouse_), UhidError::None);
    ASSERT_EQ(kernel_.Count(), 2u);
  }

  CFakeUhidKernel kernel_;
  std::unique_ptr<CUhidBridge> bridge_ = std::make_unique<CUhidBridge>(kernel_);
  std::shared_ptr<CVirtualMouse> mouse_ = std::make_shared<CVirtualMouse>(SimMouseOptions{.firmwareVersion = 0x0107});
};

TEST_F(UhidBridge, CreatesOneUsbDevicePerInterfaceWithItsDescriptorAndPhys) {
  PlugMouse();
  const SimDeviceDescription& description = mouse_->Description();
  for (size_t i = 0; i < description.interfaces.size(); ++i) {
    SCOPED_TRACE("interface " + std::to_string(i));
    const FakeUhidDevice& device = kernel_.Device(i);
    EXPECT_EQ(device.created.bus, BUS_USB);
    EXPECT_EQ(device.created.vendor, 0x320Fu);
    EXPECT_EQ(device.created.product, 0x22A4u);
    EXPECT_EQ(device.created.version, 0x0107u);
    EXPECT_TRUE(device.Phys().ends_with("/input" + std::to_string(description.interfaces[i].number))) << device.Phys();
    EXPECT_EQ(device.Uniq(), kernel_.Device(0).Uniq()) << "one USB device, one serial";
    EXPECT_EQ(device.Descriptor(), BuildUhidReportDescriptor(description.interfaces[i], nullptr));
  }
  std::vector<UhidInterfaceInfo> interfaces = bridge_->InterfacesOf(*mouse_);
  ASSERT_EQ(interfaces.size(), 2u);
  EXPECT_EQ(interfaces[1].interfaceNumber, 1);
  EXPECT_EQ(interfaces[1].node.node, "hidraw1");
  EXPECT_TRUE(mouse_->IsPlugged());
}

TEST_F(UhidBridge, AnotherPlugOfTheSameDeviceGetsAnotherSerial) {
  PlugMouse();
  const std::string first = kernel_.Device(0).Uniq();
  EXPECT_EQ(bridge_->Plug(mouse_), UhidError::AlreadyPlugged);
  mouse_->Unplug();
  ASSERT_EQ(bridge_->Plug(mouse_), UhidError::None);
  ASSERT_EQ(kernel_.Count(), 4u);
  EXPECT_NE(kernel_.Device(2).Uniq(), first);
}

TEST(UhidDeviceIdentity, FollowsBusAndComposition) {
  struct Case {
    const char* name;
    SimBus bus;
    bool composite;
    uint16_t wantBus;
    bool wantInterfaceSuffix;
  };
  for (const Case& c : {Case{"composite USB device", SimBus::Usb, true, BUS_USB, true},
                        Case{"single-function USB device", SimBus::Usb, false, BUS_USB, false},
                        Case{"Bluetooth device", SimBus::Bluetooth, true, BUS_BLUETOOTH, false}}) {
    SCOPED_TRACE(c.name);
    SimDeviceDescription description = SimHeadsetLayout(0x0100);
    description.bus = c.bus;
    description.composite = c.composite;
    UhidDeviceIdentity identity = MakeUhidDeviceIdentity(description, description.interfaces[0], 7);
    EXPECT_EQ(identity.bus, c.wantBus);
    EXPECT_EQ(identity.phys.ends_with("/input3"), c.wantInterfaceSuffix) << identity.phys;
    EXPECT_EQ(identity.vendor, 0x0C76u);
    EXPECT_EQ(identity.product, 0x1630u);
  }
}

TEST_F(UhidBridge, CommandFrameIsAnsweredByTheFirmwareOnTheSameDevice) {
  PlugMouse();
  const SimFrame request = SimCommandFrame(kSimCmdReadStatus, 2, 0);
  kernel_.SendOutput(kernel_.Device(1), FrameBytes(request));
  std::optional<Report> reply = kernel_.NextInput(kernel_.Device(1));
  ASSERT_TRUE(reply);
  ASSERT_EQ(reply->size(), kSimFrameSize);
  EXPECT_EQ((*reply)[0], kSimCommandReportId);
  EXPECT_EQ((*reply)[kSimFrameCommandByte], kSimCmdReadStatus);
  EXPECT_EQ((*reply)[kSimFramePayloadOffset], 80) << "the battery level";

  std::vector<SimLoggedFrame> log = mouse_->Frames().Snapshot();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].interfaceNumber, 1);
  EXPECT_EQ(log[0].collectionNumber, 2);
  EXPECT_EQ(log[0].path, SimReportPath::Interrupt);
}

TEST_F(UhidBridge, ReportsOfOtherCollectionsReachTheFirmwareUnanswered) {
  PlugMouse();
  kernel_.SendOutput(kernel_.Device(0), {2, 0x01});  // keyboard LEDs, as the kernel sets them
  EXPECT_TRUE(kernel_.Quiet(kernel_.Device(0)));
  std::vector<SimLoggedFrame> log = mouse_->Frames().Snapshot();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].interfaceNumber, 0);
  EXPECT_EQ(log[0].collectionNumber, 2);
}

TEST_F(UhidBridge, EventsAndPointerMovesGoOutOnTheirInterfaces) {
  PlugMouse();
  mouse_->SendEvent(kSimEventReReadRequest);
  EXPECT_EQ(kernel_.NextInput(kernel_.Device(0)), (Report{3, 0x01, 0x04}));
  mouse_->PlayPointerMove(-2, 300);
  EXPECT_EQ(kernel_.NextInput(kernel_.Device(1)), (Report{kSimMacroPointerReportId, 0, 0xFE, 0xFF, 0x2C, 0x01, 0, 0}));
}

TEST_F(UhidBridge, GetAndSetReportAreAnsweredSoTheKernelNeverWaits) {
  auto headset = std::make_shared<CVirtualHeadset>();
  ASSERT_EQ(bridge_->Plug(headset), UhidError::None);
  FakeUhidDevice& device = kernel_.Device(0);

  uhid_event get{};
  get.type = UHID_GET_REPORT;
  get.u.get_report.id = 41;
  kernel_.Send(device, get);
  std::optional<uhid_event> getReply = kernel_.Next(device, UHID_GET_REPORT_REPLY);
  ASSERT_TRUE(getReply);
  EXPECT_EQ(getReply->u.get_report_reply.id, 41u);
  EXPECT_NE(getReply->u.get_report_reply.err, 0);

  uhid_event set{};
  set.type = UHID_SET_REPORT;
  set.u.set_report.id = 42;
  set.u.set_report.rtype = UHID_OUTPUT_REPORT;
  set.u.set_report.size = kSimHeadsetLightingReportSize;
  set.u.set_report.data[0] = kSimHeadsetLightingReportId;
  kernel_.Send(device, set);
  std::optional<uhid_event> setReply = kernel_.Next(device, UHID_SET_REPORT_REPLY);
  ASSERT_TRUE(setReply);
  EXPECT_EQ(setReply->u.set_report_reply.id, 42u);
  EXPECT_EQ(setReply->u.set_report_reply.err, 0);
  ASSERT_EQ(headset->LightingReports().size(), 1u);
  EXPECT_EQ(headset->Frames().Snapshot()[0].path, SimReportPath::Control);
}

TEST_F(UhidBridge, UnplugDestroysEveryInterface) {
  PlugMouse();
  mouse_->Unplug();
  EXPECT_FALSE(mouse_->IsPlugged());
  EXPECT_TRUE(kernel_.WaitDestroyed(kernel_.Device(0)));
  EXPECT_TRUE(kernel_.WaitDestroyed(kernel_.Device(1)));
  EXPECT_TRUE(bridge_->InterfacesOf(*mouse_).empty());
}

TEST_F(UhidBridge, FirmwareThatVanishesWithAFrameInFlightDestroysTheDevice) {
  PlugMouse();
  mouse_->Faults().UnplugAfterFrames(0);
  kernel_.SendOutput(kernel_.Device(1), FrameBytes(SimCommandFrame(kSimCmdBeginConfig, 0, 0)));
  EXPECT_TRUE(kernel_.WaitDestroyed(kernel_.Device(1)));
  EXPECT_TRUE(kernel_.WaitDestroyed(kernel_.Device(0)));
  EXPECT_FALSE(mouse_->IsPlugged());
}

TEST_F(UhidBridge, DestroyingTheBridgeUnplugsItsDevices) {
  PlugMouse();
  bridge_.reset();
  EXPECT_FALSE(mouse_->IsPlugged());
  EXPECT_TRUE(kernel_.WaitDestroyed(kernel_.Device(0)));
}

TEST_F(UhidBridge, AFailedPlugLeavesNothingBehind) {
  struct Case {
    const char* name;
    std::function<void(CFakeUhidKernel&)> arrange;
    UhidError expected;
  };
  const Case cases[] = {
      {"second interface refused", [](CFakeUhidKernel& kernel) { kernel.RefuseOpensAfter(1); },
       UhidError::AccessDenied},
      {"no hidraw node", [](CFakeUhidKernel& kernel) { kernel.MakeNoNodes(); }, UhidError::NoNode},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFakeUhidKernel kernel;
    c.arrange(kernel);
    CUhidBridge bridge(kernel);
    auto mouse = std::make_shared<CVirtualMouse>();
    EXPECT_EQ(bridge.Plug(mouse), c.expected);
    EXPECT_FALSE(mouse->IsPlugged());
    ASSERT_GE(kernel.Count(), 1u);
    EXPECT_TRUE(kernel.WaitDestroyed(kernel.Device(0)));
  }
}

TEST_F(UhidBridge, ADeviceWithoutReportIdsSendsItsReportsBare) {
  SimDeviceDescription description = SimHeadsetLayout(0x0100);
  SimCollection& collection = description.interfaces[0].collections[0];
  collection.layout.inputReportIds = {0};
  collection.layout.outputReportIds = {0};
  collection.shorterReports.clear();
  collection.eventReportId = 0;
  auto headset = std::make_shared<CVirtualHeadset>(SimHeadsetOptions{}, description);
  ASSERT_EQ(bridge_->Plug(headset), UhidError::None);
  headset->SendEvent(kSimEventReReadRequest);
  EXPECT_EQ(kernel_.NextInput(kernel_.Device(0)), (Report{0x01, 0x04}));
}

TEST(UhidErrors, SayWhatToDo) {
  EXPECT_NE(DescribeUhidError(UhidError::Missing, "/dev/uhid").find("modprobe uhid"), std::string::npos);
  EXPECT_NE(DescribeUhidError(UhidError::AccessDenied, "/dev/uhid").find("root"), std::string::npos);
  EXPECT_NE(DescribeUhidError(UhidError::AccessDenied, "/dev/uhid").find("/dev/uhid"), std::string::npos);
}

}  // namespace
