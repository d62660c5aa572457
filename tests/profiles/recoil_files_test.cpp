// The recoil table files of a device folder: repair from the factory copies, imports that change
// nothing unless they are tables, the round trip through an export, and the device image.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "profiles/macros/macro_image.h"
#include "profiles/recoil/recoil_files.h"
#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

std::string Bullets(int count, int distance) {
  std::string events;
  for (int b = 0; b < count; ++b) {
    const std::string d = std::to_string(distance);
    events += std::string(b ? "," : "") + R"({"Type":1,"Button":1,"Action":"down","Delay":10},)" +
              R"({"Type":1,"Button":1,"Action":"up","Delay":0},)" + R"({"Type":4,"Button":)" + d +
              R"(,"Action":"up","Delay":5},)" + R"({"Type":5,"Button":)" + d + R"(,"Action":"up","Delay":90},)" +
              R"({"Type":4,"Button":0,"Action":"up","Delay":0},{"Type":5,"Button":0,"Action":"up","Delay":0})";
  }
  return R"({"Events":[)" + events + "]}\n";
}

class RecoilFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int gun = 0; gun < kRecoilGunCount; ++gun) WriteFileBytes(files_.FactoryPath(gun), Factory(gun));
  }
  static std::string Factory(int gun) { return Bullets(30, gun + 1); }
  std::string User(int gun) { return ReadFileBytes(files_.UserPath(gun)); }

  TempDataFolder temp_;
  const std::string user_ = temp_.MakeFolder("mouse") + "/";
  const std::string factory_ = temp_.MakeFolder("DefaultData") + "/";
  CRecoilFiles files_{user_, factory_};
};

TEST_F(RecoilFiles, MissingEmptyAndDamagedCopiesBecomeTheFactoryOnesAndDamagedOnesAreKept) {
  const std::string edited = Bullets(30, 9);
  WriteFileBytes(files_.UserPath(0), edited);
  WriteFileBytes(files_.UserPath(1), "  \n");
  WriteFileBytes(files_.UserPath(2), "{\"Events\": [ half a file");
  std::vector<DamagedFileNotice> notices;
  files_.RepairUserTables(notices);

  EXPECT_EQ(User(0), edited) << "a readable table is the user's";
  EXPECT_EQ(User(1), Factory(1));
  EXPECT_EQ(User(2), Factory(2));
  EXPECT_EQ(User(3), Factory(3));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(ReadFileBytes(notices[0].keptAs), "{\"Events\": [ half a file");
}

TEST_F(RecoilFiles, WithoutAFactoryCopyNothingIsMade) {
  ASSERT_EQ(unlink(files_.FactoryPath(3).c_str()), 0);
  std::vector<DamagedFileNotice> notices;
  files_.RepairUserTables(notices);
  EXPECT_FALSE(FileExists(files_.UserPath(3)));
  EXPECT_FALSE(files_.ResetGun(3));
}

TEST_F(RecoilFiles, ImportsThatAreNotTablesChangeNothing) {
  const std::string edited = Bullets(30, 7);
  WriteFileBytes(files_.UserPath(1), edited);
  const struct {
    const char* what;
    std::string bytes;
    CRecoilFiles::ImportResult result;
  } cases[] = {
      {"damaged", Bullets(30, 3).substr(0, 500), CRecoilFiles::ImportResult::kRefused},
      {"a macro file", R"({"MacroName":"m","Guid":"g","Events":[{"Type":10,"Button":4,"Action":"down","Delay":"10"}]})",
       CRecoilFiles::ImportResult::kRefused},
      {"too few bullets", Bullets(12, 3), CRecoilFiles::ImportResult::kRefused},
      {"a distance the record cannot hold", Bullets(30, 300), CRecoilFiles::ImportResult::kRefused},
      {"oversized", Bullets(30, 3) + std::string(kMaxRecoilTableFileBytes, ' '), CRecoilFiles::ImportResult::kRefused},
  };
  const std::string path = temp_.Path() + "/chosen.shoot";
  for (const auto& c : cases) {
    WriteFileBytes(path, c.bytes);
    EXPECT_EQ(files_.ImportGun(1, path), c.result) << c.what;
    EXPECT_EQ(User(1), edited) << c.what;
  }
  EXPECT_EQ(files_.ImportGun(1, temp_.Path() + "/none.shoot"), CRecoilFiles::ImportResult::kUnreadable);
  EXPECT_EQ(User(1), edited);
}

