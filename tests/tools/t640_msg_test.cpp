// t640-msg: its command line and output lines, and the real program in its own process against
// windows of this one, and this process against it.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/platform/desktop_bus/bus_test_support.h"
#include "tools/t640-msg/message_line.h"
#include "tools/t640-msg/msg_arguments.h"

extern char** environ;

namespace {

using Verb = MsgCommandLine::Verb;

TEST(MsgCommandLine, TakesEachVerbWithItsOwnOptions) {
  MsgCommandLine command;
  std::string error;
  ASSERT_TRUE(ParseMsgCommandLine({"send", "Kestrune T640", "--wparam", "-3", "--lparam", "0x10", "--class", "MainWnd",
                                   "--title", "T640", "--timeout", "250", "--data", "abc"},
                                  command, error))
      << error;
  EXPECT_EQ(command.verb, Verb::Send);
  EXPECT_EQ(command.name, "Kestrune T640");
  EXPECT_EQ(command.wParam, -3);
  EXPECT_EQ(command.lParam, 16);
  EXPECT_EQ(command.className, "MainWnd");
  EXPECT_EQ(command.title, "T640");
  EXPECT_EQ(command.timeoutMs, 250);
  EXPECT_EQ(command.data, "abc");

  ASSERT_TRUE(ParseMsgCommandLine({"listen"}, command, error)) << error;
  EXPECT_EQ(command.verb, Verb::Listen);
  EXPECT_EQ(command.className, "t640-msg");
  ASSERT_TRUE(ParseMsgCommandLine({"broadcast", "Game_Start", "--lparam", "0xFFFFFFFFFFFFFFFF"}, command, error));
  EXPECT_EQ(command.lParam, -1);
}

TEST(MsgCommandLine, UsageErrorsNameTheProblem) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"shout", "x"},
      {"send"},
      {"send", "--class", "MainWnd"},
      {"send", "x", "--wparam"},
      {"send", "x", "--wparam", "12abc"},
      {"send", "x", "--wparam", "99999999999999999999"},
      {"send", "x", "--timeout", "0"},
      {"post", "x", "--timeout", "100"},
      {"broadcast", "x", "--class", "MainWnd"},
      {"list", "--class", "MainWnd"},
      {"listen", "--data", "x"},
      {"send", "\xFF"},
      {"post", std::string(kMaxMessageNameBytes + 1, 'n')},
  };
  for (const auto& arguments : wrong) {
    MsgCommandLine command;
    std::string error;
    EXPECT_FALSE(ParseMsgCommandLine(arguments, command, error)) << testing::PrintToString(arguments);
    EXPECT_FALSE(error.empty());
  }
}

TEST(MsgOutput, OneLinePerMessageWithTextsQuoted) {
  DesktopMessage message = MakeMessage("Kestrune T640", 0, 1);
  EXPECT_EQ(FormatMessageLine(message), "post name=\"Kestrune T640\" wparam=0 lparam=1 from=-");
  message = MakeMessage("say \"hi\"", -1, 2, std::string("a\n\tb\\\x01\0", 7));
  message.awaitsReply = true;
  message.sender = "12-1-00ff00ff";
  EXPECT_EQ(FormatMessageLine(message),
            "send name=\"say \\\"hi\\\"\" wparam=-1 lparam=2 from=12-1-00ff00ff data=\"a\\n\\tb\\\\\\x01\\x00\"");
  EXPECT_EQ(QuoteText("\xE6\xB6\x88"), "\"\xE6\xB6\x88\"");
  EXPECT_EQ(QuoteText("x\xFF"), "\"x\\xFF\"");
  EXPECT_EQ(FormatWindowLine({"1-1-0", "MainWnd", "T 640"}), "1-1-0 class=\"MainWnd\" title=\"T 640\"");
}

// The real program, started with the test's bus folder; standard output comes back on a pipe.
class CMsgTool {
 public:
  CMsgTool(const std::string& folder, std::vector<std::string> arguments) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) ADD_FAILURE() << "pipe";
    output_.Reset(out[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    arguments.insert(arguments.begin(), T640_MSG_TOOL);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"T640_BUS_DIR=" + folder};
    for (char** variable = environ; *variable != nullptr; ++variable) {
      if (std::string_view(*variable).substr(0, 13) != "T640_BUS_DIR=") environment.emplace_back(*variable);
    }
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, T640_MSG_TOOL, &actions, nullptr, argv.data(), envp.data()) != 0) {
      ADD_FAILURE() << "cannot start " << T640_MSG_TOOL;
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
  }
  ~CMsgTool() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  // The next line of output without its newline; empty at the end or after the guard.
  std::string ReadLine() {
    for (;;) {
      if (const size_t end = buffered_.find('\n'); end != std::string::npos) {
        std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        return line;
      }
      char chunk[256];
      if (!WaitReadable(output_.Get())) return {};
      const ssize_t count = read(output_.Get(), chunk, sizeof chunk);
      if (count <= 0) return {};
      buffered_.append(chunk, size_t(count));
    }
  }
  // Everything the program still writes, then its exit status.
  int Finish(std::string* rest = nullptr) {
    std::string line;
    std::string all;
    while (!(line = ReadLine()).empty()) all += line + "\n";
    if (rest) *rest = all;
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Stop() { kill(pid_, SIGTERM); }

 private:
  pid_t pid_ = -1;
  CUniqueFd output_;
  std::string buffered_;
};

