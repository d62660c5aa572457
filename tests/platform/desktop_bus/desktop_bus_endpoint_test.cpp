// Windows on one bus inside this process: post, send, broadcast and find between them, time-outs,
// windows that send to each other at once, and what the bus does with dead or misbehaving peers.
#include "platform/desktop_bus/desktop_bus_endpoint.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <future>

#include "platform/desktop_bus/bus_frame.h"
#include "platform/desktop_bus/window_directory.h"
#include "tests/platform/desktop_bus/bus_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

class DesktopBusEndpoint : public testing::Test {
 protected:
  // A window owned by the test's own thread; it handles nothing until the test dispatches.
  std::unique_ptr<CDesktopBusEndpoint> OpenHere(const std::string& className, const std::string& title,
                                                CDesktopBusEndpoint::Handler handler = {}) {
    auto endpoint = std::make_unique<CDesktopBusEndpoint>(folder_.Path(), std::move(handler));
    std::string error;
    EXPECT_TRUE(endpoint->Open(className, title, error)) << error;
    return endpoint;
  }

  CTempBusFolder folder_;
  CDesktopBus bus_{folder_.Path()};
};

struct PostCase {
  const char* what;
  DesktopMessage message;
};

class DesktopBusPost : public DesktopBusEndpoint, public testing::WithParamInterface<PostCase> {};

TEST_P(DesktopBusPost, ArrivesWithEverythingItCarries) {
  CBusWindowThread receiver(folder_.Path(), "Receiver", "R");
  auto sender = OpenHere("Sender", "S");
  ASSERT_EQ(sender->Post(receiver.Address(), GetParam().message), BusResult::Ok);

  const std::vector<DesktopMessage> received = receiver.WaitForMessages(1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].name, GetParam().message.name);
  EXPECT_EQ(received[0].wParam, GetParam().message.wParam);
  EXPECT_EQ(received[0].lParam, GetParam().message.lParam);
  EXPECT_EQ(received[0].payload, GetParam().message.payload);
  EXPECT_EQ(received[0].sender, sender->Address());
  EXPECT_FALSE(received[0].awaitsReply);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DesktopBusPost,
    testing::Values(PostCase{"second copy starting", MakeMessage("Kestrune T640", 0, 1)},
                    PostCase{"extreme parameters", MakeMessage("Game_Kill", INT64_MIN, INT64_MAX)},
                    PostCase{"copy-data", MakeMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBE19}", 0, 1, std::string("lev\0els", 7))},
                    PostCase{"longest name", MakeMessage(std::string(kMaxMessageNameBytes, 'n'))},
                    PostCase{"multi-byte name", MakeMessage("\xE6\xB6\x88\xE6\x81\xAF")},
                    PostCase{"largest payload", MakeMessage("big", 1, 2, std::string(kMaxPayloadBytes, 'p'))}));

TEST_F(DesktopBusEndpoint, SendGetsTheHandlersAnswer) {
  CBusWindowThread receiver(folder_.Path(), "Receiver", "R",
                            [](CDesktopBusEndpoint&, const DesktopMessage& m) { return m.wParam * 10 + m.lParam; });
  auto sender = OpenHere("Sender", "S");
  int64_t result = 0;
  ASSERT_EQ(sender->Send(receiver.Address(), MakeMessage("ask", 4, 2), 5000, result), BusResult::Ok);
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(receiver.WaitForMessages(1).at(0).awaitsReply);

  // A program with no window of its own sends the same way.
  ASSERT_EQ(bus_.Send(receiver.Address(), MakeMessage("ask", 1, 3), 5000, result), BusResult::Ok);
  EXPECT_EQ(result, 13);
  EXPECT_EQ(receiver.WaitForMessages(2).at(1).sender, "");
}

TEST_F(DesktopBusEndpoint, SendToItselfIsAnsweredWhileItWaits) {
  auto window = OpenHere("Self", "S", [](const DesktopMessage& m) { return m.lParam + 1; });
  int64_t result = 0;
  ASSERT_EQ(window->Send(window->Address(), MakeMessage("ask", 0, 6), 5000, result), BusResult::Ok);
  EXPECT_EQ(result, 7);
}

TEST_F(DesktopBusEndpoint, SendTimesOutWhileTheOwnerDoesNotDispatch) {
  int handled = 0;
  auto busy = OpenHere("Busy", "B", [&](const DesktopMessage&) { return ++handled; });
  auto sender = OpenHere("Sender", "S");
  int64_t result = -1;
  EXPECT_EQ(sender->Send(busy->Address(), MakeMessage("ask"), 50, result), BusResult::TimedOut);
  EXPECT_EQ(result, -1);
  // The late answer goes to a sender that has given up; nothing breaks.
  EXPECT_EQ(busy->DispatchPending(), 1u);
  EXPECT_EQ(handled, 1);
}

