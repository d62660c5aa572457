#include "profiles/storage/json_access.h"

#include <gtest/gtest.h>

#include "profiles/storage/json_file.h"

namespace {

Json::Value Parse(const char* text) {
  Json::Value value;
  EXPECT_TRUE(ParseJsonText(text, value)) << text;
  return value;
}

struct ValueCase {
  const char* json;  // the value of key "v"
  int64_t integer;
  bool flag;
  const char* text;
  uint32_t lenient;
};

// A hand-edited or foreign file can put any value under any key; none of them may throw.
TEST(JsonAccess, EveryValueTypeReadsWithoutThrowing) {
  const ValueCase cases[] = {
      {"7", 7, true, "", 7},
      {"-3", -3, true, "", 0},
      {"0", 0, false, "", 0},
      {"2.9", 2, true, "", 2},
      {"1e300", 0, true, "", 0},
      {"18446744073709551615", 0, true, "", 0},
      {"true", 1, true, "", 0},
      {"false", 0, false, "", 0},
      {"\"150\"", 0, false, "150", 150},
      {"\"x\"", 0, false, "x", 0},
      {"null", 0, false, "", 0},
      {"[1]", 0, false, "", 0},
      {"{\"a\": 1}", 0, false, "", 0},
  };
  for (const ValueCase& c : cases) {
    Json::Value object = Parse((std::string("{\"v\": ") + c.json + "}").c_str());
    const Json::Value& v = MemberOf(object, "v");
    EXPECT_EQ(IntegerOf(v), c.integer) << c.json;
    EXPECT_EQ(FlagOf(v), c.flag) << c.json;
    EXPECT_EQ(TextOf(v), c.text) << c.json;
    EXPECT_EQ(LenientNumberOf(v), c.lenient) << c.json;
  }
}

TEST(JsonAccess, MembersAndElementsOfTheWrongContainerAreNull) {
  Json::Value array = Parse("[1, 2]");
  Json::Value object = Parse("{\"a\": 1}");
  EXPECT_TRUE(MemberOf(array, "a").isNull());
  EXPECT_TRUE(MemberOf(Json::Value("text"), "a").isNull());
  EXPECT_TRUE(ElementOf(object, 0).isNull());
  EXPECT_TRUE(ElementOf(array, 2).isNull());
  EXPECT_EQ(IntegerOf(ElementOf(array, 1)), 2);
  EXPECT_EQ(IntegerAt(array, "a"), 0);
}

TEST(JsonAccess, EditsTurnWrongContainersIntoFreshOnes) {
  Json::Value document = Parse("{\"KeyList\": 5, \"List\": {\"x\": 1}}");
  ArrayElement(ObjectMember(document, "KeyList"), 2) = 9;
  EXPECT_EQ(document["KeyList"].size(), 3u);
  EXPECT_TRUE(document["KeyList"][0u].isNull());
  Json::Value number(4);
  ObjectMember(number, "a") = 1;
  EXPECT_EQ(number["a"].asInt(), 1);
  EXPECT_TRUE(AsObject(document["List"]).isMember("x")) << "an object stays as it is";
}

}  // namespace
