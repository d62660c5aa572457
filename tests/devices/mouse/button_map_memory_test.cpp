// The button places kept across reads and restarts, per image size and firmware.
#include "devices/mouse/button_map_memory.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

class ButtonMapMemoryFile : public ::testing::Test {
 protected:
  TempDataFolder temp_;
  std::string folder_ = temp_.MakeFolder("T640/mouse") + "/";
  std::string path_ = folder_ + kButtonMapMemoryFile;
  CButtonMapMemory memory_{path_};
  const ButtonRecordMap swapped_ = {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  const ButtonRecordMap identity_ = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
};

}  // namespace

TEST_F(ButtonMapMemoryFile, PlacesAreKeptPerImageSizeAndFirmware) {
  EXPECT_EQ(memory_.Find(16, 0x0109), std::nullopt);
  ASSERT_TRUE(memory_.Remember(16, 0x0109, identity_));
  ASSERT_TRUE(memory_.Remember(16, 0x0200, swapped_));
  EXPECT_EQ(memory_.Find(16, 0x0109), identity_);
  EXPECT_EQ(memory_.Find(16, 0x0200), swapped_);
  EXPECT_EQ(memory_.Find(16, 0), swapped_) << "through the receiver the newest places of that size serve";
  EXPECT_EQ(memory_.Find(16, 0x0300), std::nullopt) << "another firmware may lay its records out otherwise";
  EXPECT_EQ(memory_.Find(12, 0x0109), std::nullopt);

  ASSERT_TRUE(memory_.Remember(16, 0x0109, swapped_));
  EXPECT_EQ(memory_.Find(16, 0x0109), swapped_) << "replaced, not added";
}

TEST_F(ButtonMapMemoryFile, PlacesLearntThroughTheReceiverServeTheCable) {
  ASSERT_TRUE(memory_.Remember(16, 0, swapped_));
  EXPECT_EQ(memory_.Find(16, 0x0109), swapped_);
}

TEST_F(ButtonMapMemoryFile, ADamagedFileIsKeptAsideAndPlacesOutsideTheImageAreDropped) {
  WriteFileBytes(path_, "{ not json");
  EXPECT_EQ(memory_.Find(16, 0x0109), std::nullopt);
  ASSERT_TRUE(memory_.Remember(16, 0x0109, identity_));
  EXPECT_TRUE(FileExists(path_ + ".damaged"));

  WriteFileBytes(path_, R"({"maps": [{"records": 16, "firmware": 1, "map": [0, -4, 900, "x"]}]})");
  const std::optional<ButtonRecordMap> odd = memory_.Find(16, 1);
  ASSERT_TRUE(odd);
  EXPECT_EQ((*odd)[0], 0);
  for (size_t button = 1; button < odd->size(); ++button) EXPECT_EQ((*odd)[button], kNoButtonRecord) << button;
}
