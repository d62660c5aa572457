#include "transport/usb_command_channel.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "platform/debug_output.h"
#include "support/fake_hid_backend.h"
#include "support/test_clock.h"
#include "support/temp_data_folder.h"
#include "support/trace_capture.h"
#include "transport/result_codes.h"

namespace {

const char* const kCablePath = "fake-cable";
const char* const kReceiverPath = "fake-receiver";

// A channel whose two ports open fake devices, attached the way the device code attaches one.
struct ChannelRig {
  CFakeHidBackend backend;
  CFakeHidDevice& cable = backend.AddDevice(kCablePath);
  CFakeHidDevice& receiver = backend.AddDevice(kReceiverPath);
  // The channel's pauses pass on virtual time.
  CTestClock clock;
  CUsbCommandChannel channel{backend, clock};

  explicit ChannelRig(int connectionType = kConnectionTypeCable) {
    const bool viaReceiver = connectionType == kConnectionTypeReceiver;
    CHidDevice& port = viaReceiver ? channel.ReceiverPort() : channel.DirectPort();
    EXPECT_EQ(port.Open(viaReceiver ? kReceiverPath : kCablePath, true, true, true, false), 1);
    channel.SetConnectionType(connectionType);
    channel.SetIsOpen(1);
  }

  CFakeHidDevice& Active() { return channel.ReceiverMode() ? receiver : cable; }

  int Exchange(const CommandFrame& request, CommandFrame& reply) {
    return channel.Exchange(request.data(), kCommandFrameSize, reply.data(), kCommandFrameSize, nullptr);
  }
};

const char* ModeName(int connectionType) { return connectionType == kConnectionTypeReceiver ? "receiver" : "cable"; }

}  // namespace

TEST(UsbCommandChannelState, StartsClosedOnTheCableSettingsWithReceiverSizedChunks) {
  CFakeHidBackend backend;
  CUsbCommandChannel channel(backend);
  EXPECT_EQ(channel.IsOpen(), 0);
  EXPECT_EQ(channel.ReceiverMode(), 0);
  EXPECT_EQ(channel.ChunkSize(), 24);
  EXPECT_EQ(channel.ConfigSize(), 512);
  EXPECT_EQ(channel.Busy(), 0);
  EXPECT_EQ(channel.UpdateInProgress(), 0);
  EXPECT_EQ(channel.SameMode(), 0);
  EXPECT_FALSE(channel.DirectPort().IsOpen());
  EXPECT_FALSE(channel.ReceiverPort().IsOpen());
}

TEST(UsbCommandChannelState, ConfigSizeAcceptsAtMostFiveHundredTwelve) {
  CFakeHidBackend backend;
  CUsbCommandChannel channel(backend);
  EXPECT_EQ(channel.SetConfigSize(60), 1);
  EXPECT_EQ(channel.ConfigSize(), 60);
  EXPECT_EQ(channel.SetConfigSize(513), 0);
  EXPECT_EQ(channel.ConfigSize(), 60);
  EXPECT_EQ(channel.SetConfigSize(512), 1);
  EXPECT_EQ(channel.ConfigSize(), 512);
}

TEST(UsbCommandChannelState, OnlyConnectionTypeTwoSelectsTheReceiver) {
  struct Case {
    int type;
    int receiverMode;
    uint8_t chunkSize;
  };
  const Case cases[] = {{0, 0, 56}, {1, 0, 56}, {2, 1, 24}, {3, 0, 56}};
  CFakeHidBackend backend;
  CUsbCommandChannel channel(backend);
  for (const Case& c : cases) {
    channel.SetConnectionType(c.type);
    EXPECT_EQ(channel.ReceiverMode(), c.receiverMode) << "type " << c.type;
    EXPECT_EQ(channel.ChunkSize(), c.chunkSize) << "type " << c.type;
  }
}

