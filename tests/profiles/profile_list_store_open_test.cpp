#include <gtest/gtest.h>

#include "profile_list_test_fixture.h"
#include "profiles/storage/atomic_file.h"

namespace {

using Names = std::vector<std::string>;

TEST_F(ProfileListFolder, FirstOpenListsOneSelectedProfile1MadeFromTheDefaults) {
  ASSERT_EQ(store_.Open(), ProfileStoreResult::kDone);
  ASSERT_EQ(ListedNames(), Names{"Profile1"});
  EXPECT_EQ(store_.SelectedIndex(), 0);
  const std::string id = store_.Entries()[0].id;

  Json::Value list = List();
  ASSERT_EQ(list["profilelist"].size(), 1u);
  const Json::Value& entry = list["profilelist"][0u];
  EXPECT_EQ(entry["profilename"], "Profile1");
  EXPECT_EQ(entry["profileUUID"], id);
  EXPECT_EQ(entry["profileislink"], 0);
  EXPECT_EQ(entry["profilelinkmame"], "");
  EXPECT_EQ(list["profileselect"], 0);
  EXPECT_EQ(ProfileFile(id), DefaultsAs("Profile1", id));
  EXPECT_EQ(store_.ProfilePath(0), folder_ + id + ".Json");
}

struct LostList {
  const char* name;
  const char* bytes;  // nullptr: no list file at all
  bool damaged;
};

void PrintTo(const LostList& c, std::ostream* out) { *out << c.name; }

class LostProfileList : public ProfileListFolder, public ::testing::WithParamInterface<LostList> {};

// A lost list must not hide the user's profiles behind a fresh "Profile1".
TEST_P(LostProfileList, IsRebuiltFromTheProfileFilesInTheFolder) {
  if (GetParam().bytes) WriteFileBytes(ListPath(), GetParam().bytes);
  WriteProfileFile("Copied by hand", IdOf(0), 12);
  std::filesystem::rename(folder_ + IdOf(0) + ".Json", folder_ + "copied.Json");  // its id is not its file name
  WriteProfileFile("Second", IdOf(1), 11);
  WriteProfileFile("First", IdOf(0), 10);
  WriteFileBytes(folder_ + IdOf(2) + ".Json", R"({"profileUUID": ")" + IdOf(2) + R"(", "Device": []})");  // no name
  WriteFileBytes(folder_ + "macro.config", R"({"MacroInfo": []})");

  ASSERT_EQ(store_.Open(), ProfileStoreResult::kDone);
  EXPECT_EQ(ListedNames(), (Names{"First", "Second"}));
  EXPECT_EQ(store_.Entries()[0].id, IdOf(0));
  EXPECT_EQ(store_.SelectedIndex(), 0);
  EXPECT_EQ(StoredNames(), (Names{"First", "Second"}));
  EXPECT_EQ(List()["profileselect"], 0);
  EXPECT_EQ(FolderEntries(folder_).size(), GetParam().damaged ? 7u : 6u) << "no profile file was added";

  std::vector<DamagedFileNotice> notices = store_.TakeDamagedFileNotices();
  if (GetParam().damaged) {
    EXPECT_EQ(ReadFileBytes(ListPath() + ".damaged"), GetParam().bytes);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].keptAs, ListPath() + ".damaged");
  } else {
    EXPECT_TRUE(notices.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    States, LostProfileList,
    ::testing::Values(LostList{"Missing", nullptr, false}, LostList{"Empty", "", false},
                      LostList{"CutShort", R"({"profilelist": [{"profilename": "Fir)", true},
                      LostList{"NotAnObject", "[1, 2]", true},
                      LostList{"EmptyList", R"({"profilelist": [], "profileselect": 3})", false},
                      LostList{"OnlyUnsafeIds", R"({"profilelist": [{"profilename": "x", "profileUUID": "../x"}]})",
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileListFolder, AListLostBetweenChangesIsRebuiltBeforeTheChange) {
  WriteProfiles({"A", "B"});
  std::filesystem::remove(ListPath());
  ASSERT_EQ(store_.Add("C"), ProfileStoreResult::kDone);
  EXPECT_EQ(StoredNames(), (Names{"A", "B", "C"}));
}

TEST_F(ProfileListFolder, HandEditedEntriesThatReachOutsideTheFolderAreDropped) {
  WriteProfileFile("A", IdOf(0), 10);
  WriteProfileFile("B", IdOf(1), 11);
  WriteFileBytes(ListPath(), R"({"profilelist": [
      {"profilename": "A", "profileUUID": ")" + IdOf(0) + R"(", "colour": "red"},
      {"profilename": "up", "profileUUID": "../x"},
      {"profilename": "down", "profileUUID": "sub/y"},
      {"profilename": "none", "profileUUID": ""},
      {"profilename": "number", "profileUUID": 7},
      42,
      {"profilename": "twin", "profileUUID": ")" + IdOf(0) + R"("},
      {"profilename": "B", "profileUUID": ")" + IdOf(1) + R"("}],
    "profileselect": 9, "written by": "hand"})");

  ASSERT_EQ(store_.Open(), ProfileStoreResult::kDone);
  EXPECT_EQ(ListedNames(), (Names{"A", "B"}));
  EXPECT_EQ(store_.SelectedIndex(), 0) << "a selection outside the list reads as the first profile";
  EXPECT_EQ(store_.ProfilePath(2), "");

  ASSERT_EQ(store_.Select(1), ProfileStoreResult::kDone);
  Json::Value list = List();
  EXPECT_EQ(StoredNames(), (Names{"A", "B"}));
  EXPECT_EQ(list["profileselect"], 1);
  EXPECT_EQ(list["written by"], "hand") << "keys this program does not know are kept";
  EXPECT_EQ(list["profilelist"][0u]["colour"], "red");
  EXPECT_EQ(list["profilelist"][1u]["profileislink"], 0) << "the link keys are always written";
}

TEST_F(ProfileListFolder, ASelectionThatIsNotAnIndexOfTheListReadsAsTheFirst) {
  const std::pair<Json::Value, int> cases[] = {{1, 1}, {2, 0}, {-1, 0}, {"1", 0}, {Json::Value(), 0}};
  WriteProfiles({"A", "B"});
  for (const auto& [stored, expected] : cases) {
    Json::Value list = List();
    list["profileselect"] = stored;
    ASSERT_TRUE(WriteJsonFile(list, ListPath()));
    store_.Reload();
    EXPECT_EQ(store_.SelectedIndex(), expected) << stored.toStyledString();
  }
}

TEST_F(ProfileListFolder, AListThatCannotBeStoredIsNotHalfWritten) {
  {
    ScopedAtomicWriteFailure failure(AtomicWriteStep::kBeforeRename);
    EXPECT_EQ(store_.Open(), ProfileStoreResult::kWriteFailed);
  }
  EXPECT_TRUE(FolderEntries(folder_).empty()) << "neither a list nor a profile file without its list";
  EXPECT_TRUE(store_.Entries().empty());

  WriteProfileFile("Kept", IdOf(0), 10);
  {
    ScopedAtomicWriteFailure failure(AtomicWriteStep::kBeforeRename);
    EXPECT_EQ(store_.Open(), ProfileStoreResult::kWriteFailed);
  }
  EXPECT_EQ(ListedNames(), Names{"Kept"}) << "the profiles found are still offered";
  EXPECT_FALSE(FileExists(ListPath()));
}

}  // namespace
