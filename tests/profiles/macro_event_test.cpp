#include "profiles/macros/macro_event.h"

#include <gtest/gtest.h>

#include "profiles/storage/json_file.h"

namespace {

Json::Value Parse(const std::string& text) {
  Json::Value value;
  EXPECT_TRUE(ParseJsonText(text, value)) << text;
  return value;
}

using Bytes = std::array<uint8_t, 4>;

TEST(MacroEvent, EncodesDelayTypeWithTheDownBitAndButton) {
  MacroEvent down = MacroEventFromJson(Parse(R"({"Type": 10, "Button": 4, "Action": "down", "Delay": "100"})"));
  MacroEvent up = MacroEventFromJson(Parse(R"({"Type": 10, "Button": 4, "Action": "up", "Delay": "100"})"));
  EXPECT_EQ(EncodeMacroEvent(down), (Bytes{0x64, 0x00, 0x8A, 0x04}));
  EXPECT_EQ(EncodeMacroEvent(up), (Bytes{0x64, 0x00, 0x0A, 0x04}));
  MacroEvent other = MacroEventFromJson(Parse(R"({"Type": 1, "Button": 258, "Action": "Down", "Delay": "300"})"));
  EXPECT_EQ(EncodeMacroEvent(other), (Bytes{0x2C, 0x01, 0x01, 0x02})) << "only exactly \"down\" sets bit 7";
}

struct DelayCase {
  const char* delay;  // the JSON value of "Delay"
  uint32_t value;
};

// "Delay" is a decimal text in macro files, a number in the first recorded event and in recoil
// tables, and anything at all in a damaged file.
TEST(MacroEvent, ReadsDelayLeniently) {
  const DelayCase cases[] = {
      {"\"150\"", 150}, {"150", 150},  {"0", 0},          {"\"\"", 0},        {"\"abc\"", 0},   {"\"12ms\"", 12},
      {"\"-5\"", 0},    {"-5", 0},     {"1.9", 1},        {"true", 0},        {"null", 0},      {"[1]", 0},
      {"\"70000\"", 70000},
  };
  for (const DelayCase& c : cases) {
    MacroEvent event = MacroEventFromJson(Parse(std::string(R"({"Type": 10, "Delay": )") + c.delay + "}"));
    EXPECT_EQ(event.Delay, c.value) << c.delay;
  }
  MacroEvent longPause = MacroEventFromJson(Parse(R"({"Delay": "70000"})"));
  EXPECT_EQ(EncodeMacroEvent(longPause)[0], 0x70) << "70000 = 0x11170, truncated to 16 bits";
  EXPECT_EQ(EncodeMacroEvent(longPause)[1], 0x11);
}

TEST(MacroEvent, TypeAndButtonMayBeDecimalTextAndNullIsAZeroEvent) {
  MacroEvent event = MacroEventFromJson(Parse(R"({"Type": "5", "Button": "7", "Action": "up", "Delay": 95})"));
  EXPECT_EQ(EncodeMacroEvent(event), (Bytes{0x5F, 0x00, 0x05, 0x07}));
  EXPECT_EQ(EncodeMacroEvent(MacroEventFromJson(Json::Value())), (Bytes{0, 0, 0, 0}));
}

TEST(MacroEvent, WritesDelayAsTextAndReadsBackTheSameEvent) {
  const MacroEvent event{kMacroEventMoveX, 44, true, 65535};
  Json::Value json = MacroEventToJson(event);
  EXPECT_TRUE(json["Delay"].isString());
  EXPECT_EQ(json["Delay"].asString(), "65535");
  EXPECT_EQ(json["Action"].asString(), "down");
  EXPECT_EQ(MacroEventFromJson(json), event);
}

}  // namespace
