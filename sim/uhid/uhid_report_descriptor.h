#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/virtual_device_description.h"

// The report descriptor a real device would carry on one USB interface of a virtual device: every
// collection of the interface as a top-level application collection with the fields a device of
// its kind has (pointer, keyboard, system and consumer controls, vendor bytes), each report as
// long as the description says. The kernel parses it as it would a real device's, so hid-input
// binds to the ordinary collections and the vendor collections stay raw.
//
// Nullopt with a reason when the interface cannot be described (report ids mixed with unnumbered
// reports, a kind with a length but no report, a report too short for its id byte) or when the
// descriptor would not parse back to the collections the description declares.
std::optional<std::vector<uint8_t>> BuildUhidReportDescriptor(const SimInterface& interface, std::string* error);

// Empty when the two describe the same collections as the host sees them (usage page and usage,
// report ids in order, longest report of each kind); otherwise the first difference in words.
std::string DescribeCollectionDifference(const std::vector<HidTopLevelCollection>& expected,
                                         const std::vector<HidTopLevelCollection>& actual);
