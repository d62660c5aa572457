#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid/report_descriptor.h"

// What a virtual device shows the machine: its USB identity and its HID interfaces, each with the
// top-level collections its report descriptor would declare. Descriptions are plain data so a
// test can build an odd device (another bus, a missing collection, an extra report) by hand.

enum class SimBus { Usb, Bluetooth };

enum class SimReportKind : uint8_t { Input, Output, Feature };

// A report shorter than the longest of its kind in its collection (the layout holds only that
// longest length, which is all the host sees); only a real report descriptor needs it.
struct SimReportLength {
  SimReportKind kind = SimReportKind::Input;
  uint8_t reportId = 0;
  uint16_t byteLength = 0;  // counting the report-id byte, like the layout's lengths
};

struct SimCollection {
  HidTopLevelCollection layout;
  std::vector<SimReportLength> shorterReports;
  bool commands = false;      // the 64-byte vendor frames arrive here and are answered here
  bool events = false;        // unsolicited event reports go out here
  uint8_t eventReportId = 0;  // the report id of those event reports
};

struct SimInterface {
  uint8_t number = 0;
  std::vector<SimCollection> collections;  // collection numbers count from 1 in this order
};

struct SimDeviceDescription {
  std::string name;  // names the device instance in its interface paths
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t version = 0;  // the USB release number the host reads as VersionNumber
  SimBus bus = SimBus::Usb;
  // A composite USB device carries its interface number in every path; a single-function device
  // (and anything not on USB) does not.
  bool composite = true;
  std::vector<SimInterface> interfaces;
};

// A collection of the description named by its interface number and 1-based collection number.
struct SimCollectionAddress {
  uint8_t interfaceNumber = 0;
  int collectionNumber = 1;
  const SimCollection* collection = nullptr;
};

// Every collection of the description in interface, then collection order.
std::vector<SimCollectionAddress> ListSimCollections(const SimDeviceDescription& description);