TEST(MsgTool, ListenPrintsWhatOtherProgramsSendAndLeavesTheBusTidy) {
  CTempBusFolder folder;
  CMsgTool listener(folder.Path(), {"listen", "--class", "MainWnd", "--title", "T640"});
  const std::string ready = listener.ReadLine();
  ASSERT_EQ(ready.rfind("listening ", 0), 0u) << ready;

  const CDesktopBus bus(folder.Path());
  const std::string address = bus.FindWindow("MainWnd", "T640");
  ASSERT_FALSE(address.empty());
  EXPECT_EQ(ready, "listening " + address + " class=\"MainWnd\" title=\"T640\"");
  ASSERT_EQ(bus.Post(address, MakeMessage("Kestrune T640", 0, 1)), BusResult::Ok);
  int64_t result = -1;
  ASSERT_EQ(bus.Send(address, MakeMessage("ask", 5, 6, "data"), 5000, result), BusResult::Ok);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(listener.ReadLine(), "post name=\"Kestrune T640\" wparam=0 lparam=1 from=-");
  EXPECT_EQ(listener.ReadLine(), "send name=\"ask\" wparam=5 lparam=6 from=- data=\"data\"");

  listener.Stop();
  EXPECT_EQ(listener.Finish(), 0);
  EXPECT_TRUE(folder.FileNames().empty());
}

TEST(MsgTool, SendPostAndBroadcastReachAWindowOfThisProcess) {
  CTempBusFolder folder;
  CBusWindowThread window(folder.Path(), "MainWnd", "T640",
                          [](CDesktopBusEndpoint&, const DesktopMessage& m) { return m.wParam + 1; });

  std::string output;
  EXPECT_EQ(CMsgTool(folder.Path(), {"send", "ask", "--wparam", "41", "--title", "t640"}).Finish(&output), 0);
  EXPECT_EQ(output, "42\n");
  EXPECT_EQ(CMsgTool(folder.Path(), {"post", "note", "--class", "MainWnd", "--data", "x y"}).Finish(), 0);
  EXPECT_EQ(CMsgTool(folder.Path(), {"broadcast", "Kestrune T640", "--lparam", "1"}).Finish(&output), 0);
  EXPECT_EQ(output, "1\n");
  EXPECT_EQ(CMsgTool(folder.Path(), {"list"}).Finish(&output), 0);
  EXPECT_EQ(output, window.Address() + " class=\"MainWnd\" title=\"T640\"\n");

  const std::vector<DesktopMessage> received = window.WaitForMessages(3);
  ASSERT_EQ(NamesOf(received), (std::vector<std::string>{"ask", "note", "Kestrune T640"}));
  EXPECT_EQ(received[1].payload, (std::vector<uint8_t>{'x', ' ', 'y'}));
  EXPECT_EQ(received[2].lParam, 1);
}

TEST(MsgTool, ExitStatusSaysWhatWentWrong) {
  CTempBusFolder folder;
  CDesktopBusEndpoint idle(folder.Path(), {});  // never dispatches
  std::string error;
  ASSERT_TRUE(idle.Open("Idle", "I", error)) << error;
  struct Case {
    std::vector<std::string> arguments;
    int status;
  };
  const Case cases[] = {
      {{"send", "x", "--class", "Missing"}, 1},
      {{"post", "x", "--title", "Missing"}, 1},
      {{"send", "x", "--class", "Idle", "--timeout", "20"}, 1},
      {{"post", "x", "--class", "Idle"}, 0},
      {{"frobnicate"}, 2},
      {{"send", "x", "--bogus", "1"}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CMsgTool(folder.Path(), c.arguments).Finish(), c.status) << testing::PrintToString(c.arguments);
  }
  idle.Close();
  EXPECT_EQ(CMsgTool(folder.Path(), {"broadcast", "x"}).Finish(), 1) << "nobody took it";
}

}  // namespace
