#include "profiles/storage/atomic_file.h"

#include <gtest/gtest.h>

#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

class AtomicReplacement : public ::testing::TestWithParam<AtomicWriteStep> {
 protected:
  TempDataFolder temp_;
  std::string folder_ = temp_.MakeFolder("T640/mouse");
  std::string path_ = folder_ + "/profile.Json";
};

TEST(AtomicFile, ReplacesTheWholeFileAndLeavesNothingElseInTheFolder) {
  TempDataFolder temp;
  std::string folder = temp.MakeFolder("data");
  WriteFileBytes(folder + "/a.Json", "old content that is longer than the new one");
  ASSERT_TRUE(WriteFileAtomically(folder + "/a.Json", "new"));
  EXPECT_EQ(ReadFileBytes(folder + "/a.Json"), "new");
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"a.Json"});
}

TEST(AtomicFile, CreatesAMissingFileButNotAMissingFolder) {
  TempDataFolder temp;
  std::string folder = temp.MakeFolder("data");
  EXPECT_TRUE(WriteFileAtomically(folder + "/new.config", "{}"));
  EXPECT_EQ(ReadFileBytes(folder + "/new.config"), "{}");
  EXPECT_FALSE(WriteFileAtomically(folder + "/absent/x.config", "{}"));
  EXPECT_FALSE(WriteFileAtomically("", "{}"));
}

// A write that stops at any point before the rename, as a crash or a full disk would stop it,
// must leave the previous file byte for byte and no temporary file behind.
TEST_P(AtomicReplacement, InterruptedWriteKeepsTheOldFileAndCleansUp) {
  Json::Value before;
  before["Device"][0u]["LightInfo"]["Light"] = 3;
  ASSERT_TRUE(WriteJsonFile(before, path_));
  const std::string oldBytes = ReadFileBytes(path_);

  Json::Value after;
  after["Device"][0u]["LightInfo"]["Light"] = 4;
  {
    ScopedAtomicWriteFailure failure(GetParam());
    EXPECT_FALSE(WriteJsonFile(after, path_));
  }
  EXPECT_EQ(ReadFileBytes(path_), oldBytes);
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"profile.Json"});

  EXPECT_TRUE(WriteJsonFile(after, path_)) << "the failure point is gone with its guard";
  EXPECT_EQ(LoadJsonFile(path_), after);
}

INSTANTIATE_TEST_SUITE_P(EveryStepBeforeTheRename, AtomicReplacement,
                         ::testing::Values(AtomicWriteStep::kAfterTemporaryCreated, AtomicWriteStep::kMidWrite,
                                           AtomicWriteStep::kBeforeRename));

}  // namespace
