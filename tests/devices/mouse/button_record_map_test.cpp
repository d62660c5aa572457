#include "devices/mouse/button_record_map.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint16_t kNone = kNoButtonRecord;

void PutRecord(std::vector<uint8_t>& image, size_t record, const KeyAssignment& assignment) {
  image[3 * record] = assignment.Type;
  image[3 * record + 1] = assignment.High;
  image[3 * record + 2] = assignment.Low;
}

// `records` records, record k holding button k's factory record (as a factory-new mouse does).
std::vector<uint8_t> FactoryImage(size_t records) {
  std::vector<uint8_t> image(3 * records, 0);
  for (size_t k = 0; k < records && k < kMouseLogicalButtons; ++k) PutRecord(image, k, FactoryButtonRecord(k));
  return image;
}

TEST(FactoryButtonRecord, TableRowsAreDistinctAndCarryTheButtonIndex) {
  for (size_t j = 0; j < kMouseLogicalButtons; ++j) {
    EXPECT_EQ(FactoryButtonRecord(j).KeyIndex, j);
    EXPECT_NE(FactoryButtonRecord(j).Value(), 0u) << j;
    for (size_t other = j + 1; other < kMouseLogicalButtons; ++other) {
      EXPECT_FALSE(FactoryButtonRecord(j).SameFunction(FactoryButtonRecord(other))) << j << " and " << other;
    }
  }
  EXPECT_EQ(FactoryButtonRecord(0), (KeyAssignment{0, 0x10, 0x01, 0x00}));
  EXPECT_EQ(FactoryButtonRecord(10), (KeyAssignment{10, 0x14, 0x78, 0x02}));
  EXPECT_EQ(FactoryButtonRecord(11), (KeyAssignment{11, 0, 0, 0}));
}

struct MapCase {
  const char* name;
  std::vector<uint8_t> image;
  ButtonRecordMap expected;
};

std::vector<uint8_t> WithoutButton(size_t button) {
  std::vector<uint8_t> image = FactoryImage(12);
  PutRecord(image, button, {});
  return image;
}

std::vector<uint8_t> WithLeftButtonAlsoAt(size_t record) {
  std::vector<uint8_t> image = FactoryImage(12);
  PutRecord(image, record, FactoryButtonRecord(0));
  return image;
}

// Records 4 ... 10 in reverse order after a blank record.
std::vector<uint8_t> ShuffledImage() {
  std::vector<uint8_t> image(3 * 8, 0);
  for (size_t k = 1; k < 8; ++k) PutRecord(image, k, FactoryButtonRecord(11 - k));
  return image;
}

// A partial last record whose first two bytes would match the left button.
std::vector<uint8_t> ShortImage() {
  std::vector<uint8_t> image = FactoryImage(4);
  image.push_back(0x10);
  image.push_back(0x02);
  return image;
}

// A left-button record only beyond the 512 bytes the device can hold.
std::vector<uint8_t> OversizedImage() {
  std::vector<uint8_t> image(3 * 172, 0);
  PutRecord(image, 171, FactoryButtonRecord(0));
  return image;
}

TEST(ButtonRecordMap, EachButtonMapsToTheFirstRecordHoldingItsFactoryRecord) {
  const MapCase cases[] = {
      {"factory image", FactoryImage(12), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"missing record keeps 170", WithoutButton(3), {0, 1, 2, kNone, 4, 5, 6, 7, 8, 9, 10}},
      {"first match wins", WithLeftButtonAlsoAt(11), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"reordered records", ShuffledImage(), {kNone, kNone, kNone, kNone, 7, 6, 5, 4, 3, 2, 1}},
      {"short image", ShortImage(), {0, 1, 2, 3, kNone, kNone, kNone, kNone, kNone, kNone, kNone}},
      {"empty image", {}, {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}},
      {"past the capacity",
       OversizedImage(),
       {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}},
  };
  for (const MapCase& c : cases) EXPECT_EQ(BuildButtonRecordMap(c.image), c.expected) << c.name;
}

TEST(ButtonRecordMap, KeptPlacesWinOverWhatTheFactorySearchFindsAfterAReassignment) {
  const ButtonRecordMap identity = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  struct Case {
    const char* name;
    ButtonRecordMap kept;
    ButtonRecordMap found;
    size_t records;
    ButtonRecordMap expected;
  };
  const Case cases[] = {
      // Left and right swapped: the search finds them the wrong way round.
      {"a swap", identity, {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 16, identity},
      // The back button plays a macro: its factory record is gone from the image.
      {"a reassigned button", identity, {0, 1, 2, 3, kNone, 5, 6, 7, 8, 9, 10}, 16, identity},
      {"nothing kept yet", UnmappedButtons(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 16, identity},
      // A button never placed takes what the search found, unless another button holds that record.
      {"a new place", {0, 1, 2, 3, kNone, 5, 6, 7, 8, 9, 10}, {0, 1, 2, 3, 12, 5, 6, 7, 8, 9, 10}, 16,
       {0, 1, 2, 3, 12, 5, 6, 7, 8, 9, 10}},
      {"a place that is taken", {0, 1, 2, 3, kNone, 5, 6, 7, 8, 9, 10}, {0, 1, 2, 3, 2, 5, 6, 7, 8, 9, 10}, 16,
       {0, 1, 2, 3, kNone, 5, 6, 7, 8, 9, 10}},
      {"kept places past a smaller image", identity, UnmappedButtons(), 6, {0, 1, 2, 3, 4, 5, kNone, kNone, kNone, kNone, kNone}},
  };
  for (const Case& c : cases) EXPECT_EQ(MergeButtonRecordMaps(c.kept, c.found, c.records), c.expected) << c.name;
}

}  // namespace