TEST_F(RecoilFiles, AnExportedTableImportsAsItWas) {
  ASSERT_TRUE(files_.ResetGun(0));
  ASSERT_TRUE(files_.SaveBullet(0, 4, RecoilBullet{.x = 6, .left = true, .y = 11, .up = false, .delay = 77}));
  const std::string saved = User(0);
  const std::string path = temp_.Path() + "/spray.shoot";
  ASSERT_TRUE(files_.ExportGun(0, path));
  EXPECT_EQ(ReadFileBytes(path), saved);

  ASSERT_TRUE(files_.ResetGun(2));
  EXPECT_EQ(files_.ImportGun(2, path), CRecoilFiles::ImportResult::kImported);
  EXPECT_EQ(User(2), saved);
  EXPECT_EQ(ReadRecoilBullet(files_.LoadTable(2), 4), (RecoilBullet{.x = 6, .left = true, .y = 11, .up = false, .delay = 77}));
}

TEST_F(RecoilFiles, SavingABulletNeverOverwritesACopyItCannotRead) {
  WriteFileBytes(files_.UserPath(0), "not a table");
  EXPECT_FALSE(files_.SaveBullet(0, 0, RecoilBullet{.x = 1}));
  EXPECT_EQ(User(0), "not a table");
  // A missing copy starts afresh.
  EXPECT_TRUE(files_.SaveBullet(1, 0, RecoilBullet{.x = 1}));
  EXPECT_EQ(files_.LoadTable(1)["Events"].size(), 6u);
}

TEST_F(RecoilFiles, TheImageHoldsTheFourTablesInOrder) {
  for (int gun = 0; gun < kRecoilGunCount; ++gun) ASSERT_TRUE(files_.ResetGun(gun));
  const CRecoilFiles::Image image = files_.BuildImage();
  ASSERT_EQ(image.status, CRecoilFiles::ImageStatus::kReady);
  ASSERT_EQ(image.bytes.size(), 2920u);
  const auto word = [&](size_t at) { return image.bytes[at] | image.bytes[at + 1] << 8; };
  EXPECT_EQ(word(0), 0x55AA);
  EXPECT_EQ(word(2), 2920);
  EXPECT_EQ(word(4), 4);
  EXPECT_EQ(word(16), 24);
  EXPECT_EQ(word(18), 748);
  EXPECT_EQ(word(20), 1472);
  EXPECT_EQ(word(22), 2196);
  // Gun 2's first horizontal move: 5 ms, type 4 to the right, distance 3.
  EXPECT_EQ(word(1472), 180);
  EXPECT_EQ(std::vector<uint8_t>(image.bytes.begin() + 1472 + 4 + 8, image.bytes.begin() + 1472 + 4 + 12),
            (std::vector<uint8_t>{0x05, 0x00, 0x04, 0x03}));
}

TEST_F(RecoilFiles, AnUnreadableOrOverlongTableStopsTheImage) {
  for (int gun = 0; gun < kRecoilGunCount; ++gun) ASSERT_TRUE(files_.ResetGun(gun));
  WriteFileBytes(files_.UserPath(2), "garbage");
  CRecoilFiles::Image image = files_.BuildImage();
  EXPECT_EQ(image.status, CRecoilFiles::ImageStatus::kTableUnreadable);
  EXPECT_EQ(image.gun, 2);
  EXPECT_TRUE(image.bytes.empty());

  WriteFileBytes(files_.UserPath(2), Bullets(31, 1));
  image = files_.BuildImage();
  EXPECT_EQ(image.status, CRecoilFiles::ImageStatus::kTableTooLong);
  EXPECT_TRUE(image.bytes.empty());
}

}  // namespace
