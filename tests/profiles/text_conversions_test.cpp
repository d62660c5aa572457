#include "profiles/storage/text_conversions.h"

#include <gtest/gtest.h>

namespace {

struct Utf8Case {
  std::string text;
  bool valid;
};

TEST(TextConversions, Utf8CheckAcceptsTextAndRefusesBrokenSequences) {
  const Utf8Case cases[] = {
      {"", true},
      {"macro_1", true},
      {"宏一", true},
      {"\xF0\x9F\x98\x80", true},  // U+1F600, four bytes
      {"\xFF", false},
      {"abc\xC3", false},              // cut in the middle of a character
      {"\xC0\xAF", false},             // overlong '/'
      {"\xED\xA0\x80", false},         // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", false},     // above U+10FFFF
      {std::string("a\0b", 3), false},  // NUL
      {"\x80", false},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << ::testing::PrintToString(c.text);
}

TEST(TextConversions, TrimAndCaseFoldingAreAsciiOnly) {
  EXPECT_EQ(TrimWhiteSpace(" \t name \r\n"), "name");
  EXPECT_EQ(TrimWhiteSpace(" \t "), "");
  EXPECT_TRUE(EqualsIgnoringCase("Macro_2", "mACRO_2"));
  EXPECT_FALSE(EqualsIgnoringCase("macro_2", "macro_2 "));
  EXPECT_FALSE(EqualsIgnoringCase("É", "é")) << "only ASCII letters fold, as in the C locale";
}

TEST(TextConversions, FileTitleDropsFolderAndLastExtension) {
  EXPECT_EQ(FileTitleOf("/home/u/abc.mac"), "abc");
  EXPECT_EQ(FileTitleOf("C:\\macros\\a.b.mac"), "a.b");
  EXPECT_EQ(FileTitleOf("noext"), "noext");
  EXPECT_EQ(FileTitleOf("/x/.mac"), "");
}

TEST(TextConversions, HexWordIsEightUpperCaseDigits) {
  EXPECT_EQ(HexWord(0x00AB12CD), "00AB12CD");
  EXPECT_EQ(HexWord(0xFFFFFFFF), "FFFFFFFF");
}

TEST(TextConversions, PlainFileNamesCannotLeaveTheirFolder) {
  EXPECT_TRUE(IsPlainFileName("2026_01_17_09_05_03_042"));
  for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b"}) EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  EXPECT_FALSE(IsPlainFileName(std::string("a\0b", 3)));
}

TEST(TextConversions, DecimalValueReadsLeadingDigitsLeniently) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"150", 150}, {"  42", 42}, {"150ms", 150}, {"", 0}, {"abc", 0}, {"-5", 0}, {"4294967296", 0}, {"70000", 70000}};
  for (const auto& [text, value] : cases) EXPECT_EQ(DecimalValueOf(text), value) << text;
}

}  // namespace