TEST_F(DesktopBusEndpoint, WindowsThatSendToEachOtherAtOnceBothGetAnswers) {
  struct Outcome {
    BusResult result = BusResult::Failed;
    int64_t answer = 0;
  };
  std::barrier bothAboutToSend(2);
  std::string addressOf[2];
  std::promise<Outcome> outcomeOf[2];
  std::future<Outcome> futureOf[2] = {outcomeOf[0].get_future(), outcomeOf[1].get_future()};
  auto reactionOf = [&](int me) {
    return [&, me](CDesktopBusEndpoint& self, const DesktopMessage& m) -> int64_t {
      if (m.name == "ask") return 100 + me;
      // Both owners are inside Send before either answers: without serving sends while waiting,
      // each would wait for the other until the time-out.
      bothAboutToSend.arrive_and_wait();
      Outcome outcome;
      outcome.result = self.Send(addressOf[1 - me], MakeMessage("ask"), 5000, outcome.answer);
      outcomeOf[me].set_value(outcome);
      return 0;
    };
  };
  CBusWindowThread first(folder_.Path(), "First", "1", reactionOf(0));
  CBusWindowThread second(folder_.Path(), "Second", "2", reactionOf(1));
  addressOf[0] = first.Address();
  addressOf[1] = second.Address();

  ASSERT_EQ(bus_.Post(first.Address(), MakeMessage("go")), BusResult::Ok);
  ASSERT_EQ(bus_.Post(second.Address(), MakeMessage("go")), BusResult::Ok);
  for (int side = 0; side < 2; ++side) {
    std::future<Outcome>& future = futureOf[side];
    ASSERT_EQ(future.wait_for(std::chrono::milliseconds(kBusTestGuardMs)), std::future_status::ready);
    const Outcome outcome = future.get();
    EXPECT_EQ(outcome.result, BusResult::Ok) << "side " << side;
    EXPECT_EQ(outcome.answer, 100 + (1 - side)) << "side " << side;
  }
}

TEST_F(DesktopBusEndpoint, BroadcastReachesEveryOtherWindowAndItselfOnlyWhenAsked) {
  CBusWindowThread first(folder_.Path(), "First", "1");
  CBusWindowThread second(folder_.Path(), "Second", "2");
  std::vector<std::string> heardHere;
  auto sender = OpenHere("Sender", "S", [&](const DesktopMessage& m) {
    heardHere.push_back(m.name);
    return 0;
  });

  EXPECT_EQ(sender->Broadcast(MakeMessage("to others", 0, 1)), 2u);
  EXPECT_EQ(sender->Broadcast(MakeMessage("to all"), true), 3u);
  EXPECT_EQ(bus_.Broadcast(MakeMessage("from a script")), 3u);
  for (CBusWindowThread* window : {&first, &second}) {
    EXPECT_EQ(NamesOf(window->WaitForMessages(3)), (std::vector<std::string>{"to others", "to all", "from a script"}));
  }
  while (heardHere.size() < 2 && WaitReadable(sender->PendingFd())) sender->DispatchPending();
  EXPECT_EQ(heardHere, (std::vector<std::string>{"to all", "from a script"}));
}

TEST_F(DesktopBusEndpoint, FindWindowMatchesClassAndTitleIgnoringLetterCase) {
  auto main = OpenHere("MainWnd", "T640");
  auto other = OpenHere("MainWnd", "Other");
  auto tool = OpenHere("ToolClass", "WorkTool");
  struct Case {
    const char* className;
    const char* title;
    const CDesktopBusEndpoint* expected;  // null: none
  };
  const Case cases[] = {
      {"MainWnd", "T640", main.get()},   {"mainwnd", "t640", main.get()}, {"", "WorkTool", tool.get()},
      {"ToolClass", "", tool.get()},     {"MainWnd", "Missing", nullptr}, {"Nothing", "", nullptr},
      {"MainWnd", "Other", other.get()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bus_.FindWindow(c.className, c.title), c.expected ? c.expected->Address() : "")
        << c.className << "/" << c.title;
  }
  EXPECT_FALSE(bus_.FindWindow("", "").empty());

  std::vector<std::string> listed;
  for (const BusWindow& window : bus_.ListWindows()) listed.push_back(window.className + "/" + window.title);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"MainWnd/Other", "MainWnd/T640", "ToolClass/WorkTool"}));
}

