#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "sim/sim_hid_backend.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_lighting_settings.h"
#include "sim/virtual_mouse_pad.h"
#include "support/sim_frame_exchange.h"
#include "transport/hid_device.h"

namespace {

std::vector<uint8_t> Payload(const SimFrame& reply, size_t length) {
  return {reply.begin() + kSimFramePayloadOffset,
          reply.begin() + kSimFramePayloadOffset + static_cast<std::ptrdiff_t>(length)};
}

struct LightingDevice {
  const char* name;
  std::function<std::shared_ptr<CVirtualDevice>()> make;
  std::vector<uint8_t> event;  // the re-read request as it arrives
};

const LightingDevice kLightingDevices[] = {
    {"mouse pad", [] { return std::make_shared<CVirtualMousePad>(); }, {3, 0x01, 0x04}},
    {"headset", [] { return std::make_shared<CVirtualHeadset>(); }, {1, 0x01, 0x04}},
};

TEST(LightingDevices, SettingsPagesWrittenAt64PReadBackAndPagesAt25PAreThere) {
  for (const LightingDevice& d : kLightingDevices) {
    SCOPED_TRACE(d.name);
    std::shared_ptr<CVirtualDevice> device = d.make();
    CSimHidBackend backend;
    ASSERT_TRUE(backend.Plug(device));
    CHidDevice port(backend);
    ASSERT_EQ(OpenSimCommandPort(backend, *device, port), 1);

    std::optional<SimFrame> active = ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadSettings, 1, 0));
    ASSERT_TRUE(active);
    EXPECT_EQ((*active)[kSimFramePayloadOffset], 0);
    std::optional<SimFrame> page2 =
        ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadSettings, 45, 2 * kSimLightingReadStride));
    ASSERT_TRUE(page2);
    EXPECT_EQ((*page2)[kSimFrameStatusByte], kSimStatusAccepted);
    EXPECT_EQ((*page2)[kSimFramePayloadOffset], 2);

    std::vector<uint8_t> page(21);
    for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(0x40 + i);
    const uint16_t offset = 4 * kSimLightingWriteStride;
    std::optional<SimFrame> written = ExchangeSimFrame(port, SimCommandFrame(kSimCmdWriteSettings, 21, offset, page));
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[kSimFrameStatusByte], kSimStatusAccepted);
    std::optional<SimFrame> readBack = ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadSettings, 21, offset));
    ASSERT_TRUE(readBack);
    EXPECT_EQ(Payload(*readBack, 21), page);

    std::optional<SimFrame> past = ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadSettings, 45, 480));
    ASSERT_TRUE(past);
    EXPECT_EQ((*past)[kSimFrameStatusByte], kSimStatusError);
  }
}

TEST(LightingDevices, ReReadRequestArrivesOnTheEventCollection) {
  for (const LightingDevice& d : kLightingDevices) {
    SCOPED_TRACE(d.name);
    std::shared_ptr<CVirtualDevice> device = d.make();
    CSimHidBackend backend;
    ASSERT_TRUE(backend.Plug(device));
    CHidDevice events(backend);
    ASSERT_EQ(OpenSimEventPort(backend, *device, events), 1);
    device->SendEvent(kSimEventReReadRequest);
    EXPECT_EQ(ReadSimReport(events, 1000), d.event);
  }
}

class VirtualHeadset : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Plug(headset_));
    ASSERT_EQ(OpenSimCommandPort(backend_, *headset_, port_), 1);
  }

  std::shared_ptr<CVirtualHeadset> headset_ = std::make_shared<CVirtualHeadset>();
  CSimHidBackend backend_;
  CHidDevice port_{backend_};
};

TEST_F(VirtualHeadset, LiveStatusCarriesTheBatteryInByteFour) {
  headset_->SetBattery(42);
  std::optional<SimFrame> status =
      ExchangeSimFrame(port_, SimCommandFrame(kSimCmdReadStatus, kSimHeadsetStatusSize, 0));
  ASSERT_TRUE(status);
  EXPECT_EQ(Payload(*status, kSimHeadsetStatusSize), (std::vector<uint8_t>{0, 0, 0, 0, 42, 0}));
  std::optional<SimFrame> past = ExchangeSimFrame(port_, SimCommandFrame(kSimCmdReadStatus, 2, 5));
  ASSERT_TRUE(past);
  EXPECT_EQ((*past)[kSimFrameStatusByte], kSimStatusError);
}

TEST_F(VirtualHeadset, LightingReportsAreTakenWithoutAnAnswerAndLogged) {
  std::vector<uint8_t> report(kSimHeadsetLightingReportSize, 0);
  report[0] = kSimHeadsetLightingReportId;
  report[1] = 0x22;
  report[2] = 0xAA;
  report[4] = 247;
  ASSERT_EQ(port_.SetOutputReport(report.data(), static_cast<uint32_t>(report.size())), 1);
  EXPECT_FALSE(ReadSimReport(port_, 20));
  EXPECT_EQ(headset_->LightingReports(), std::vector<std::vector<uint8_t>>{report});
  EXPECT_EQ(headset_->Frames().Snapshot().at(0).path, SimReportPath::Control);
}

TEST(VirtualMousePad, HasNoLiveStatus) {
  auto pad = std::make_shared<CVirtualMousePad>();
  CSimHidBackend backend;
  ASSERT_TRUE(backend.Plug(pad));
  CHidDevice port(backend);
  ASSERT_EQ(OpenSimCommandPort(backend, *pad, port), 1);
  std::optional<SimFrame> reply = ExchangeSimFrame(port, SimCommandFrame(kSimCmdReadStatus, 2, 0));
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[kSimFrameStatusByte], kSimStatusError);
}

TEST(VirtualMousePad, ItsOwnButtonChangesTheActivePageAndAsksForARead) {
  SimMousePadOptions options;
  options.lightModeCode = 0;
  options.colourful = true;
  auto pad = std::make_shared<CVirtualMousePad>(options);
  EXPECT_EQ(pad->ReadPage(0)[1], 0) << "the list's light= sets every page";
  EXPECT_EQ(pad->ReadPage(3)[5], 1);
  EXPECT_EQ(pad->ReadPage(2)[kSimPadFirstOwnByte], 0x30 + kSimPadFirstOwnByte) << "each page's own bytes differ";

  CSimHidBackend backend;
  ASSERT_TRUE(backend.Plug(pad));
  CHidDevice events(backend);
  ASSERT_EQ(OpenSimEventPort(backend, *pad, events), 1);
  pad->SetActivePage(2);
  const uint8_t lighting[] = {6, 1, 4, 1, 0, 9, 8, 7};
  pad->ChangeLighting(lighting);
  const std::vector<uint8_t> page = pad->ReadPage(2);
  EXPECT_EQ(std::vector<uint8_t>(page.begin() + 1, page.begin() + 9), std::vector<uint8_t>(std::begin(lighting), std::end(lighting)));
  EXPECT_EQ(pad->ReadPage(0)[1], 0) << "only the active page changes";
  EXPECT_EQ(ReadSimReport(events, 1000), (std::vector<uint8_t>{3, 0x01, 0x04}));
}

}  // namespace
