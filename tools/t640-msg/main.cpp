// t640-msg: the desktop message bus from the command line, for companion programs and scripts:
// send, post or broadcast a message by name, list the windows on the bus, or listen as a window.

#include <signal.h>
#include <sys/signalfd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/desktop_bus/bus_folder.h"
#include "platform/desktop_bus/bus_socket.h"
#include "tools/t640-msg/msg_arguments.h"
#include "tools/t640-msg/msg_commands.h"

int main(int argc, char** argv) {
  MsgCommandLine command;
  std::string error;
  if (!ParseMsgCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
    std::fprintf(stderr, "t640-msg: %s\n%s", error.c_str(), kMsgUsage);
    return kMsgExitUsage;
  }
  const std::string folder = OpenDesktopBusFolder(error);
  if (folder.empty()) {
    std::fprintf(stderr, "t640-msg: %s\n", error.c_str());
    return kMsgExitFailed;
  }

  // Blocked before any thread starts, so Ctrl+C and SIGTERM reach only the signalfd and listen
  // can leave the bus tidily.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  CUniqueFd stop;
  if (command.verb == MsgCommandLine::Verb::Listen) {
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    stop.Reset(signalfd(-1, &stopSignals, SFD_CLOEXEC));
    if (!stop.Valid()) {
      std::perror("t640-msg: signalfd");
      return kMsgExitFailed;
    }
  }
  return RunMsgCommand(command, folder, stop.Get());
}
