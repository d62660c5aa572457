// The virtual devices keep their own table of the commands they answer, written from the device's
// side of the protocol; the program's and theirs must name the same numbers.
#include <gtest/gtest.h>

#include "sim/sim_frame.h"
#include "transport/command_numbers.h"

TEST(CommandNumbers, TheProgramAndTheVirtualDevicesAgree) {
  struct Pair {
    CommandNumber program;
    SimCommand device;
  };
  const Pair pairs[] = {
      {kCmdBeginConfig, kSimCmdBeginConfig},         {kCmdEndConfig, kSimCmdEndConfig},
      {kCmdReadDeviceInfo, kSimCmdReadDeviceInfo},   {kCmdWriteDeviceInfo, kSimCmdWriteDeviceInfo},
      {kCmdReadSettings, kSimCmdReadSettings},       {kCmdWriteSettings, kSimCmdWriteSettings},
      {kCmdReadConfigImage, kSimCmdReadConfigImage}, {kCmdWriteConfigImage, kSimCmdWriteConfigImage},
      {kCmdReadBankBlock, kSimCmdReadBankBlock},     {kCmdWriteBankBlock, kSimCmdWriteBankBlock},
      {kCmdWriteLightStream, kSimCmdWriteLightStream}, {kCmdWriteMacroData, kSimCmdWriteMacroData},
      {kCmdWriteShootData, kSimCmdWriteShootData},   {kCmdSendHostReady, kSimCmdHostReady},
      {kCmdReadStatus, kSimCmdReadStatus},           {kCmdReadConfigThird, kSimCmdReadConfigThird},
      {kCmdLightControlOn, kSimCmdLightControlOn},   {kCmdDeviceIsLink, kSimCmdLinkTest},
  };
  for (const Pair& pair : pairs) EXPECT_EQ(int(pair.program), int(pair.device));
}
