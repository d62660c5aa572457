// The diagnostic read of a mouse, frame by frame, over the cable and through the receiver.

#include "tools/t640ctl/mouse_read.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/simulation.h"
#include "tools/t640ctl/interface_listing.h"
#include "transport/result_codes.h"

namespace {

// Command, length and offset of a logged frame, as "cmd:len@offset".
std::vector<std::string> Shapes(const CSimFrameLog& log) {
  std::vector<std::string> shapes;
  for (const SimLoggedFrame& frame : log.Snapshot()) {
    const auto& b = frame.bytes;
    shapes.push_back(std::to_string(b[3]) + ":" + std::to_string(b[4]) + "@" + std::to_string(b[5] | (b[6] << 8)));
  }
  return shapes;
}

struct Rig {
  explicit Rig(const char* list) {
    std::string error;
    simulation = CreateSimulation(list, &error);
    EXPECT_TRUE(simulation) << error;
  }

  MouseReadResult Read(bool receiver) {
    auto& backend = simulation->Backend();
    channel = std::make_unique<CUsbCommandChannel>(backend);
    CHidDevice& port = receiver ? channel->ReceiverPort() : channel->DirectPort();
    std::string path = receiver ? backend.CommandPathOf(*simulation->Receiver())
                                : backend.CommandPathOf(*simulation->Mouse());
    EXPECT_EQ(port.Open(path, true, true, true, false), 1);
    channel->SetConnectionType(receiver ? kConnectionTypeReceiver : kConnectionTypeCable);
    channel->SetIsOpen(1);
    return ReadMouseForDiagnosis(*channel);
  }

  std::unique_ptr<CSimulation> simulation;
  std::unique_ptr<CUsbCommandChannel> channel;
};

}  // namespace

TEST(MouseDiagnosticRead, OverTheCableReadsEachBlockIn56ByteChunks) {
  Rig rig("mouse");
  MouseReadResult read = rig.Read(false);
  ASSERT_EQ(read.result, kResultSuccess) << read.failedStep;

  const unsigned records = read.info[5];
  EXPECT_EQ(read.info[0], 0xAA);
  EXPECT_EQ(read.info[1], 0x55);
  ASSERT_EQ(read.configImage.size(), 3u * records);
  EXPECT_THAT(std::vector<uint8_t>(read.configImage.begin(), read.configImage.begin() + 3),
              testing::ElementsAre(0x10, 0x01, 0x00));  // the left button's factory record
  EXPECT_EQ(read.settingsPage.size(), kMouseSettingsPageSize);

  std::vector<std::string> expected = {"1:0@0", "3:34@0", "2:0@0", "1:0@0"};
  for (unsigned done = 0; done < 3 * records; done += 56) {
    expected.push_back("7:" + std::to_string(std::min(56u, 3 * records - done)) + "@" + std::to_string(done));
  }
  const std::string page = std::to_string(128 * read.activeProfile);
  expected.insert(expected.end(), {"2:0@0", "5:1@0", "5:56@" + page, "5:31@" + std::to_string(128 * read.activeProfile + 56)});
  EXPECT_THAT(Shapes(rig.simulation->Mouse()->Frames()), testing::ElementsAreArray(expected));
}

TEST(MouseDiagnosticRead, ThroughTheReceiverAsksForTheLinkBeforeEachStepAndUses24ByteChunks) {
  Rig rig("mouse-receiver");
  MouseReadResult read = rig.Read(true);
  ASSERT_EQ(read.result, kResultSuccess) << read.failedStep;
  auto shapes = Shapes(rig.simulation->Receiver()->Frames());
  ASSERT_GE(shapes.size(), 6u);
  EXPECT_THAT(std::vector<std::string>(shapes.begin(), shapes.begin() + 6),
              testing::ElementsAre("170:0@0", "1:0@0", "170:0@0", "3:24@0", "3:10@24", "170:0@0"));
  EXPECT_THAT(std::vector<std::string>(shapes.end() - 5, shapes.end()),
              testing::ElementsAre("170:0@0", "5:24@0", "5:24@24", "5:24@48", "5:15@72"));
}

TEST(MouseDiagnosticRead, AnUnlinkedReceiverGetsNothingButTheLinkTest) {
  Rig rig("mouse-receiver:unlinked");
  MouseReadResult read = rig.Read(true);
  EXPECT_EQ(read.result, kResultNotLinked);
  EXPECT_EQ(read.failedStep, "Hid2_4GDeviceIsLink");
  EXPECT_THAT(Shapes(rig.simulation->Receiver()->Frames()), testing::ElementsAre("170:0@0"));
}

TEST(MouseDiagnosticRead, AnImageLargerThanTheChannelAllowsIsNotRead) {
  Rig rig("mouse");
  rig.simulation->Mouse()->WriteBlock(SimBlock::DeviceInfo, 5, std::vector<uint8_t>{171});
  MouseReadResult read = rig.Read(false);
  EXPECT_EQ(read.failedStep, "SetConfigSize");
  EXPECT_TRUE(read.configImage.empty());
}

TEST(InterfaceListing, NamesThePermissionProblemWithItsFix) {
  ListedInterface denied;
  denied.path = R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0001#hidraw3)";
  denied.openError = HidOpenError::AccessDenied;
  std::string text = FormatInterfaceListing({denied});
  EXPECT_THAT(text, testing::HasSubstr("permission denied"));
  EXPECT_THAT(text, testing::HasSubstr("70-t640.rules"));
  EXPECT_THAT(text, testing::HasSubstr("320f:22a4"));
}

TEST(InterfaceListing, ShowsTheSlotsTheScanWouldClaimForMouseAndReceiver) {
  Rig rig("mouse,mouse-receiver");
  std::vector<ListedInterface> listed;
  ASSERT_TRUE(ListSupportedInterfaces(rig.simulation->Backend(), listed));
  std::vector<int> slots;
  for (const auto& entry : listed) slots.push_back(entry.slot);
  EXPECT_THAT(slots, testing::UnorderedElementsAre(4, 5, 6, 7));
}
