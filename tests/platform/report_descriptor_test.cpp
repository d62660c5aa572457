#include "platform/hid/report_descriptor.h"

#include <gtest/gtest.h>

#include "support/hid_descriptor_fixtures.h"

namespace {

struct ExpectedCollection {
  uint16_t usagePage;
  uint16_t usage;
  std::vector<uint8_t> inputIds, outputIds, featureIds;
  uint16_t inputLength, outputLength, featureLength;
};

// Copies onto the heap at exactly the descriptor's size, so AddressSanitizer catches any read past it.
std::optional<HidDescriptorSummary> Parse(std::span<const uint8_t> bytes, std::string* error = nullptr) {
  std::vector<uint8_t> exact(bytes.begin(), bytes.end());
  return ParseReportDescriptor(exact.data(), exact.size(), error);
}

void ExpectCollections(const HidDescriptorSummary& summary, const std::vector<ExpectedCollection>& expected) {
  ASSERT_EQ(summary.collections.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("collection " + std::to_string(i + 1));
    const HidTopLevelCollection& actual = summary.collections[i];
    EXPECT_EQ(actual.usagePage, expected[i].usagePage);
    EXPECT_EQ(actual.usage, expected[i].usage);
    EXPECT_EQ(actual.inputReportIds, expected[i].inputIds);
    EXPECT_EQ(actual.outputReportIds, expected[i].outputIds);
    EXPECT_EQ(actual.featureReportIds, expected[i].featureIds);
    EXPECT_EQ(actual.inputReportByteLength, expected[i].inputLength);
    EXPECT_EQ(actual.outputReportByteLength, expected[i].outputLength);
    EXPECT_EQ(actual.featureReportByteLength, expected[i].featureLength);
  }
}

TEST(ReportDescriptor, SummarisesEveryTopLevelCollectionOfTheFixtures) {
  struct Case {
    std::span<const uint8_t> bytes;
    bool usesReportIds;
    std::vector<ExpectedCollection> collections;
  };
  const Case cases[] = {
      {kBootMouseReportDescriptor, false, {{0x01, 0x02, {0}, {}, {}, 4, 0, 0}}},
      {kMouseEventInterfaceReportDescriptor,
       true,
       {{0x01, 0x02, {1}, {}, {}, 7, 0, 0}, {0x01, 0x06, {2}, {2}, {}, 9, 2, 0}, {0x0C, 0x01, {3}, {}, {}, 3, 0, 0}}},
      {kMouseCommandInterfaceReportDescriptor,
       true,
       {{0x01, 0x06, {5}, {}, {}, 17, 0, 0}, {0xFF1C, 0x92, {4}, {4}, {}, 65, 65, 0}}},
      {kHeadsetReportDescriptor, true, {{0x0C, 0x01, {1, 4}, {4, 0xFF}, {5}, 65, 65, 3}}},
  };
  for (const Case& c : cases) {
    std::string error;
    auto summary = Parse(c.bytes, &error);
    ASSERT_TRUE(summary) << error;
    EXPECT_EQ(summary->usesReportIds, c.usesReportIds);
    ExpectCollections(*summary, c.collections);
  }
}

TEST(ReportDescriptor, RefusesMalformedDescriptorsWithAOneLineReason) {
  for (const MalformedHidDescriptor& malformed : MalformedReportDescriptors()) {
    SCOPED_TRACE(malformed.name);
    std::string error;
    EXPECT_FALSE(Parse(malformed.bytes, &error));
    EXPECT_NE(error.find(malformed.reason), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(ReportDescriptor, EveryCutOffFixtureParsesOrFailsWithoutReadingPastTheEnd) {
  for (const HidDescriptorFixture& fixture : kWellFormedReportDescriptors) {
    for (size_t length = 0; length < fixture.bytes.size(); ++length) {
      std::string error;
      if (!Parse(fixture.bytes.first(length), &error)) {
        EXPECT_FALSE(error.empty()) << fixture.name << " " << length;
      }
    }
  }
}

TEST(ReportDescriptor, AcceptsQuirksThatRealDescriptorsContain) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    ExpectedCollection collection;
  };
  const Case cases[] = {
      {"zero padding after the last collection",
       {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0xC0, 0x00, 0x00},
       {0x01, 0x02, {0}, {}, {}, 4, 0, 0}},
      {"four-byte usage carries its own usage page",
       {0x05, 0x01, 0x0B, 0x92, 0x00, 0x1C, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0},
       {0xFF1C, 0x92, {}, {}, {0}, 0, 0, 3}},
      {"collection without a usage",
       {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x91, 0x02, 0xC0},
       {0x00, 0x00, {}, {0}, {}, 0, 2, 0}},
      {"the first of several usages names the collection",
       {0x05, 0x0C, 0x09, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0},
       {0x0C, 0x01, {}, {}, {}, 0, 0, 0}},
      {"pop restores the report id, size and count pushed before",
       {0xA1, 0x01, 0x85, 0x07, 0x75, 0x08, 0x95, 0x02, 0xA4, 0x85, 0x08, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02,
        0xB4, 0x81, 0x02, 0xC0},
       {0x00, 0x00, {8, 7}, {}, {}, 3, 0, 0}},
      {"report count zero declares an empty report",
       {0xA1, 0x01, 0x85, 0x02, 0x75, 0x08, 0x95, 0x00, 0x81, 0x02, 0xC0},
       {0x00, 0x00, {2}, {}, {}, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    auto summary = Parse(c.bytes, &error);
    ASSERT_TRUE(summary) << error;
    ExpectCollections(*summary, {c.collection});
  }
}

TEST(ReportDescriptor, ReportIdSharedByTwoCollectionsIsListedInBothWithItsWholeLength) {
  const std::vector<uint8_t> bytes = {
      0xA1, 0x01, 0x85, 0x03, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0xC0,  // id 3: 2 bytes
      0xA1, 0x01, 0x85, 0x03, 0x95, 0x04, 0x81, 0x02, 0xC0,              // id 3: 4 more bytes
  };
  auto summary = Parse(bytes);
  ASSERT_TRUE(summary);
  ExpectCollections(*summary, {{0, 0, {3}, {}, {}, 7, 0, 0}, {0, 0, {3}, {}, {}, 7, 0, 0}});
}

TEST(ReportDescriptor, LongestReportAtTheLimitIsAccepted) {
  // 4096 bytes split over two items, with report id 1: 4097 bytes counting the id.
  const std::vector<uint8_t> bytes = {0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x96, 0x00, 0x08,
                                      0x81, 0x02, 0x81, 0x02, 0xC0};
  auto summary = Parse(bytes);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->collections[0].inputReportByteLength, 4097);
}

}  // namespace
