// Recoil tables: a bullet's six events as written and read, the import check, and the shipped
// factory tables.
#include <gtest/gtest.h>

#include <string>

#include "profiles/macros/macro_event.h"
#include "profiles/recoil/recoil_table.h"
#include "profiles/storage/json_file.h"

namespace {

Json::Value Parsed(const std::string& text) {
  Json::Value value;
  EXPECT_TRUE(ParseJsonText(text, value)) << text;
  return value;
}

std::string EventText(int type, int button, const char* action, int delay) {
  return R"({"Type":)" + std::to_string(type) + R"(,"Button":)" + std::to_string(button) + R"(,"Action":")" + action +
         R"(","Delay":)" + std::to_string(delay) + "}";
}

// `bullets` bullets of the six-event shape, moving right by 1 and down by 2 every 90 ms.
std::string TableText(int bullets) {
  std::string events;
  for (int b = 0; b < bullets; ++b) {
    events += std::string(b ? "," : "") + EventText(1, 1, "down", 10) + "," + EventText(1, 1, "up", 0) + "," +
              EventText(4, 1, "up", 5) + "," + EventText(5, 2, "up", 90) + "," + EventText(4, 0, "up", 0) + "," +
              EventText(5, 0, "up", 0);
  }
  return R"({"Events":[)" + events + "]}";
}

std::string WithEvent(std::string table, int index, const std::string& replacement) {
  // Events are all the same length in TableText until replaced; find the index-th object.
  size_t at = table.find('[') + 1;
  for (int i = 0; i < index; ++i) at = table.find('}', at) + 2;
  const size_t end = table.find('}', at) + 1;
  return table.replace(at, end - at, replacement);
}

TEST(RecoilTable, ABulletIsWrittenAsItsSixEventsAndReadBack) {
  Json::Value table = Parsed(TableText(30));
  table["Name"] = "kept";
  const RecoilBullet bullet{.x = 3, .left = true, .y = 7, .up = false, .delay = 95};
  WriteRecoilBullet(table, 2, bullet);

  const Json::Value expected = Parsed(R"([
      {"Type":1,"Button":1,"Action":"down","Delay":10}, {"Type":1,"Button":1,"Action":"up","Delay":0},
      {"Type":4,"Button":3,"Action":"down","Delay":5},  {"Type":5,"Button":7,"Action":"up","Delay":95},
      {"Type":4,"Button":0,"Action":"down","Delay":0},  {"Type":5,"Button":0,"Action":"up","Delay":0}])");
  for (Json::ArrayIndex i = 0; i < 6; ++i) EXPECT_EQ(table["Events"][12 + i], expected[i]) << "event " << 12 + i;
  EXPECT_EQ(table["Name"], "kept");
  EXPECT_EQ(ReadRecoilBullet(table, 2), bullet);

  // On the device: delay, type with the "down" bit, distance.
  const std::vector<MacroEvent> events = RecoilTableEvents(table);
  EXPECT_EQ(EncodeMacroEvent(events[15]), (std::array<uint8_t, 4>{0x5F, 0x00, 0x05, 0x07}));
  EXPECT_EQ(EncodeMacroEvent(events[14]), (std::array<uint8_t, 4>{0x05, 0x00, 0x84, 0x03}));
}

TEST(RecoilTable, WritingBeyondAShortTableFillsTheGapWithNullsAndKeepsValuesInRange) {
  Json::Value table = Parsed(TableText(1));
  WriteRecoilBullet(table, 29, RecoilBullet{.x = 300, .left = false, .y = 9, .up = true, .delay = 70000});
  ASSERT_EQ(table["Events"].size(), 180u);
  EXPECT_TRUE(table["Events"][6].isNull());
  EXPECT_TRUE(table["Events"][173].isNull());
  const RecoilBullet read = ReadRecoilBullet(table, 29);
  EXPECT_EQ(read.x, 255u) << "a record holds 8 bits";
  EXPECT_EQ(read.delay, 65535u) << "a record holds 16 bits";
  EXPECT_EQ(EncodeMacroEvent(RecoilTableEvents(table)[100]), (std::array<uint8_t, 4>{0, 0, 0, 0}));

  // Anything but a table becomes one.
  Json::Value notATable = Parsed("[1, 2]");
  WriteRecoilBullet(notATable, 0, RecoilBullet{.x = 1});
  EXPECT_EQ(notATable["Events"].size(), 6u);
}

