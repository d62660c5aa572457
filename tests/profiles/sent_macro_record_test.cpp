// The host's record of the macros last sent to a device: kept whole, never half-read.
#include "profiles/macros/sent_macro_record.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_data_folder.h"

namespace {

TEST(SentMacroRecord, KeepsTheMacrosInImageOrderAndIsGoneOnceForgotten) {
  TempDataFolder data;
  const std::string folder = data.Path() + "/";
  EXPECT_FALSE(ReadSentMacroRecord(folder));
  const std::vector<NamedMacro> sent = {{"paste", {{10, 25, true, 20}, {10, 25, false, 65535}}}, {"empty", {}}};
  ASSERT_TRUE(WriteSentMacroRecord(folder, sent));
  EXPECT_EQ(ReadSentMacroRecord(folder), sent);
  EXPECT_TRUE(ForgetSentMacroRecord(folder));
  EXPECT_FALSE(ReadSentMacroRecord(folder));
  EXPECT_TRUE(ForgetSentMacroRecord(folder)) << "nothing left to forget is no failure";
}

TEST(SentMacroRecord, ADamagedOrForeignFileIsNoRecord) {
  TempDataFolder data;
  const std::string folder = data.Path() + "/";
  for (const char* text : {"{\"SentMacros\": [", "{\"SentMacros\": {}}", "[1, 2]", ""}) {
    std::ofstream(folder + std::string(kSentMacroRecordFile)) << text;
    EXPECT_FALSE(ReadSentMacroRecord(folder)) << text;
  }
}

TEST(NamedMacroList, ReadsWhatItWritesAndKeepsEveryEvent) {
  std::vector<NamedMacro> written(1, NamedMacro{"long", {}});
  for (uint32_t i = 0; i < 70; ++i) written[0].events.push_back({1, 1, i % 2 == 0, i});
  std::vector<NamedMacro> read;
  std::string error;
  ASSERT_TRUE(ReadNamedMacroList(NamedMacroListJson(written), read, error)) << error;
  EXPECT_EQ(read, written) << "a macro too long for the device is refused when sent, never cut short here";
}

}  // namespace