TEST_F(DesktopBusEndpoint, WindowOfADeadProcessIsSkippedAndItsFilesRemoved) {
  // What a crash leaves: a record and a socket file that nobody listens on any more.
  const std::string dead = "99999-1-deadbeef";
  {
    CUniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, WindowSocketPath(folder_.Path(), dead).c_str());
    ASSERT_EQ(bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  std::string error;
  ASSERT_TRUE(WriteWindowRecord(folder_.Path(), {dead, "MainWnd", "T640"}, error)) << error;
  auto live = OpenHere("MainWnd", "T640");

  EXPECT_EQ(bus_.ListWindows().size(), 1u);
  EXPECT_EQ(bus_.FindWindow("MainWnd", "T640"), live->Address());
  EXPECT_EQ(folder_.FileNames().size(), 2u) << "only the live window's socket and record are left";
  EXPECT_EQ(bus_.Post(dead, MakeMessage("anyone")), BusResult::NoSuchWindow);
  EXPECT_EQ(bus_.Post("../../etc/x", MakeMessage("anyone")), BusResult::NoSuchWindow);
}

TEST_F(DesktopBusEndpoint, ClosingLeavesNoFilesAndAWindowCanReopen) {
  auto window = OpenHere("MainWnd", "T640");
  const std::string firstAddress = window->Address();
  window->Close();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_TRUE(folder_.FileNames().empty());
  EXPECT_EQ(bus_.Post(firstAddress, MakeMessage("late")), BusResult::NoSuchWindow);

  std::string error;
  ASSERT_TRUE(window->Open("MainWnd", "T640", error)) << error;
  EXPECT_NE(window->Address(), firstAddress);
  EXPECT_FALSE(window->Open("MainWnd", "again", error));
}

TEST_F(DesktopBusEndpoint, OpenRefusesAFolderOthersCanEnter) {
  chmod(folder_.Path().c_str(), 0755);
  CDesktopBusEndpoint window(folder_.Path(), {});
  std::string error;
  EXPECT_FALSE(window.Open("MainWnd", "T640", error));
  EXPECT_NE(error.find("mode 0755"), std::string::npos) << error;
  EXPECT_FALSE(window.Open("MainWnd", "\xFF", error));
}

TEST_F(DesktopBusEndpoint, MessagesBreakingTheLimitsAreRefusedBeforeSending) {
  CBusWindowThread receiver(folder_.Path(), "Receiver", "R");
  auto sender = OpenHere("Sender", "S");
  const DesktopMessage refused[] = {
      MakeMessage("big", 0, 0, std::string(kMaxPayloadBytes + 1, 'p')),
      MakeMessage(""),
      MakeMessage(std::string(kMaxMessageNameBytes + 1, 'n')),
      MakeMessage("bad \xC3"),
  };
  for (const DesktopMessage& message : refused) {
    int64_t result = 0;
    EXPECT_EQ(sender->Post(receiver.Address(), message), BusResult::BadMessage);
    EXPECT_EQ(sender->Send(receiver.Address(), message, 1000, result), BusResult::BadMessage);
    EXPECT_EQ(bus_.Broadcast(message), 0u);
  }
  ASSERT_EQ(sender->Post(receiver.Address(), MakeMessage("after")), BusResult::Ok);
  EXPECT_EQ(NamesOf(receiver.WaitForMessages(1)), std::vector<std::string>{"after"});
}

TEST_F(DesktopBusEndpoint, PendingSendFailsWhenTheWindowClosesInsteadOfWaiting) {
  auto closing = OpenHere("Closing", "C");
  std::future<BusResult> sent = std::async(std::launch::async, [&] {
    int64_t result = 0;
    return bus_.Send(closing->Address(), MakeMessage("ask"), 60000, result);
  });
  ASSERT_TRUE(WaitReadable(closing->PendingFd()));
  closing->Close();
  ASSERT_EQ(sent.wait_for(std::chrono::milliseconds(kBusTestGuardMs)), std::future_status::ready);
  EXPECT_EQ(sent.get(), BusResult::Failed);
}

TEST_F(DesktopBusEndpoint, OwnerIsWokenForEveryMessageAndThenDispatchesIt) {
  std::mutex lock;
  std::condition_variable woken;
  int wakes = 0;
  int handled = 0;
  CDesktopBusEndpoint window(
      folder_.Path(), [&](const DesktopMessage&) { return ++handled; },
      [&] {
        std::lock_guard guard(lock);
        ++wakes;
        woken.notify_all();
      });
  std::string error;
  ASSERT_TRUE(window.Open("MainWnd", "T640", error)) << error;
  for (int i = 0; i < 3; ++i) ASSERT_EQ(bus_.Post(window.Address(), MakeMessage("tick", i)), BusResult::Ok);
  {
    std::unique_lock guard(lock);
    woken.wait_for(guard, std::chrono::milliseconds(kBusTestGuardMs), [&] { return wakes == 3; });
    EXPECT_EQ(wakes, 3);
  }
  EXPECT_EQ(window.DispatchPending(), 3u);
  EXPECT_EQ(handled, 3);
  EXPECT_EQ(window.DispatchPending(), 0u);
}

// Raw bytes on a raw connection. Every malformed frame is dropped; the window goes on serving.
struct RawCase {
  const char* what;
  Bytes bytes;
  bool closeWrite;  // false: the connection stays open with a partial frame
  bool delivered;
};

Bytes Frame(const std::string& name, const std::string& sender = {}, const std::string& payload = {}) {
  DesktopMessage message = MakeMessage(name, 0, 0, payload);
  return EncodeRequestFrame(FrameKind::Post, message, sender);
}

Bytes Patched(Bytes bytes, size_t offset, Bytes patch) {
  std::copy(patch.begin(), patch.end(), bytes.begin() + offset);
  return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

class DesktopBusRawPeer : public DesktopBusEndpoint, public testing::WithParamInterface<RawCase> {};

TEST_P(DesktopBusRawPeer, MalformedFramesAreDroppedAndTheWindowKeepsWorking) {
  CBusWindowThread receiver(folder_.Path(), "Receiver", "R");
  CUniqueFd raw = ConnectRaw(WindowSocketPath(folder_.Path(), receiver.Address()));
  ASSERT_TRUE(raw.Valid());
  const Bytes& bytes = GetParam().bytes;
  ASSERT_EQ(send(raw.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
  if (GetParam().closeWrite) {
    shutdown(raw.Get(), SHUT_WR);
    EXPECT_TRUE(WaitForPeerClose(raw.Get())) << "the window hangs up once it has judged the frame";
  }

  ASSERT_EQ(bus_.Post(receiver.Address(), MakeMessage("after")), BusResult::Ok);
  const std::vector<std::string> expected =
      GetParam().delivered ? std::vector<std::string>{"raw", "after"} : std::vector<std::string>{"after"};
  EXPECT_EQ(NamesOf(receiver.WaitForMessages(expected.size())), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DesktopBusRawPeer,
    testing::Values(
        RawCase{"well-formed, for comparison", Frame("raw"), true, true},
        RawCase{"text instead of a frame", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, true, false},
        RawCase{"reply where a request belongs", EncodeReplyFrame(1), true, false},
        RawCase{"other magic", Patched(Frame("raw"), 0, {'X'}), true, false},
        RawCase{"oversize payload length", Patched(Frame("raw"), 32, {0xFF, 0xFF, 0xFF, 0x7F}), true, false},
        RawCase{"name that is not UTF-8", Frame("ra\xFF"), true, false},
        RawCase{"sender that is not an address", Frame("raw", "A/B"), true, false},
        RawCase{"peer vanishes inside the header", Cut(Frame("raw"), 20), true, false},
        RawCase{"peer vanishes inside the payload", Cut(Frame("raw", "", "payload"), 40), true, false},
        RawCase{"peer stalls inside the payload", Cut(Frame("raw", "", "payload"), 40), false, false}));

TEST_F(DesktopBusEndpoint, ConnectionFromAnotherUserIsDropped) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to connect as another user";
  CBusWindowThread receiver(folder_.Path(), "Receiver", "R");
  const std::string socketPath = WindowSocketPath(folder_.Path(), receiver.Address());
  // Opened up for this test only, so that the other user can reach the socket at all.
  chmod(folder_.Path().c_str(), 0711);
  chmod(socketPath.c_str(), 0777);
  const Bytes frame = Frame("intruder");

  const pid_t child = fork();
  if (child == 0) {
    // Only async-signal-safe calls between fork and _exit.
    if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0) _exit(10);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) _exit(11);
    [[maybe_unused]] const ssize_t written = send(fd, frame.data(), frame.size(), MSG_NOSIGNAL);
    char byte;
    _exit(recv(fd, &byte, 1, 0) <= 0 ? 0 : 12);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other user's connection was not made";
  chmod(folder_.Path().c_str(), 0700);

  ASSERT_EQ(bus_.Post(receiver.Address(), MakeMessage("after")), BusResult::Ok);
  EXPECT_EQ(NamesOf(receiver.WaitForMessages(1)), std::vector<std::string>{"after"});
}

}  // namespace