TEST(RecoilTable, ReadsTextNumbersAndDirectionsInAnyCase) {
  const Json::Value table = Parsed(R"({"Events":[{},{},
      {"Type":4,"Button":"12","Action":"DOWN","Delay":"5"},
      {"Type":5,"Button":"4","Action":"Down","Delay":"120"}]})");
  EXPECT_EQ(ReadRecoilBullet(table, 0), (RecoilBullet{.x = 12, .left = true, .y = 4, .up = true, .delay = 120}));
  EXPECT_EQ(ReadRecoilBullet(table, 5), RecoilBullet{}) << "a missing bullet is all zero";
}

TEST(RecoilTable, ThePathFollowsEachShotFromTheStart) {
  Json::Value table = Parsed(TableText(30));
  WriteRecoilBullet(table, 0, RecoilBullet{.x = 2, .left = true, .y = 5, .up = false, .delay = 90});
  const std::vector<RecoilPoint> path = RecoilPath(table);
  ASSERT_EQ(path.size(), 30u);
  EXPECT_EQ(path[0], (RecoilPoint{-2, 5}));
  EXPECT_EQ(path[1], (RecoilPoint{-1, 7}));
  EXPECT_EQ(path[29], (RecoilPoint{27, 63}));
}

TEST(RecoilTable, OnlyTablesOfThirtyWellFormedBulletsPass) {
  const std::string good = TableText(30);
  const struct {
    const char* what;
    std::string text;
    RecoilTableCheck check;
  } cases[] = {
      {"a table", good, RecoilTableCheck::kAccepted},
      {"numbers as text", WithEvent(good, 9, R"({"Type":"5","Button":"2","Action":"UP","Delay":"90"})"),
       RecoilTableCheck::kAccepted},
      {"not JSON", "ShootData", RecoilTableCheck::kNotJson},
      {"a list", "[1,2,3]", RecoilTableCheck::kNotTable},
      {"a macro file", R"({"MacroName":"m","Events":{}})", RecoilTableCheck::kNotTable},
      {"29 bullets", TableText(29), RecoilTableCheck::kWrongCount},
      {"31 bullets", TableText(31), RecoilTableCheck::kWrongCount},
      {"a key event", WithEvent(good, 2, EventText(10, 4, "down", 5)), RecoilTableCheck::kBadEvent},
      {"a sideways action", WithEvent(good, 2, EventText(4, 1, "left", 5)), RecoilTableCheck::kBadEvent},
      {"a distance past 8 bits", WithEvent(good, 3, EventText(5, 256, "up", 90)), RecoilTableCheck::kBadEvent},
      {"a delay past 16 bits", WithEvent(good, 3, EventText(5, 2, "up", 65536)), RecoilTableCheck::kBadEvent},
      {"a negative distance", WithEvent(good, 8, EventText(4, -1, "up", 5)), RecoilTableCheck::kBadEvent},
      {"a fraction", WithEvent(good, 8, R"({"Type":4,"Button":1.5,"Action":"up","Delay":5})"),
       RecoilTableCheck::kBadEvent},
      {"a number with text", WithEvent(good, 8, R"({"Type":4,"Button":"1x","Action":"up","Delay":5})"),
       RecoilTableCheck::kBadEvent},
      {"a null event", WithEvent(good, 0, "null"), RecoilTableCheck::kBadEvent},
      {"far too large", good + std::string(kMaxRecoilTableFileBytes, ' '), RecoilTableCheck::kTooLarge},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckRecoilTableText(c.text).check, c.check) << c.what;
}

// Each shipped table is a spray a player could use: it pulls the pointer down against the climb,
// sways a little, and fires at a gun's pace.
TEST(RecoilTable, TheFactoryTablesArePlausibleSprays) {
  for (int gun = 0; gun < kRecoilGunCount; ++gun) {
    const std::string path = std::string(T640_SOURCE_DIR) + "/DefaultData/" + RecoilTableFileName(gun);
    const std::string text = ReadJsonFileText(path);
    ASSERT_EQ(CheckRecoilTableText(text).check, RecoilTableCheck::kAccepted) << path;
    Json::Value table;
    ASSERT_TRUE(ParseJsonText(text, table));
    const std::vector<RecoilPoint> path30 = RecoilPath(table);
    EXPECT_GT(path30.back().y, 60) << path << ": pulls down";
    for (int bullet = 0; bullet < kRecoilBulletCount; ++bullet) {
      const RecoilBullet values = ReadRecoilBullet(table, bullet);
      EXPECT_FALSE(values.up) << path << " bullet " << bullet;
      EXPECT_LE(values.x, 5u) << path << " bullet " << bullet;
      EXPECT_LE(values.y, 15u) << path << " bullet " << bullet;
      EXPECT_GE(values.delay, 50u) << path << " bullet " << bullet;
      EXPECT_LE(values.delay, 150u) << path << " bullet " << bullet;
    }
  }
}

}  // namespace