TEST(UsbCommandChannelExchange, SendsEveryRequestAsOneSixtyFourByteReport) {
  struct Case {
    uint32_t requestLength;
  };
  const Case cases[] = {{4}, {8}, {64}, {70}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.requestLength);
    ChannelRig rig;
    std::vector<uint8_t> request(c.requestLength);
    for (size_t i = 0; i < request.size(); ++i) request[i] = static_cast<uint8_t>(i + 1);
    request[3] = 0x01;
    CommandFrame reply;
    EXPECT_EQ(rig.channel.Exchange(request.data(), c.requestLength, reply.data(), kCommandFrameSize, nullptr), 1);

    auto frames = rig.cable.Frames();
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(frames[0].bytes.size(), kCommandFrameSize);
    for (size_t i = 0; i < kCommandFrameSize; ++i) {
      const uint8_t expected = i < c.requestLength ? request[i] : 0;
      EXPECT_EQ(frames[0].bytes[i], expected) << "byte " << i;
    }
  }
}

TEST(UsbCommandChannelExchange, ReportsTheReplyByteCountAndFillsTheReply) {
  ChannelRig rig;
  rig.cable.SetBlock(0x1A, 4, {0x64, 0x01});
  CommandFrame request = BuildRequest(0x1A, 2, 4);
  CommandFrame reply;
  uint32_t bytesRead = 99;
  EXPECT_EQ(rig.channel.Exchange(request.data(), 64, reply.data(), 64, &bytesRead), 1);
  EXPECT_EQ(bytesRead, 64u);
  EXPECT_EQ(FrameCommand(reply), 0x1A);
  EXPECT_EQ(FramePayload(reply)[0], 0x64);
  EXPECT_EQ(FramePayload(reply)[1], 0x01);
}

TEST(UsbCommandChannelExchange, EveryExchangeFailsWithoutTouchingTheDeviceWhileAnUpdateIsInProgress) {
  ChannelRig rig;
  rig.channel.ReceiverPort().Open(kReceiverPath, true, true, true, false);
  rig.channel.SetUpdateInProgress(1);
  CommandFrame request = BuildRequest(0x05, 56, 0);
  CommandFrame reply;
  reply.bytes.fill(0x5A);
  // An all-zero reply taken for the device's answer would be stored and written back later.
  EXPECT_EQ(rig.Exchange(request, reply), 0);
  EXPECT_EQ(rig.channel.ExchangeQuiet(request.data(), 64, reply.data(), 64, nullptr), 0);
  EXPECT_EQ(rig.channel.ExchangeRaw(request.data(), 64), 0);
  uint8_t page[87] = {};
  EXPECT_EQ(rig.channel.ReadSettings(page, sizeof page, 0), 0);
  EXPECT_TRUE(rig.backend.Frames().empty());
  EXPECT_TRUE(std::all_of(reply.bytes.begin(), reply.bytes.end(), [](uint8_t b) { return b == 0x5A; }));
  EXPECT_TRUE(rig.channel.UpdateInProgress()) << "only the updater's end clears it";
}

TEST(UsbCommandChannelExchange, ReturnsZeroAndSendsNothingWhileNotOpen) {
  ChannelRig rig;
  rig.channel.SetIsOpen(0);
  CommandFrame request = BuildRequest(0x01, 0, 0);
  CommandFrame reply;
  EXPECT_EQ(rig.Exchange(request, reply), 0);
  EXPECT_EQ(rig.channel.ExchangeQuiet(request.data(), 64, reply.data(), 64, nullptr), 0);
  EXPECT_EQ(rig.channel.ExchangeRaw(request.data(), 64), 0);
  EXPECT_TRUE(rig.backend.Frames().empty());
  EXPECT_EQ(rig.channel.Busy(), 0);
}

TEST(UsbCommandChannelExchange, FailedWriteGivesMinusOneWithoutRetry) {
  for (int type : {kConnectionTypeCable, kConnectionTypeReceiver}) {
    SCOPED_TRACE(ModeName(type));
    ChannelRig rig(type);
    rig.Active().SetFault(FakeFault::WriteFails);
    CommandFrame request = BuildRequest(0x01, 0, 0);
    CommandFrame reply;
    EXPECT_EQ(rig.Exchange(request, reply), -1);
    EXPECT_EQ(rig.channel.ExchangeQuiet(request.data(), 64, reply.data(), 64, nullptr), -1);
    EXPECT_EQ(rig.Active().Frames().size(), 2u);  // one attempt each
    EXPECT_EQ(rig.channel.Busy(), 0);
  }
}

