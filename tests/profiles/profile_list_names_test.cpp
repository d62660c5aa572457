#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "profiles/profile_list/profile_names.h"

namespace {

using Names = std::vector<std::string>;

// The name-length rule depends on the system's converter; without it every character outside
// ASCII would count 2 and a character the code page lacks would be measured wrongly.
TEST(ProfileNameLength, TheChineseCodePageConverterIsAvailable) {
  iconv_t converter = iconv_open("CP936", "UTF-8");
  ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
  iconv_close(converter);
}

struct ByteCountCase {
  const char* text;
  size_t bytes;
};

TEST(ProfileNameLength, CountsBytesAsTheChineseCodePageStoresThem) {
  const ByteCountCase cases[] = {
      {"", 0},
      {"Profile1", 8},
      {"配置", 4},
      {"配置文件配置文件", 16},    // eight characters: the longest accepted
      {"配置文件配置文件配", 18},  // nine
      {"é", 2},                    // Latin letters with accents are in the code page too
      {"😀", 1},                   // not in the code page: written as '?'
      {"a😀配", 4},
      {"\xFF", 1},                 // a byte that cannot start a character
      {"\xE9\x85", 2},             // a character cut short: each byte on its own
      {"\xED\xA0\x80", 3},         // an encoded surrogate is not a character
  };
  for (const ByteCountCase& c : cases) EXPECT_EQ(AnsiCodePageByteCount(c.text), c.bytes) << c.text;
}

struct CutCase {
  const char* name;
  size_t maxBytes;
  const char* kept;
};

TEST(ProfileNameLength, CutsKeepWholeCharactersWithinTheLimit) {
  const CutCase cases[] = {
      {"Profile1", 16, "Profile1"},
      {"abcdefghijklmnop", 16, "abcdefghijklmnop"},              // exactly at the limit
      {"abcdefghijklmnopq", 16, "abcdefghijklmnop"},             // one over
      {"a very long file name indeed", 16, "a very long file"},
      {"配置文件配置文件", 16, "配置文件配置文件"},              // eight Chinese characters: 16 bytes
      {"配置文件配置文件配", 16, "配置文件配置文件"},            // nine: the ninth goes whole
      {"a配置文件配置文件", 16, "a配置文件配置文"},              // 15 bytes; the next character needs 2
      {"ab配置文件配置文件", 16, "ab配置文件配置文"},            // 16 bytes
      {"Game配置Setup设置Extra", 16, "Game配置Setup设"},
      {"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀", 16,                       // one byte each, four in UTF-8
       "😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀"},
      {"abc\xFF\xFE" "def", 4, "abc\xFF"},                   // stray bytes count one each
      {"配置", 3, "配"},
      {"配置", 1, ""},
      {"", 16, ""},
  };
  for (const CutCase& c : cases) {
    const std::string kept = CutProfileName(c.name, c.maxBytes);
    EXPECT_EQ(kept, c.kept) << c.name << " to " << c.maxBytes;
    EXPECT_LE(AnsiCodePageByteCount(kept), c.maxBytes) << c.name;
  }
  EXPECT_EQ(CutProfileName("abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnop") << "the rule's limit by default";
}

struct NameCase {
  std::string name;
  ProfileNameCheck check;
};

TEST(ProfileNameRules, RefuseInTheOrderTheUserIsTold) {
  const NameCase cases[] = {
      {"", ProfileNameCheck::kEmpty},
      {"abcdefghijklmnop", ProfileNameCheck::kAccepted},
      {"abcdefghijklmnopq", ProfileNameCheck::kTooLong},
      {"配置文件配置文件", ProfileNameCheck::kAccepted},
      {"配置文件配置文件配", ProfileNameCheck::kTooLong},
      {"My Profile", ProfileNameCheck::kForbiddenCharacter},
      {"abc#", ProfileNameCheck::kForbiddenCharacter},
      {"a long name with spaces", ProfileNameCheck::kTooLong},  // length is checked first
      {"😀", ProfileNameCheck::kAccepted},
      {"bad\xFF", ProfileNameCheck::kNotText},
      {"tab\tname", ProfileNameCheck::kNotText},
      {"del\x7F", ProfileNameCheck::kNotText},
  };
  for (const NameCase& c : cases) EXPECT_EQ(CheckProfileName(c.name), c.check) << c.name;
}

TEST(ProfileNameRules, EachOfTheFourteenCharactersIsRefusedAndNothingElse) {
  const std::string forbidden = "<>:\" /\\|?#%&*=";
  ASSERT_EQ(forbidden.size(), 14u);
  for (char c : forbidden) {
    EXPECT_TRUE(HasForbiddenProfileCharacter(std::string("a") + c + "b")) << c;
    EXPECT_EQ(CheckProfileName(std::string(1, c)), ProfileNameCheck::kForbiddenCharacter) << c;
  }
  EXPECT_FALSE(HasForbiddenProfileCharacter("Game_1-2.(3)!@$^+~'[]{};,`"));
}

TEST(ProfileNameRules, EveryRefusalHasItsMessage) {
  const std::pair<ProfileNameCheck, std::string> keys[] = {
      {ProfileNameCheck::kAccepted, ""},
      {ProfileNameCheck::kEmpty, "message_text_5_1"},
      {ProfileNameCheck::kTooLong, "message_text_34"},
      {ProfileNameCheck::kForbiddenCharacter, "message_text_35"},
      {ProfileNameCheck::kNotText, "message_text_35"},
  };
  for (const auto& [check, key] : keys) EXPECT_EQ(ProfileNameMessageKey(check), key);
}

TEST(ProfileNameRules, BlankMeansOnlyWhiteSpace) {
  for (const char* blank : {"", " ", "\t \r\n"}) EXPECT_TRUE(IsBlankProfileName(blank)) << blank;
  for (const char* text : {"a", " a ", "配"}) EXPECT_FALSE(IsBlankProfileName(text)) << text;
}

TEST(ProfileNameRules, OnlyOtherProfilesCountWhenANameIsTaken) {
  const Names names{"Alpha", "beta"};
  EXPECT_TRUE(NameTakenByOther(names, "ALPHA", -1));
  EXPECT_FALSE(NameTakenByOther(names, "ALPHA", 0)) << "renaming a profile to its own name in another case";
  EXPECT_TRUE(NameTakenByOther(names, "Beta", 0));
  EXPECT_FALSE(NameTakenByOther(names, "gamma", -1));
}

struct NewNameCase {
  std::string (*make)(const std::string&, const Names&);
  const char* base;
  Names listed;
  const char* expected;
};

std::string NextFree(const std::string&, const Names& names) { return NextFreeProfileName(names); }

TEST(ProfileNameRules, NewNamesAvoidListedOnesIgnoringCase) {
  const NewNameCase cases[] = {
      {NextFree, "", {}, "Profile1"},
      {NextFree, "", {"Profile1", "Profile3"}, "Profile2"},
      {NextFree, "", {"Profile1", "profile2"}, "Profile3"},
      {CopyProfileName, "A", {"A"}, "A copy"},
      {CopyProfileName, "A", {"A", "A copy"}, "A copy copy"},
      {CopyProfileName, "A", {"A", "a COPY", "A copy copy"}, "A copy copy copy"},
      {ImportedProfileName, "A", {"B"}, "A"},
      {ImportedProfileName, "A", {"a"}, "A(1)"},
      {ImportedProfileName, "A", {"A", "A(1)"}, "A(1)(2)"},
      // Imported names keep to the length rule: the base is cut, and gives way to the suffixes.
      {ImportedProfileName, "abcdefghijklmnopqrst", {}, "abcdefghijklmnop"},
      {ImportedProfileName, "abcdefghijklmnopqrst", {"abcdefghijklmnop"}, "abcdefghijklm(1)"},
      {ImportedProfileName, "abcdefghijklmnopqrst", {"abcdefghijklmnop", "abcdefghijklm(1)"}, "abcdefghij(1)(2)"},
      {ImportedProfileName, "配置文件配置文件配置", {}, "配置文件配置文件"},
      {ImportedProfileName, "配置文件配置文件配置", {"配置文件配置文件"}, "配置文件配置(1)"},
  };
  for (const NewNameCase& c : cases) EXPECT_EQ(c.make(c.base, c.listed), c.expected) << c.base << " / " << c.expected;
}

}  // namespace
