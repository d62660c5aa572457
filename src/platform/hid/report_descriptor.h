#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a HID report descriptor says about each of its top-level collections, in the terms the
// port needs: which reports belong to the collection and how long the longest of each kind is.

struct HidTopLevelCollection {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  // Report ids declared inside this collection, per kind, in first-seen order. A descriptor
  // without report ids lists the single id 0 for each kind it declares.
  std::vector<uint8_t> inputReportIds;
  std::vector<uint8_t> outputReportIds;
  std::vector<uint8_t> featureReportIds;
  // Longest report of each kind in bytes, plus one for the report-id byte (0 when there is none
  // of that kind), as Windows counts them.
  uint16_t inputReportByteLength = 0;
  uint16_t outputReportByteLength = 0;
  uint16_t featureReportByteLength = 0;
};

struct HidDescriptorSummary {
  bool usesReportIds = false;
  std::vector<HidTopLevelCollection> collections;
};

// Parses a report descriptor as read from a device. Any malformed input (truncated items,
// unbalanced collections, report sizes past the HID limits, a report id of 0, long items) gives
// nullopt and a one-line reason; it never reads past `size`.
std::optional<HidDescriptorSummary> ParseReportDescriptor(const uint8_t* data, size_t size, std::string* error);
