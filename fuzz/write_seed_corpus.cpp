// Writes the hand-made test descriptors, well-formed and malformed, as the fuzzer's seed corpus:
// one file per descriptor in the folder given as the only argument.
#include <cstdio>
#include <string>

#include "support/hid_descriptor_fixtures.h"

namespace {

bool WriteSeed(const std::string& folder, const std::string& name, const uint8_t* data, size_t size) {
  std::string fileName = folder + "/";
  for (char c : name) fileName += (c == ' ' || c == '/') ? '_' : c;
  FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  for (const HidDescriptorFixture& fixture : kWellFormedReportDescriptors) {
    if (!WriteSeed(argv[1], fixture.name, fixture.bytes.data(), fixture.bytes.size())) return 1;
  }
  for (const MalformedHidDescriptor& malformed : MalformedReportDescriptors()) {
    const std::string name = std::string("malformed_") + malformed.name;
    if (!WriteSeed(argv[1], name, malformed.bytes.data(), malformed.bytes.size())) return 1;
  }
  return 0;
}