TEST(UsbCommandChannelExchange, OnlyTheFramesOwnReplyIsTakenAndOnlyASilentFrameIsSentAgain) {
  struct Case {
    const char* name;
    int connectionType;
    std::vector<FakeFault> faultPerFrame;  // the last one stays for any later frame
    size_t framesSent;
    int result;
  };
  const uint8_t command = 0x05;
  const Case cases[] = {
      {"matching echo", kConnectionTypeCable, {FakeFault::None}, 1, 1},
      // A wrong answer is dropped and the read goes on; when nothing else comes in time the frame
      // is sent once more, and a second wrong answer is not taken either.
      {"wrong echo, then the right one", kConnectionTypeCable, {FakeFault::WrongEcho, FakeFault::None}, 2, 1},
      {"wrong echo every time", kConnectionTypeCable, {FakeFault::WrongEcho}, 2, 0},
      {"receiver not linked", kConnectionTypeReceiver, {FakeFault::NotLinked}, 1, -101},
      {"0xAA over the cable is a wrong echo", kConnectionTypeCable, {FakeFault::NotLinked}, 2, 0},
      {"lost reply once", kConnectionTypeCable, {FakeFault::NoReply, FakeFault::None}, 2, 1},
      {"lost reply twice", kConnectionTypeCable, {FakeFault::NoReply}, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig(c.connectionType);
    for (size_t i = 0; i + 1 < c.faultPerFrame.size(); ++i) rig.Active().SetFaultAt(i, c.faultPerFrame[i]);
    rig.Active().SetFault(c.faultPerFrame.back());
    CommandFrame request = BuildRequest(command, 56, 0);
    CommandFrame reply;
    EXPECT_EQ(rig.Exchange(request, reply), c.result);
    EXPECT_EQ(rig.Active().Frames().size(), c.framesSent);
    if (c.result == 1) {
      EXPECT_EQ(FrameCommand(reply), command);
    }
    const FakeReport sent(request.bytes.begin(), request.bytes.end());
    for (const auto& frame : rig.Active().Frames()) EXPECT_EQ(frame.bytes, sent);
  }
}

TEST(UsbCommandChannelExchange, ALateReplyToAnEarlierChunkIsNeverTakenForThisOne) {
  // The device answers each chunk twice: first the late answer to the chunk before (same command,
  // another offset), then this chunk's own.
  for (int type : {kConnectionTypeCable, kConnectionTypeReceiver}) {
    ChannelRig rig(type);
    rig.Active().SetResponder([](const FakeReport&, const FakeReport& answer) {
      FakeReport late = answer;
      late[5] = static_cast<uint8_t>(answer[5] - 24);
      late[8] = 0xEE;
      return std::vector<FakeReport>{late, answer};
    });
    rig.Active().SetBlock(0x05, 0, FakeReport(80, 0x11));
    CommandFrame request = BuildRequest(0x05, 24, 24);
    CommandFrame reply;
    EXPECT_EQ(rig.Exchange(request, reply), 1) << ModeName(type);
    EXPECT_EQ(FrameOffset(reply), 24) << ModeName(type);
    EXPECT_EQ(FramePayload(reply)[0], 0x11) << ModeName(type);
    EXPECT_EQ(rig.Active().Frames().size(), 1u) << ModeName(type);
  }
}

TEST(UsbCommandChannelExchange, EveryWriteDiscardsTheReportsQueuedBeforeIt) {
  for (int type : {kConnectionTypeCable, kConnectionTypeReceiver}) {
    ChannelRig rig(type);
    FakeReport stale(64, 0);
    stale[3] = 0x1A;
    stale[4] = 1;
    stale[8] = 0xEE;  // a late answer to an earlier, identical status request
    rig.Active().InjectInputReport(stale);
    rig.Active().SetBlock(0x1A, 0, {0x11});
    CommandFrame request = BuildRequest(0x1A, 1, 0);
    CommandFrame reply;
    EXPECT_EQ(rig.Exchange(request, reply), 1) << ModeName(type);
    EXPECT_EQ(FramePayload(reply)[0], 0x11) << ModeName(type);
    EXPECT_EQ(rig.Active().FlushCount(), 1u) << ModeName(type);
  }
}

TEST(UsbCommandChannelExchangeQuiet, ReadsOnInsteadOfReSendingOnMismatch) {
  ChannelRig rig(kConnectionTypeReceiver);
  rig.receiver.SetResponder([](const FakeReport&, const FakeReport& answer) {
    FakeReport late = answer;
    late[3] = 0x0B;
    return std::vector<FakeReport>{late, answer};
  });
  CommandFrame request = BuildRequest(0x12, 24, 0);
  CommandFrame reply;
  EXPECT_EQ(rig.channel.ExchangeQuiet(request.data(), 64, reply.data(), 64, nullptr), 1);
  EXPECT_EQ(rig.receiver.Frames().size(), 1u);
  EXPECT_EQ(FrameCommand(reply), 0x12);
}

TEST(UsbCommandChannelExchangeQuiet, NeverTakesAWrongAnswer) {
  struct Case {
    const char* name;
    FakeFault fault;
    int result;
  };
  const Case cases[] = {
      {"mismatch then nothing", FakeFault::WrongEcho, 0},
      {"receiver not linked", FakeFault::NotLinked, -101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig(kConnectionTypeReceiver);
    rig.receiver.SetFault(c.fault);
    CommandFrame request = BuildRequest(0x12, 24, 0);
    CommandFrame reply;
    EXPECT_EQ(rig.channel.ExchangeQuiet(request.data(), 64, reply.data(), 64, nullptr), c.result);
    EXPECT_EQ(rig.receiver.Frames().size(), 1u);
  }
}

TEST(UsbCommandChannelExchangeRaw, ReportsOnlyWhetherAReplyCame) {
  ChannelRig rig;
  rig.cable.SetFault(FakeFault::StatusError);
  rig.cable.SetFaultOnce(FakeFault::WrongEcho);
  CommandFrame request = BuildRequest(0x19, 0, 0);
  EXPECT_EQ(rig.channel.ExchangeRaw(request.data(), 64), 1);
  EXPECT_EQ(rig.cable.Frames().size(), 1u);
  rig.cable.SetFault(FakeFault::NoReply);
  EXPECT_EQ(rig.channel.ExchangeRaw(request.data(), 64), 0);
}

TEST(UsbCommandChannelTrace, ShowsEachFrameAndItsReplyAsHexLines) {
  TraceCapture trace;
  ChannelRig rig;
  rig.cable.SetBlock(0x1A, 0x0102, {0x64, 0x01});
  uint8_t status[2] = {};
  ASSERT_EQ(rig.channel.ReadStatus(status, 2, 0x0102), 1);
  const std::string expected =
      "命令\n"
      "04 1f 00 1a   02 02 01 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"
      "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"
      "返回\n"
      "04 00 00 1a   02 02 01 00   64 01 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"
      "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n";
  EXPECT_EQ(trace.Text(), expected);
}

TEST(UsbCommandChannelTrace, QuietAndFailedWritesLeaveNoReplyTrace) {
  TraceCapture trace;
  ChannelRig rig;
  uint8_t light[24] = {};
  ASSERT_EQ(rig.channel.WriteLightStream(light, sizeof light), 1);
  EXPECT_EQ(trace.Text(), "");
  rig.cable.SetFault(FakeFault::WriteFails);
  EXPECT_EQ(rig.channel.BeginConfig(), -1);
  EXPECT_EQ(trace.Text().find("返回"), std::string::npos);
  EXPECT_NE(trace.Text().find("命令"), std::string::npos);
}

TEST(UsbCommandChannelConcurrency, LightStreamDropsEveryChunkThatMeetsAnExchangeInFlight) {
  TraceCapture trace;
  ChannelRig rig;
  rig.cable.HoldReplies();
  int beginResult = 0;
  std::thread other([&] { beginResult = rig.channel.BeginConfig(); });
  // No ASSERT here: the other thread must be released and joined whatever happens.
  EXPECT_TRUE(rig.cable.WaitForFrames(1, 2000));
  EXPECT_EQ(rig.channel.Busy(), 1);

  uint8_t light[100] = {};
  EXPECT_EQ(rig.channel.WriteLightStream(light, sizeof light), 1);  // 56 + 44, both dropped
  EXPECT_EQ(rig.cable.FramesReceived(), 1u);
  rig.cable.ReleaseReplies();
  other.join();
  EXPECT_EQ(beginResult, 1);
  EXPECT_EQ(rig.channel.Busy(), 0);

  const std::string text = trace.Text();
  size_t drops = 0;
  const std::string dropLine = "放弃灯光数据\n";
  for (size_t at = text.find(dropLine); at != std::string::npos; at = text.find(dropLine, at + 1)) ++drops;
  EXPECT_EQ(drops, 2u);

  EXPECT_EQ(rig.channel.WriteLightStream(light, sizeof light), 1);
  auto shapes = FrameShapes(rig.cable.Frames());
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(shapes[1], (FakeFrameShape{0x12, 56, 0}));
  EXPECT_EQ(shapes[2], (FakeFrameShape{0x12, 44, 56}));
}

TEST(UsbCommandChannelConcurrency, ThreadsNeverTakeEachOthersReplies) {
  ChannelRig rig;
  rig.cable.SetReplyLatency(0, 1);
  FakeReport settings(87);
  for (size_t i = 0; i < settings.size(); ++i) settings[i] = static_cast<uint8_t>(0x30 + i);
  rig.cable.SetBlock(0x05, 128, settings);
  rig.cable.SetBlock(0x1A, 0, {0x64, 0x01});
  const uint8_t upload[100] = {0x17};
  constexpr int kRounds = 4;

  // Each thread holds a different lock (command, light, none) so only the channel's own
  // transfer locking keeps their frames apart.
  std::vector<std::function<bool()>> workers = {
      [&] {
        uint8_t page[87] = {};
        return rig.channel.ReadSettings(page, sizeof page, 128) == 1 && std::equal(page, page + 87, settings.begin());
      },
      [&] {
        uint8_t status[2] = {};
        return rig.channel.ReadStatus(status, 2, 0) == 1 && status[0] == 0x64 && status[1] == 0x01;
      },
      [&] { return rig.channel.WriteShootData(upload, sizeof upload) == 1; },
      [&] { return rig.channel.WriteBankBlock(upload, 60, 1, 512) == 1; },
      [&] { return rig.channel.WriteLightStream(upload, 30) == 1; },
  };
  std::vector<int> failures(workers.size(), 0);
  std::vector<std::thread> threads;
  for (size_t w = 0; w < workers.size(); ++w) {
    threads.emplace_back([&, w] {
      for (int round = 0; round < kRounds; ++round) failures[w] += workers[w]() ? 0 : 1;
    });
  }
  for (auto& thread : threads) thread.join();

  for (size_t w = 0; w < workers.size(); ++w) EXPECT_EQ(failures[w], 0) << "worker " << w;
  EXPECT_EQ(rig.cable.CrossedReplies(), 0u);
  // No reply was mistaken for another's, so nothing was sent twice.
  auto shapes = FrameShapes(rig.cable.Frames());
  auto count = [&](uint8_t command) {
    return std::count_if(shapes.begin(), shapes.end(), [&](const FakeFrameShape& s) { return s.command == command; });
  };
  EXPECT_EQ(count(0x05), 2 * kRounds);
  EXPECT_EQ(count(0x1A), kRounds);
  EXPECT_EQ(count(0x17), 2 * kRounds);
  EXPECT_EQ(count(0x0B), 2 * kRounds);
  EXPECT_LE(count(0x12), kRounds);
}

TEST(UsbCommandChannelExchange, TheReplyIsFetchedTenMillisecondsAfterTheRequestOnTheChannelsClock) {
  ChannelRig rig;
  const uint64_t before = rig.clock.NowMs();
  CommandFrame request = BuildRequest(0x05, 1, 0);
  CommandFrame reply;
  EXPECT_EQ(rig.Exchange(request, reply), kResultSuccess);
  EXPECT_EQ(rig.clock.NowMs() - before, 10u) << "one pause, and no real time spent on it";
  rig.channel.EndConfig();
  EXPECT_EQ(rig.clock.NowMs() - before, 30u) << "EndConfig waits before its frame as well";
}
