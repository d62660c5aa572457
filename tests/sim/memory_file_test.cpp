// A virtual device that remembers what it was told across runs: its memory in a file.
#include "sim/memory_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "sim/simulation.h"
#include "support/sim_frame_exchange.h"
#include "support/temp_data_folder.h"

namespace {

class SimMemoryFile : public ::testing::Test {
 protected:
  std::unique_ptr<CSimulation> Run() {
    std::string error;
    std::unique_ptr<CSimulation> sim = CreateSimulation("mouse:memory=" + path_, &error);
    EXPECT_TRUE(sim) << error;
    return sim;
  }

  TempDataFolder temp_;
  std::string path_ = temp_.MakeFolder("sim") + "/mouse.mem";
};

}  // namespace

TEST_F(SimMemoryFile, WhatTheHostWritesIsThereInTheNextRun) {
  const std::vector<uint8_t> image = {0x10, 0x02, 0x00, 0x10, 0x01, 0x00};
  {
    std::unique_ptr<CSimulation> sim = Run();
    EXPECT_TRUE(std::ifstream(path_)) << "a missing file is made from the factory memory";
    CHidDevice port(sim->Backend());
    ASSERT_EQ(OpenSimCommandPort(sim->Backend(), *sim->Mouse(), port), 1);
    std::optional<SimFrame> reply = ExchangeSimFrame(port, SimCommandFrame(kSimCmdWriteConfigImage, 6, 0, image));
    ASSERT_TRUE(reply);
    ASSERT_EQ((*reply)[kSimFrameStatusByte], kSimStatusAccepted);
    sim->Mouse()->ChangeProfile(2);
  }
  std::unique_ptr<CSimulation> again = Run();
  EXPECT_EQ(again->Mouse()->ReadBlock(SimBlock::ConfigImage, 0, 6), image);
  EXPECT_EQ(again->Mouse()->ActiveProfile(), 2);
}

TEST_F(SimMemoryFile, AFileThatIsNotAMemoryFileLeavesTheFactoryMemory) {
  SimFirmwareMemory memory;
  memory[SimBlock::Status] = {1, 2};
  for (const char* text : {"garbage", "Status 0g0h\n", "Nowhere 0102\n"}) {
    std::ofstream(path_) << text;
    SimFirmwareMemory loaded = memory;
    EXPECT_FALSE(LoadSimMemoryFile(path_, loaded)) << text;
    EXPECT_EQ(loaded[SimBlock::Status], memory[SimBlock::Status]) << text;
  }
  // A block of another size (another device's file) is not taken.
  std::ofstream(path_) << "Status 010203\n";
  SimFirmwareMemory loaded = memory;
  EXPECT_TRUE(LoadSimMemoryFile(path_, loaded));
  EXPECT_EQ(loaded[SimBlock::Status], memory[SimBlock::Status]);
}
