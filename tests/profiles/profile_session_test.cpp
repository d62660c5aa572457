// One device kind's profiles while the program runs: the chosen profile is loaded once, saved
// where it belongs, and follows the list operations that change or remove it.
#include "profiles/profile_session/profile_session.h"

#include <gtest/gtest.h>

#include <functional>

#include "profile_list_test_fixture.h"

namespace {

class ProfileSessionFolder : public ProfileListFolder {
 protected:
  int ChosenLight() { return session_.Data().ReadLightInfo().Light; }
  void SaveLight(int light) {
    LightInfoRecord record = session_.Data().ReadLightInfo();
    record.Light = static_cast<uint8_t>(light);
    session_.Data().WriteLightInfo(record);
    ASSERT_TRUE(session_.Save());
  }

  CProfileSession session_{std::make_unique<CBasicProfiledata>()};
};

}  // namespace

TEST_F(ProfileSessionFolder, TheChosenProfileIsReadOnceWhenItIsChosen) {
  WriteProfiles({"A", "B"}, 1);
  session_.SetFolders(folder_, defaultDataPath_);
  ASSERT_EQ(session_.Open(), ProfileStoreResult::kDone);
  EXPECT_EQ(session_.ChosenIndex(), 1);
  EXPECT_EQ(session_.ChosenName(), "B");
  EXPECT_EQ(ChosenLight(), 11);

  WriteProfileFile("B", IdOf(1), 99);  // another program rewrites the file
  session_.Open();
  session_.Choose(1);
  EXPECT_EQ(ChosenLight(), 11) << "a loaded profile is not read again";
  session_.Choose(0);
  EXPECT_EQ(ChosenLight(), 10);
  EXPECT_EQ(List()["profileselect"], 0);
}

TEST_F(ProfileSessionFolder, SavingWritesTheChosenProfilesFileOnly) {
  WriteProfiles({"A", "B"}, 0);
  session_.SetFolders(folder_, defaultDataPath_);
  session_.Open();
  const std::string otherBytes = ReadFileBytes(folder_ + IdOf(1) + ".Json");
  SaveLight(42);
  EXPECT_EQ(LightOf(ProfileFile(IdOf(0))), 42);
  EXPECT_EQ(ProfileFile(IdOf(0))["profilename"], "A");
  EXPECT_EQ(ReadFileBytes(folder_ + IdOf(1) + ".Json"), otherBytes);
}

TEST_F(ProfileSessionFolder, ListOperationsMoveTheDeviceOffWhatTheyChangeOrRemove) {
  WriteProfiles({"A", "B", "C"}, 2);
  session_.SetFolders(folder_, defaultDataPath_);
  session_.Open();

  ASSERT_EQ(session_.Delete(2, 1), ProfileStoreResult::kDone);
  EXPECT_EQ(session_.ChosenName(), "B");
  EXPECT_EQ(ChosenLight(), 11);
  SaveLight(50);
  EXPECT_FALSE(FileExists(folder_ + IdOf(2) + ".Json")) << "a save after the delete does not bring it back";

  ASSERT_EQ(session_.Rename(1, "Bravo"), ProfileStoreResult::kDone);
  EXPECT_EQ(session_.ChosenName(), "Bravo");
  ASSERT_EQ(session_.Reset(1), ProfileStoreResult::kDone);
  EXPECT_EQ(ChosenLight(), 2) << "the reset profile is loaded again";
  SaveLight(3);
  EXPECT_EQ(ProfileFile(IdOf(1))["profilename"], "Bravo");
}

// Add, copy and import: the device works on the new profile from then on, and the next start
// opens it.
TEST_F(ProfileSessionFolder, ANewProfileIsChosenAndStoredAsSelected) {
  struct Case {
    const char* operation;
    std::function<ProfileStoreResult(CProfileSession&)> create;
    int light;  // what the new profile holds
  };
  Json::Value imported;
  imported["profilename"] = "elsewhere";
  imported["profileUUID"] = "2019_01_01_00_00_00_000";
  imported["Device"][0u]["LightInfo"]["Light"] = 77;
  const Case cases[] = {
      {"add", [](CProfileSession& s) { return s.Add("D"); }, 2},  // the default data
      {"copy", [](CProfileSession& s) { return s.Copy(1, "B copy"); }, 11},
      {"import", [&imported](CProfileSession& s) { return s.Import(imported, "I"); }, 77},
  };
  for (const Case& c : cases) {
    WriteProfiles({"A", "B", "C"}, 2);
    CProfileSession session(std::make_unique<CBasicProfiledata>());
    session.SetFolders(folder_, defaultDataPath_);
    session.Open();
    ASSERT_EQ(c.create(session), ProfileStoreResult::kDone) << c.operation;
    EXPECT_EQ(session.ChosenIndex(), 3) << c.operation;
    EXPECT_EQ(session.ChosenId(), List()["profilelist"][3u]["profileUUID"].asString()) << c.operation;
    EXPECT_EQ(session.Data().ReadLightInfo().Light, c.light) << c.operation;
    EXPECT_EQ(List()["profileselect"], 3) << c.operation;

    CProfileSession nextStart(std::make_unique<CBasicProfiledata>());
    nextStart.SetFolders(folder_, defaultDataPath_);
    nextStart.Open();
    EXPECT_EQ(nextStart.ChosenId(), session.ChosenId()) << c.operation;
  }
}

TEST_F(ProfileSessionFolder, AnotherFolderClosesTheSession) {
  WriteProfiles({"A"}, 0);
  session_.SetFolders(folder_, defaultDataPath_);
  session_.Open();
  const std::string other = temp_.MakeFolder("T640/other") + "/";
  session_.SetFolders(other, defaultDataPath_);
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_EQ(session_.ChosenIndex(), -1);
  EXPECT_FALSE(session_.Save()) << "nothing is chosen to save";
  ASSERT_EQ(session_.Open(), ProfileStoreResult::kDone);
  EXPECT_EQ(session_.ChosenName(), "Profile1") << "a first start in the new folder";
  EXPECT_TRUE(FileExists(other + "ProfileList.ini"));
}
