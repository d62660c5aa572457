#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "support/fake_hid_backend.h"
#include "support/test_clock.h"
#include "support/temp_data_folder.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

const char* const kCablePath = "fake-cable";
const char* const kReceiverPath = "fake-receiver";
constexpr int kCable = kConnectionTypeCable;
constexpr int kReceiver = kConnectionTypeReceiver;

// A channel whose two ports open fake devices, attached the way the device code attaches one.
struct ChannelRig {
  CFakeHidBackend backend;
  CFakeHidDevice& cable = backend.AddDevice(kCablePath);
  CFakeHidDevice& receiver = backend.AddDevice(kReceiverPath);
  // The channel's pauses pass on virtual time.
  CTestClock clock;
  CUsbCommandChannel channel{backend, clock};

  explicit ChannelRig(int connectionType, uint16_t configSize = kMaxConfigSize) {
    const bool viaReceiver = connectionType == kReceiver;
    CHidDevice& port = viaReceiver ? channel.ReceiverPort() : channel.DirectPort();
    EXPECT_EQ(port.Open(viaReceiver ? kReceiverPath : kCablePath, true, true, true, false), 1);
    channel.SetConnectionType(connectionType);
    channel.SetIsOpen(1);
    EXPECT_EQ(channel.SetConfigSize(configSize), 1);
  }

  CFakeHidDevice& Active() { return channel.ReceiverMode() ? receiver : cable; }
};

using Command = std::function<int(CUsbCommandChannel&, uint8_t* buffer)>;

FakeReport Pattern(size_t length, uint8_t seed) {
  FakeReport bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

const char* ModeName(int connectionType) { return connectionType == kReceiver ? "receiver" : "cable"; }

}  // namespace

