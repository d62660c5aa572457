#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "profile_list_test_fixture.h"
#include "profiles/profile_import.h"
#include "profiles/storage/atomic_file.h"

namespace {

using Names = std::vector<std::string>;

Json::Value ImportedDocument(int light) {
  Json::Value document;
  document["profilename"] = "From elsewhere";
  document["profileUUID"] = "2019_05_05_05_05_05_005";
  document["Device"][0u]["LightInfo"]["Light"] = light;
  return document;
}

TEST_F(ProfileListFolder, AddAppendsASelectedProfileMadeFromTheDefaults) {
  WriteProfiles({"A", "B"});
  ASSERT_EQ(store_.Add("Profile1"), ProfileStoreResult::kDone);
  const std::string id = store_.LastCreatedId();
  EXPECT_EQ(StoredNames(), (Names{"A", "B", "Profile1"}));
  EXPECT_EQ(List()["profilelist"][2u]["profileUUID"], id);
  EXPECT_EQ(List()["profileselect"], 2);
  EXPECT_EQ(store_.SelectedIndex(), 2);
  EXPECT_EQ(ProfileFile(id), DefaultsAs("Profile1", id));

  ASSERT_EQ(store_.Add("Profile2"), ProfileStoreResult::kDone);
  EXPECT_NE(store_.LastCreatedId(), id) << "two profiles added at once still get their own files";
}

TEST_F(ProfileListFolder, CopyTakesTheSourceSettingsUnderANewNameAndIdAndIsSelected) {
  WriteProfiles({"A", "B"}, 0);
  Json::Value source = ProfileFile(IdOf(1));
  source["unknown"] = true;
  ASSERT_TRUE(WriteJsonFile(source, folder_ + IdOf(1) + ".Json"));
  const std::string sourceBytes = ReadFileBytes(folder_ + IdOf(1) + ".Json");

  ASSERT_EQ(store_.Copy(1, "B copy"), ProfileStoreResult::kDone);
  const std::string id = store_.LastCreatedId();
  Json::Value copy = ProfileFile(id);
  EXPECT_EQ(LightOf(copy), 11);
  EXPECT_EQ(copy["unknown"], true);
  EXPECT_EQ(copy["profilename"], "B copy");
  EXPECT_EQ(copy["profileUUID"], id);
  EXPECT_EQ(StoredNames(), (Names{"A", "B", "B copy"}));
  EXPECT_EQ(List()["profileselect"], 2) << "the copy is selected";
  EXPECT_EQ(ReadFileBytes(folder_ + IdOf(1) + ".Json"), sourceBytes);
}

TEST_F(ProfileListFolder, ImportStoresTheDocumentUnderANewNameAndIdAndIsSelected) {
  WriteProfiles({"A"});
  ASSERT_EQ(store_.Import(ImportedDocument(77), "A(1)"), ProfileStoreResult::kDone);
  const std::string id = store_.LastCreatedId();
  Json::Value imported = ProfileFile(id);
  EXPECT_EQ(LightOf(imported), 77);
  EXPECT_EQ(imported["profilename"], "A(1)");
  EXPECT_EQ(imported["profileUUID"], id);
  EXPECT_EQ(StoredNames(), (Names{"A", "A(1)"}));
  EXPECT_EQ(List()["profileselect"], 1);
  EXPECT_FALSE(FileExists(folder_ + "2019_05_05_05_05_05_005.Json")) << "the file's own id is never used";
}

using Change = std::function<ProfileStoreResult(CProfileStore&)>;

struct NamedChange {
  const char* name;
  Change change;
};

TEST_F(ProfileListFolder, TheFiftyFirstProfileIsRefusedByAddCopyAndImport) {
  WriteProfiles(Names(50, "P"));
  const auto before = Snapshot();
  const NamedChange changes[] = {
      {"add", [](CProfileStore& s) { return s.Add("Profile51"); }},
      {"copy", [](CProfileStore& s) { return s.Copy(0, "P copy"); }},
      {"import", [](CProfileStore& s) { return s.Import(ImportedDocument(1), "X"); }},
  };
  for (const NamedChange& c : changes) {
    EXPECT_EQ(c.change(store_), ProfileStoreResult::kLimitReached) << c.name;
    EXPECT_EQ(Snapshot(), before) << c.name;
  }
}

struct DeleteCase {
  size_t index;
  size_t newSelection;
  Names left;
  int storedSelection;
};

TEST_F(ProfileListFolder, DeleteRemovesTheEntryAndItsFileAndStoresTheNewSelection) {
  const DeleteCase cases[] = {
      {0, 0, {"B", "C", "D"}, 0},
      {3, 2, {"A", "B", "C"}, 2},
      {1, 9, {"A", "C", "D"}, 0},  // a selection outside the shortened list
  };
  for (const DeleteCase& c : cases) {
    WriteProfiles({"A", "B", "C", "D"}, static_cast<int>(c.index));
    ASSERT_EQ(store_.Delete(c.index, c.newSelection), ProfileStoreResult::kDone) << c.index;
    EXPECT_EQ(StoredNames(), c.left) << c.index;
    EXPECT_EQ(List()["profileselect"], c.storedSelection) << c.index;
    EXPECT_EQ(store_.SelectedIndex(), c.storedSelection) << c.index;
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(FileExists(folder_ + IdOf(i) + ".Json"), i != c.index) << c.index << i;
  }
}

TEST_F(ProfileListFolder, TheOnlyProfileIsNeverDeleted) {
  WriteProfiles({"A"});
  const auto before = Snapshot();
  EXPECT_EQ(store_.Delete(0, 0), ProfileStoreResult::kNoSuchProfile);
  EXPECT_EQ(store_.Delete(1, 0), ProfileStoreResult::kNoSuchProfile);
  EXPECT_EQ(Snapshot(), before);
}

enum class FileState { kPresent, kMissing, kDamaged };

struct RenameCase {
  size_t index;
  FileState file;
  const char* name;
};

TEST_F(ProfileListFolder, RenameChangesTheListAndTheFileAndKeepsTheSettings) {
  WriteProfiles({"A", "B", "C"});
  std::filesystem::remove(folder_ + IdOf(1) + ".Json");
  WriteFileBytes(folder_ + IdOf(2) + ".Json", "{\"Device\": [");
  const RenameCase cases[] = {
      {0, FileState::kPresent, "配置 é"},
      {1, FileState::kMissing, "Y"},
      {2, FileState::kDamaged, "Z"},
  };
  for (const RenameCase& c : cases) {
    ASSERT_EQ(store_.Rename(c.index, c.name), ProfileStoreResult::kDone) << c.name;
    EXPECT_EQ(ListedNames()[c.index], c.name);
    EXPECT_EQ(StoredNames()[c.index], c.name);
    EXPECT_EQ(List()["profilelist"][static_cast<Json::ArrayIndex>(c.index)]["profileUUID"], IdOf(c.index));
    Json::Value file = ProfileFile(IdOf(c.index));
    if (c.file == FileState::kPresent) {
      EXPECT_EQ(LightOf(file), 10);
      EXPECT_EQ(file["profilename"], c.name);
    } else {
      EXPECT_EQ(file, DefaultsAs(c.name, IdOf(c.index))) << c.name;
    }
  }
  EXPECT_EQ(ReadFileBytes(folder_ + IdOf(2) + ".Json.damaged"), "{\"Device\": [");
  EXPECT_EQ(store_.TakeDamagedFileNotices().size(), 1u);
}

TEST_F(ProfileListFolder, ResetWritesTheDefaultsAndTheHeadsetKeepsItsEqualisers) {
  WriteProfiles({"A", "B"});
  for (bool keepEqualisers : {true, false}) {
    Json::Value file = ProfileFile(IdOf(1));
    file["Device"][0u]["CustomEQNameInfo"][0u]["Name"] = "mine";
    file["Device"][0u]["CustomEQHzValueInfo"][0u][0u]["value"] = 3;
    ASSERT_TRUE(WriteJsonFile(file, folder_ + IdOf(1) + ".Json"));

    ASSERT_EQ(store_.Reset(1, keepEqualisers), ProfileStoreResult::kDone);
    Json::Value reset = ProfileFile(IdOf(1));
    Json::Value expected = DefaultsAs("B", IdOf(1));
    if (keepEqualisers) {
      expected["Device"][0u]["CustomEQNameInfo"] = file["Device"][0u]["CustomEQNameInfo"];
      expected["Device"][0u]["CustomEQHzValueInfo"] = file["Device"][0u]["CustomEQHzValueInfo"];
    }
    EXPECT_EQ(reset, expected) << keepEqualisers;
  }
  EXPECT_EQ(LightOf(ProfileFile(IdOf(0))), 10) << "other profiles are untouched";
}

TEST_F(ProfileListFolder, SelectStoresTheIndex) {
  WriteProfiles({"A", "B"});
  ASSERT_EQ(store_.Select(1), ProfileStoreResult::kDone);
  EXPECT_EQ(List()["profileselect"], 1);
  EXPECT_EQ(store_.Select(2), ProfileStoreResult::kNoSuchProfile);
  EXPECT_EQ(List()["profileselect"], 1);
}

struct ExportCase {
  const char* name;
  std::function<void()> prepare;  // changes profile 1's file
  int light;
};

TEST_F(ProfileListFolder, EveryExportCanBeImportedAgain) {
  const ExportCase cases[] = {
      {"as written", [] {}, 11},
      {"without name and id",
       [this] { WriteFileBytes(folder_ + IdOf(1) + ".Json", R"({"Device": [{"LightInfo": {"Light": 5}}]})"); },
       5},
      {"missing", [this] { std::filesystem::remove(folder_ + IdOf(1) + ".Json"); }, 2},
  };
  for (const ExportCase& c : cases) {
    WriteProfiles({"A", "B"});
    c.prepare();
    const std::string exported = exportFolder_ + "B.json";
    ASSERT_EQ(store_.Export(1, exported), ProfileStoreResult::kDone) << c.name;
    ProfileImportCheck check = ReadProfileForImport(exported);
    EXPECT_EQ(check.refusal, ProfileImportRefusal::kNone) << c.name << ": " << check.detail;
    EXPECT_EQ(LightOf(check.document), c.light) << c.name;
    EXPECT_EQ(check.document["profilename"], "B") << c.name;
    EXPECT_EQ(check.document["profileUUID"], IdOf(1)) << c.name;
  }
  WriteProfiles({"A", "B"});
  ASSERT_EQ(store_.Export(0, exportFolder_ + "A.json"), ProfileStoreResult::kDone);
  EXPECT_EQ(ReadFileBytes(exportFolder_ + "A.json"), ReadFileBytes(folder_ + IdOf(0) + ".Json"))
      << "a file the program wrote is exported unchanged";
}

TEST_F(ProfileListFolder, ASourceThatCannotBeReadChangesNothing) {
  WriteProfiles({"A", "B"});
  WriteFileBytes(folder_ + IdOf(1) + ".Json", "not json");
  const NamedChange changes[] = {
      {"copy of a damaged file", [](CProfileStore& s) { return s.Copy(1, "B copy"); }},
      {"export of a damaged file", [this](CProfileStore& s) { return s.Export(1, exportFolder_ + "B.json"); }},
      {"import of a non-profile", [](CProfileStore& s) { return s.Import(Json::Value("text"), "T"); }},
      {"reset without default data",
       [this](CProfileStore& s) {
         std::filesystem::remove(defaultDataPath_);
         return s.Reset(0, false);
       }},
  };
  const auto before = Snapshot();
  for (const NamedChange& c : changes) {
    EXPECT_EQ(c.change(store_), ProfileStoreResult::kSourceUnreadable) << c.name;
    EXPECT_EQ(Snapshot(), before) << c.name;
  }
  EXPECT_TRUE(FolderEntries(exportFolder_).empty());
}

TEST_F(ProfileListFolder, AFailedWriteLeavesListAndFilesAsTheyWere) {
  const NamedChange changes[] = {
      {"select", [](CProfileStore& s) { return s.Select(1); }},
      {"add", [](CProfileStore& s) { return s.Add("Profile3"); }},
      {"copy", [](CProfileStore& s) { return s.Copy(0, "A copy"); }},
      {"import", [](CProfileStore& s) { return s.Import(ImportedDocument(1), "X"); }},
      {"delete", [](CProfileStore& s) { return s.Delete(1, 0); }},
      {"rename", [](CProfileStore& s) { return s.Rename(0, "Z"); }},
      {"reset", [](CProfileStore& s) { return s.Reset(0, true); }},
      {"export", [this](CProfileStore& s) { return s.Export(0, exportFolder_ + "A.json"); }},
  };
  const AtomicWriteStep steps[] = {AtomicWriteStep::kAfterTemporaryCreated, AtomicWriteStep::kMidWrite,
                                   AtomicWriteStep::kBeforeRename};
  WriteProfiles({"A", "B"});
  const auto before = Snapshot();
  for (AtomicWriteStep step : steps) {
    for (const NamedChange& c : changes) {
      ScopedAtomicWriteFailure failure(step);
      EXPECT_EQ(c.change(store_), ProfileStoreResult::kWriteFailed) << c.name << static_cast<int>(step);
      EXPECT_EQ(Snapshot(), before) << c.name << static_cast<int>(step);
    }
  }
  EXPECT_TRUE(FolderEntries(exportFolder_).empty());
}

}  // namespace

// A list that exists but cannot be read is never replaced; the new profile file written before
// the list must then go again, or it would be a profile no list names.
TEST_F(ProfileListFolder, AListThatCannotBeReadIsKeptAndNoNewFileIsLeftUnlisted) {
  WriteProfiles({"A", "B"});
  std::filesystem::remove(ListPath());
  std::filesystem::create_directory(ListPath());
  EXPECT_EQ(store_.Open(), ProfileStoreResult::kWriteFailed);
  EXPECT_EQ(ListedNames(), (Names{"A", "B"})) << "the profiles in the folder are still offered";
  const auto before = Snapshot();
  const NamedChange changes[] = {
      {"add", [](CProfileStore& s) { return s.Add("Profile3"); }},
      {"copy", [](CProfileStore& s) { return s.Copy(0, "A copy"); }},
      {"import", [](CProfileStore& s) { return s.Import(ImportedDocument(1), "X"); }},
  };
  for (const NamedChange& c : changes) {
    EXPECT_EQ(c.change(store_), ProfileStoreResult::kWriteFailed) << c.name;
    EXPECT_EQ(Snapshot(), before) << c.name;
  }
}
