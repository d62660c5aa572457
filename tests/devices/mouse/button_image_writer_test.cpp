#include "devices/mouse/button_image_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

using Record = std::array<uint8_t, 3>;

constexpr size_t kRecords = 12;

KeyAssignment Macro(size_t key, uint8_t index, uint8_t low = 0) {
  return {static_cast<uint16_t>(key), kMacroAssignmentType, index, low};
}
KeyAssignment RepeatedMacro(size_t key, uint8_t index, uint8_t low = 0) {
  return {static_cast<uint16_t>(key), kRepeatedMacroAssignmentType, index, low};
}
KeyAssignment Plain(size_t key, uint8_t type, uint8_t high, uint8_t low) {
  return {static_cast<uint16_t>(key), type, high, low};
}

Record FactoryRecord(size_t button) {
  const KeyAssignment a = FactoryButtonRecord(button);
  return {a.Type, a.High, a.Low};
}

// A factory-new mouse: buttons 0 ... 10 in records 0 ... 10, a spare record 11 that is not a
// button, and every key at its factory assignment.
class ButtonImageWriter : public ::testing::Test {
 protected:
  ButtonImageWriter() : image(3 * kRecords, 0xEE) {
    for (size_t j = 0; j < kMouseLogicalButtons; ++j) {
      Put(image, j, FactoryRecord(j));
      keys.push_back({FactoryButtonRecord(j), FactoryButtonRecord(j)});
    }
    map = BuildButtonRecordMap(image);
  }

  static void Put(std::vector<uint8_t>& bytes, size_t record, const Record& r) {
    std::copy(r.begin(), r.end(), bytes.begin() + static_cast<std::ptrdiff_t>(3 * record));
  }

  std::vector<uint8_t> image;
  std::vector<KeyAssignmentPair> keys;
  ButtonRecordMap map{};
};

struct WriteCase {
  const char* name;
  std::vector<KeyAssignment> assignments;  // current assignments, by their key index
  int macroCount;
  std::vector<std::pair<size_t, Record>> changedRecords;
  std::vector<int> macroOrder;
};

TEST_F(ButtonImageWriter, AssignmentsLandInTheirButtonsRecordsWithMacrosRenumberedByFirstUse) {
  const WriteCase cases[] = {
      {"unchanged keys give the same image", {}, 0, {}, {}},
      {"plain assignment", {Plain(2, 0x20, 0x04, 0x05)}, 0, {{2, {0x20, 0x04, 0x05}}}, {}},
      {"macros numbered in order of first use",
       {Macro(1, 2, 1), RepeatedMacro(3, 0, 5), Macro(4, 1)},
       3,
       {{1, {0x70, 0, 1}}, {3, {0x71, 1, 5}}, {4, {0x70, 2, 0}}},
       {2, 0, 1}},
      {"two keys sharing a macro get one slot",
       {Macro(1, 2), RepeatedMacro(6, 2, 3)},
       3,
       {{1, {0x70, 0, 0}}, {6, {0x71, 0, 3}}},
       {2}},
      {"macro 7 with 3 macros gets the default",
       {Macro(5, 7), Macro(6, 1)},
       3,
       {{5, FactoryRecord(5)}, {6, {0x70, 0, 0}}},
       {1}},
      {"no macros at all", {Macro(0, 0)}, 0, {{0, FactoryRecord(0)}}, {}},
      {"negative macro count", {Macro(0, 0)}, -1, {{0, FactoryRecord(0)}}, {}},
  };
  for (const WriteCase& c : cases) {
    std::vector<KeyAssignmentPair> edited = keys;
    for (const KeyAssignment& a : c.assignments) edited[a.KeyIndex].Current = a;
    std::vector<uint8_t> expected = image;
    for (const auto& [record, bytes] : c.changedRecords) Put(expected, record, bytes);

    const ButtonImageWrite write = BuildButtonImageWrite(image, map, edited, c.macroCount);
    EXPECT_EQ(write.image, expected) << c.name;
    EXPECT_EQ(write.macroImageOrder, c.macroOrder) << c.name;
  }
}

TEST_F(ButtonImageWriter, KeysWithoutAUsableRecordAreNotWrittenAndTakeNoMacroSlot) {
  map[1] = kNoButtonRecord;
  map[2] = kRecords;  // one past the image
  keys[1].Current = Macro(1, 0);
  keys[2].Current = Macro(2, 1);
  keys[3].Current = Macro(3, 2);

  const ButtonImageWrite write = BuildButtonImageWrite(image, map, keys, 3);
  std::vector<uint8_t> expected = image;
  Put(expected, 3, {0x70, 0, 0});
  EXPECT_EQ(write.image, expected);
  EXPECT_EQ(write.macroImageOrder, std::vector<int>{2});
}

TEST_F(ButtonImageWriter, KeyListLongerOrShorterThanTheButtonsIsSafe) {
  std::vector<KeyAssignmentPair> longList = keys;
  longList.push_back({Plain(11, 0x20, 1, 1), Plain(11, 0x20, 1, 1)});  // no twelfth button
  EXPECT_EQ(BuildButtonImageWrite(image, map, longList, 0).image, image);

  const std::vector<KeyAssignmentPair> shortList = {{Plain(0, 0x20, 1, 1), FactoryButtonRecord(0)}};
  std::vector<uint8_t> expected = image;
  Put(expected, 0, {0x20, 1, 1});
  EXPECT_EQ(BuildButtonImageWrite(image, map, shortList, 0).image, expected);

  EXPECT_TRUE(BuildButtonImageWrite({}, map, keys, 0).image.empty());
}

}  // namespace