TEST(UsbCommandSet, EachCommandAddressesItsBlockInTheExpectedFrames) {
  struct Case {
    const char* name;
    int connectionType;
    uint16_t configSize;
    Command run;
    std::vector<FakeFrameShape> frames;
  };
  const Case cases[] = {
      {"BeginConfig", kReceiver, 512, [](auto& c, auto*) { return c.BeginConfig(); }, {{0x01, 0, 0}}},
      {"EndConfig", kCable, 512, [](auto& c, auto*) { return c.EndConfig(); }, {{0x02, 0, 0}}},
      {"LightControlOn", kCable, 512, [](auto& c, auto*) { return c.LightControlOn(); }, {{0x1C, 0, 0}}},
      {"SendHostReady", kReceiver, 512, [](auto& c, auto*) { return c.SendHostReady(); }, {{0x19, 0, 0}}},
      {"ReadStatus", kCable, 512, [](auto& c, auto* b) { return c.ReadStatus(b, 6, 0x0102); }, {{0x1A, 6, 0x0102}}},
      {"ReadDeviceInfo over the cable is one frame", kCable, 512, [](auto& c, auto* b) { return c.ReadDeviceInfo(b); },
       {{0x03, 34, 0}}},
      {"ReadDeviceInfo through the receiver is 24 + 10", kReceiver, 512,
       [](auto& c, auto* b) { return c.ReadDeviceInfo(b); }, {{0x03, 24, 0}, {0x03, 10, 24}}},
      {"WriteDeviceInfo is one frame, over the cable", kCable, 512, [](auto& c, auto* b) { return c.WriteDeviceInfo(b); },
       {{0x04, 34, 0}}},
      {"ReadConfigImage of 60 over the cable", kCable, 60, [](auto& c, auto* b) { return c.ReadConfigImage(b, c.ConfigSize()); },
       {{0x07, 56, 0}, {0x07, 4, 56}}},
      {"ReadConfigImage of 60 through the receiver", kReceiver, 60,
       [](auto& c, auto* b) { return c.ReadConfigImage(b, c.ConfigSize()); }, {{0x07, 24, 0}, {0x07, 24, 24}, {0x07, 12, 48}}},
      {"WriteConfigImage of 60, bank 0", kCable, 60, [](auto& c, auto* b) { return c.WriteConfigImage(b, c.ConfigSize(), 0); },
       {{0x09, 56, 0}, {0x09, 4, 56}}},
      {"ReadConfigThird reads a third of the image", kReceiver, 90,
       [](auto& c, auto* b) { return c.ReadConfigThird(b, c.ConfigSize()); }, {{0x1B, 24, 0}, {0x1B, 6, 24}}},
      {"ReadSettings 87 at 256 over the cable", kCable, 512,
       [](auto& c, auto* b) { return c.ReadSettings(b, 87, 256); }, {{0x05, 56, 256}, {0x05, 31, 312}}},
      {"ReadSettings 87 at 256 through the receiver", kReceiver, 512,
       [](auto& c, auto* b) { return c.ReadSettings(b, 87, 256); },
       {{0x05, 24, 256}, {0x05, 24, 280}, {0x05, 24, 304}, {0x05, 15, 328}}},
      {"ReadSettings of one byte", kCable, 512, [](auto& c, auto* b) { return c.ReadSettings(b, 1, 0); },
       {{0x05, 1, 0}}},
      {"ReadSettings of nothing sends nothing", kCable, 512, [](auto& c, auto* b) { return c.ReadSettings(b, 0, 0); },
       {}},
      {"WriteSettings 87 at 128", kCable, 512, [](auto& c, auto* b) { return c.WriteSettings(b, 87, 128); },
       {{0x06, 56, 128}, {0x06, 31, 184}}},
      {"ReadBankBlock in bank 2", kCable, 512, [](auto& c, auto* b) { return c.ReadBankBlock(b, 60, 2, 512); },
       {{0x0A, 56, 1024}, {0x0A, 4, 1080}}},
      {"WriteBankBlock in bank 1 through the receiver", kReceiver, 512,
       [](auto& c, auto* b) { return c.WriteBankBlock(b, 30, 1, 512); }, {{0x0B, 24, 512}, {0x0B, 6, 536}}},
      {"WriteLightStream", kReceiver, 512, [](auto& c, auto* b) { return c.WriteLightStream(b, 30); },
       {{0x12, 24, 0}, {0x12, 6, 24}}},
      {"WriteMacroData", kReceiver, 512, [](auto& c, auto* b) { return c.WriteMacroData(b, 50); },
       {{0x15, 24, 0}, {0x15, 24, 24}, {0x15, 2, 48}}},
      {"WriteShootData over the cable", kCable, 512, [](auto& c, auto* b) { return c.WriteShootData(b, 100); },
       {{0x17, 56, 0}, {0x17, 44, 56}}},
      {"WriteShootData takes the receiver's 24-byte chunks", kReceiver, 512,
       [](auto& c, auto* b) { return c.WriteShootData(b, 100); },
       {{0x17, 24, 0}, {0x17, 24, 24}, {0x17, 24, 48}, {0x17, 24, 72}, {0x17, 4, 96}}},
      {"Hid2_4GDeviceIsLink through the receiver", kReceiver, 512,
       [](auto& c, auto*) { return c.Hid2_4GDeviceIsLink() ? 1 : 0; }, {{0xAA, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig(c.connectionType, c.configSize);
    FakeReport buffer = Pattern(1024, 0x21);
    EXPECT_EQ(c.run(rig.channel, buffer.data()), 1);

    const auto frames = rig.backend.Frames();
    EXPECT_EQ(FrameShapes(frames), c.frames);
    for (const auto& frame : frames) {
      EXPECT_EQ(frame.path, c.connectionType == kReceiver ? kReceiverPath : kCablePath);
      ASSERT_EQ(frame.bytes.size(), kCommandFrameSize);
      EXPECT_EQ(frame.bytes[0], 4);
      EXPECT_EQ(frame.bytes[7], 0);
      CommandFrame sent = FrameFromBytes(frame.bytes.data(), frame.bytes.size());
      // Host-ready goes out without a checksum.
      const uint16_t checksum = FrameCommand(sent) == 0x19 ? 0 : ComputeFrameChecksum(sent);
      EXPECT_EQ(sent[1] | (sent[2] << 8), checksum);
    }
  }
}

TEST(UsbCommandSet, ReadsAssembleAndWritesStoreTheWholeBlock) {
  struct Case {
    const char* name;
    uint8_t blockCommand;
    uint32_t blockOffset;
    uint32_t length;
    bool isRead;
    Command run;
  };
  const Case cases[] = {
      {"ReadDeviceInfo", 0x03, 0, 34, true, [](auto& c, auto* b) { return c.ReadDeviceInfo(b); }},
      {"WriteDeviceInfo", 0x04, 0, 34, false, [](auto& c, auto* b) { return c.WriteDeviceInfo(b); }},
      {"ReadSettings", 0x05, 256, 87, true, [](auto& c, auto* b) { return c.ReadSettings(b, 87, 256); }},
      {"WriteSettings", 0x06, 256, 87, false, [](auto& c, auto* b) { return c.WriteSettings(b, 87, 256); }},
      {"ReadConfigImage", 0x07, 0, 100, true, [](auto& c, auto* b) { return c.ReadConfigImage(b, c.ConfigSize()); }},
      {"WriteConfigImage", 0x09, 0, 100, false, [](auto& c, auto* b) { return c.WriteConfigImage(b, c.ConfigSize(), 0); }},
      {"ReadConfigThird", 0x1B, 0, 33, true, [](auto& c, auto* b) { return c.ReadConfigThird(b, c.ConfigSize()); }},
      {"ReadBankBlock", 0x0A, 512, 70, true, [](auto& c, auto* b) { return c.ReadBankBlock(b, 70, 1, 512); }},
      {"WriteBankBlock", 0x0B, 512, 70, false, [](auto& c, auto* b) { return c.WriteBankBlock(b, 70, 1, 512); }},
      {"WriteMacroData", 0x15, 0, 70, false, [](auto& c, auto* b) { return c.WriteMacroData(b, 70); }},
      {"WriteShootData", 0x17, 0, 70, false, [](auto& c, auto* b) { return c.WriteShootData(b, 70); }},
      {"WriteLightStream", 0x12, 0, 70, false, [](auto& c, auto* b) { return c.WriteLightStream(b, 70); }},
      {"ReadStatus", 0x1A, 3, 6, true, [](auto& c, auto* b) { return c.ReadStatus(b, 6, 3); }},
  };
  for (int type : {kCable, kReceiver}) {
    for (const Case& c : cases) {
      // The information block is one 34-byte frame, which only the cable carries.
      if (type == kReceiver && c.blockCommand == 0x04) continue;
      SCOPED_TRACE(std::string(c.name) + " via " + ModeName(type));
      ChannelRig rig(type, 100);
      const FakeReport data = Pattern(c.length, 0x40);
      FakeReport buffer(c.length + 8, 0xEE);
      if (c.isRead) {
        rig.Active().SetBlock(c.blockCommand, c.blockOffset, data);
      } else {
        std::copy(data.begin(), data.end(), buffer.begin());
      }
      ASSERT_EQ(c.run(rig.channel, buffer.data()), 1);
      if (c.isRead) {
        EXPECT_EQ(FakeReport(buffer.begin(), buffer.begin() + c.length), data);
        EXPECT_EQ(buffer[c.length], 0xEE) << "written past the block";
      } else {
        EXPECT_EQ(rig.Active().Block(c.blockCommand, c.blockOffset, c.length), data);
      }
    }
  }
}

TEST(UsbCommandSet, ShorterLastChunkCarriesThePreviousChunksTail) {
  ChannelRig rig(kCable);
  const FakeReport macro = Pattern(60, 0x10);
  ASSERT_EQ(rig.channel.WriteMacroData(macro.data(), 60), 1);
  const auto frames = rig.cable.Frames();
  ASSERT_EQ(frames.size(), 2u);
  const FakeReport& last = frames[1].bytes;
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(last[8 + i], macro[56 + i]);
  for (size_t i = 4; i < 56; ++i) EXPECT_EQ(last[8 + i], macro[i]) << "payload byte " << i;
  unsigned sum = 0;
  for (size_t i = 3; i < 64; ++i) sum += last[i];
  EXPECT_EQ(last[1] | (last[2] << 8), sum & 0xFFFF);
}

TEST(UsbCommandSet, AFailingFrameStopsTheTransferWithItsCode) {
  struct Case {
    const char* name;
    FakeFault fault;
    int result;
    size_t framesSent;
  };
  const Case cases[] = {
      {"status 0xFF", FakeFault::StatusError, -102, 2},
      {"status 0xFE", FakeFault::StatusSecondError, -103, 2},
      {"write failure", FakeFault::WriteFails, -1, 2},
      {"receiver lost the device", FakeFault::NotLinked, -101, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig(kReceiver, 60);
    const FakeReport image = Pattern(60, 0x50);
    rig.receiver.SetBlock(0x07, 0, image);
    rig.receiver.SetFaultAt(1, c.fault);
    FakeReport destination(60, 0xEE);
    EXPECT_EQ(rig.channel.ReadConfigImage(destination.data(), 60), c.result);
    EXPECT_EQ(rig.receiver.Frames().size(), c.framesSent);
    // Chunks that arrived before the failure stay; nothing after it is touched.
    EXPECT_TRUE(std::equal(destination.begin(), destination.begin() + 24, image.begin()));
    EXPECT_TRUE(std::all_of(destination.begin() + 24, destination.end(), [](uint8_t b) { return b == 0xEE; }));
  }
}

TEST(UsbCommandSet, DeviceInfoIsLeftUntouchedUnlessEveryChunkArrived) {
  ChannelRig rig(kReceiver);
  rig.receiver.SetBlock(0x03, 0, Pattern(34, 0x60));
  rig.receiver.SetFaultAt(1, FakeFault::StatusSecondError);
  uint8_t info[34];
  std::fill(std::begin(info), std::end(info), 0xEE);
  EXPECT_EQ(rig.channel.ReadDeviceInfo(info), -103);
  EXPECT_TRUE(std::all_of(std::begin(info), std::end(info), [](uint8_t b) { return b == 0xEE; }));
}

TEST(UsbCommandSet, SingleFrameCommandsTestTheReplyStatus) {
  struct Case {
    const char* name;
    FakeFault fault;
    int result;
  };
  const Case cases[] = {
      {"accepted", FakeFault::None, 1},
      {"status 0xFF", FakeFault::StatusError, -102},
      {"status 0xFE", FakeFault::StatusSecondError, -103},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig(kCable);
    rig.cable.SetFault(c.fault);
    uint8_t status[2] = {};
    EXPECT_EQ(rig.channel.BeginConfig(), c.result);
    EXPECT_EQ(rig.channel.ReadStatus(status, 2, 0), c.result);
    EXPECT_EQ(rig.channel.WriteDeviceInfo(Pattern(34, 1).data()), c.result);
    // Host-ready does not look at its reply.
    EXPECT_EQ(rig.channel.SendHostReady(), 1);
  }
}

TEST(UsbCommandSet, InvalidArgumentsAreRefusedBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    int connectionType;
    Command run;
  };
  // The image is 60 bytes; every buffer below is 64.
  const Case cases[] = {
      {"the image in bank 1", kCable, [](auto& c, auto* b) { return c.WriteConfigImage(b, 60, 1); }},
      {"a write of another size than the image read", kCable,
       [](auto& c, auto* b) { return c.WriteConfigImage(b, 64, 0); }},
      {"an image read into a smaller buffer", kCable, [](auto& c, auto* b) { return c.ReadConfigImage(b, 59); }},
      {"a status read past one frame", kCable, [](auto& c, auto* b) { return c.ReadStatus(b, 57, 0); }},
      {"no buffer", kCable, [](auto& c, auto*) { return c.ReadSettings(nullptr, 10, 0); }},
      {"a block whose end is past the 16-bit offset", kCable,
       [](auto& c, auto* b) { return c.ReadSettings(b, 20, 0xFFF0); }},
      {"a bank past the 16-bit offset", kCable, [](auto& c, auto* b) { return c.WriteBankBlock(b, 10, 128, 512); }},
      {"the information block through the receiver", kReceiver, [](auto& c, auto* b) { return c.WriteDeviceInfo(b); }},
  };
  for (const Case& c : cases) {
    ChannelRig rig(c.connectionType, 60);
    FakeReport buffer = Pattern(64, 0);
    EXPECT_EQ(c.run(rig.channel, buffer.data()), -201) << c.name;
    EXPECT_TRUE(rig.backend.Frames().empty()) << c.name;
  }
}

TEST(UsbCommandSet, LinkTestAsksTheReceiverAndLogsWhenTheDeviceIsNotLinked) {
  struct Case {
    const char* name;
    int connectionType;
    FakeFault fault;
    bool linked;
    size_t framesSent;
    bool logged;
  };
  const Case cases[] = {
      {"cable is always linked", kCable, FakeFault::None, true, 0, false},
      {"receiver reports linked", kReceiver, FakeFault::None, true, 1, false},
      {"receiver reports not linked", kReceiver, FakeFault::NotLinked, false, 1, true},
      // The answer byte says linked, but the status says the answer is not to be trusted.
      {"error status", kReceiver, FakeFault::StatusError, false, 1, false},
      {"write failure leaves no answer", kReceiver, FakeFault::WriteFails, false, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDataFolder data;
    data.MakeFolder("R318PX-DOV");
    ChannelRig rig(c.connectionType);
    rig.Active().SetFault(c.fault);
    EXPECT_EQ(rig.channel.Hid2_4GDeviceIsLink(), c.linked);
    EXPECT_EQ(rig.backend.Frames().size(), c.framesSent);
    const std::string log = data.ReadFile("R318PX-DOV/Zorbel.log");
    if (c.logged) {
      EXPECT_TRUE(log.ends_with(":Hid2_4GDeviceIsLink>0xAA    false\n")) << log;
      EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
    } else {
      EXPECT_EQ(log, "");
    }
  }
}

TEST(UsbCommandSet, ATransferKeepsThePortItStartedOnAndEndsWhenTheModeChanges) {
  ChannelRig rig(kCable);
  ASSERT_EQ(rig.channel.ReceiverPort().Open(kReceiverPath, true, true, true, false), 1);
  // The cable is switched to the receiver while the first chunk's answer is on its way.
  rig.cable.SetResponder([&rig](const FakeReport&, const FakeReport& answer) {
    rig.channel.SetConnectionType(kReceiver);
    return std::vector<FakeReport>{answer};
  });
  const FakeReport block = Pattern(120, 3);
  EXPECT_EQ(rig.channel.WriteShootData(block.data(), 120), 0);
  EXPECT_EQ(rig.cable.Frames().size(), 1u);
  EXPECT_TRUE(rig.receiver.Frames().empty()) << "no 56-byte chunk may reach the receiver";
}
