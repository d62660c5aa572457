#include "sim/standard_device_layouts.h"

#include "sim/sim_frame.h"

namespace {

constexpr uint16_t kGenericDesktop = kSimGenericDesktopPage;
constexpr uint16_t kPointerUsage = kSimMouseUsage;
constexpr uint16_t kKeyboardUsage = 0x06;
constexpr uint16_t kSystemControlUsage = 0x80;
constexpr uint8_t kHeadsetLightingReportId = 0xFF;
constexpr uint16_t kHeadsetLightingReportSize = 17;

SimCollection Ordinary(uint16_t usagePage, uint16_t usage, uint8_t inputId, uint16_t inputLength, uint8_t outputId = 0,
                       uint16_t outputLength = 0) {
  SimCollection collection;
  collection.layout.usagePage = usagePage;
  collection.layout.usage = usage;
  collection.layout.inputReportIds = {inputId};
  collection.layout.inputReportByteLength = inputLength;
  if (outputLength > 0) {
    collection.layout.outputReportIds = {outputId};
    collection.layout.outputReportByteLength = outputLength;
  }
  return collection;
}

// A consumer-control collection whose 16-bit usage reports double as the device's event codes.
SimCollection ConsumerEvents(uint8_t reportId) {
  SimCollection collection = Ordinary(kSimConsumerUsagePage, kSimConsumerUsage, reportId, 3);
  collection.events = true;
  collection.eventReportId = reportId;
  return collection;
}

SimCollection VendorCommands() {
  SimCollection collection;
  collection.layout.usagePage = kSimVendorUsagePage;
  collection.layout.usage = kSimVendorUsage;
  collection.layout.inputReportIds = {kSimCommandReportId};
  collection.layout.outputReportIds = {kSimCommandReportId};
  collection.layout.inputReportByteLength = kSimFrameSize;
  collection.layout.outputReportByteLength = kSimFrameSize;
  collection.commands = true;
  return collection;
}

SimDeviceDescription MouseShapedLayout(const char* name, uint16_t productId, uint16_t version) {
  SimDeviceDescription description;
  description.name = name;
  description.vendorId = kSimMouseVendorId;
  description.productId = productId;
  description.version = version;
  description.interfaces = {
      {0,
       {Ordinary(kGenericDesktop, kPointerUsage, 1, 8), Ordinary(kGenericDesktop, kKeyboardUsage, 2, 9, 2, 2),
        ConsumerEvents(3)}},
      {1,
       {Ordinary(kGenericDesktop, kSystemControlUsage, 5, 2), VendorCommands(),
        Ordinary(kGenericDesktop, kPointerUsage, kSimMacroPointerReportId, 8)}},
  };
  return description;
}

}  // namespace

SimDeviceDescription SimMouseCableLayout(uint16_t firmwareVersion) {
  return MouseShapedLayout("mouse", kSimMouseCableProductId, firmwareVersion);
}

SimDeviceDescription SimMouseReceiverLayout(uint16_t version) {
  return MouseShapedLayout("mouse-receiver", kSimMouseReceiverProductId, version);
}

SimDeviceDescription SimMousePadLayout(uint16_t version) {
  SimDeviceDescription description;
  description.name = "mousepad";
  description.vendorId = kSimMouseVendorId;
  description.productId = kSimMousePadProductId;
  description.version = version;
  description.interfaces = {
      {0,
       {Ordinary(kGenericDesktop, kKeyboardUsage, 1, 9, 1, 2), Ordinary(kGenericDesktop, kSystemControlUsage, 2, 2),
        ConsumerEvents(3)}},
      {1,
       {Ordinary(kGenericDesktop, kKeyboardUsage, 6, 17), Ordinary(kGenericDesktop, kSystemControlUsage, 7, 2),
        Ordinary(0xFF00, 0x01, 8, 33), VendorCommands()}},
  };
  return description;
}

SimDeviceDescription SimHeadsetLayout(uint16_t version) {
  SimCollection collection;
  collection.layout.usagePage = kSimConsumerUsagePage;
  collection.layout.usage = kSimConsumerUsage;
  collection.layout.inputReportIds = {1, kSimCommandReportId};
  collection.layout.outputReportIds = {kSimCommandReportId, kHeadsetLightingReportId};
  collection.layout.inputReportByteLength = kSimFrameSize;
  collection.layout.outputReportByteLength = kSimFrameSize;
  collection.shorterReports = {{SimReportKind::Input, 1, 3},
                                {SimReportKind::Output, kHeadsetLightingReportId, kHeadsetLightingReportSize}};
  collection.commands = true;
  collection.events = true;
  collection.eventReportId = 1;

  SimDeviceDescription description;
  description.name = "headset";
  description.vendorId = kSimHeadsetVendorId;
  description.productId = kSimHeadsetProductId;
  description.version = version;
  description.interfaces = {{3, {collection}}};
  return description;
}
