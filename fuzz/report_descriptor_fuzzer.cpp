// libFuzzer target for the report-descriptor parser: any byte string must parse or be refused
// with a reason, never crash or read past the buffer, and an accepted summary must stay within
// the limits the parser promises.
#include <cstdlib>
#include <string>

#include "platform/hid/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  std::optional<HidDescriptorSummary> summary = ParseReportDescriptor(data, size, &error);
  if (!summary) {
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  if (summary->collections.empty() || summary->collections.size() > 255) std::abort();
  for (const HidTopLevelCollection& collection : summary->collections) {
    for (uint16_t length : {collection.inputReportByteLength, collection.outputReportByteLength,
                            collection.featureReportByteLength}) {
      if (length > 4097) std::abort();
    }
    if (collection.inputReportIds.empty() != (collection.inputReportByteLength == 0)) std::abort();
    if (collection.outputReportIds.empty() != (collection.outputReportByteLength == 0)) std::abort();
    if (collection.featureReportIds.empty() != (collection.featureReportByteLength == 0)) std::abort();
  }
  return 0;
}
