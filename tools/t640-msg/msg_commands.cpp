#include "tools/t640-msg/msg_commands.h"

#include <cstdio>

#include "platform/desktop_bus/desktop_bus.h"
#include "platform/desktop_bus/desktop_bus_endpoint.h"
#include "tools/t640-msg/message_line.h"

namespace {

using Verb = MsgCommandLine::Verb;

DesktopMessage MessageOf(const MsgCommandLine& command) {
  DesktopMessage message;
  message.name = command.name;
  message.wParam = command.wParam;
  message.lParam = command.lParam;
  message.payload.assign(command.data.begin(), command.data.end());
  return message;
}

int Failed(const std::string& reason) {
  std::fprintf(stderr, "t640-msg: %s\n", reason.c_str());
  return kMsgExitFailed;
}

std::string Describe(const MsgCommandLine& command) {
  return "class " + (command.className.empty() ? std::string("(any)") : QuoteText(command.className)) + " and title " +
         (command.title.empty() ? std::string("(any)") : QuoteText(command.title));
}

int RunToOneWindow(const MsgCommandLine& command, const CDesktopBus& bus) {
  const std::string address = bus.FindWindow(command.className, command.title);
  if (address.empty()) return Failed("no window with " + Describe(command));
  int64_t result = 0;
  const BusResult outcome = command.verb == Verb::Send
                                ? bus.Send(address, MessageOf(command), command.timeoutMs, result)
                                : bus.Post(address, MessageOf(command));
  if (outcome != BusResult::Ok) return Failed(address + ": " + BusResultText(outcome));
  if (command.verb == Verb::Send) std::printf("%lld\n", static_cast<long long>(result));
  return kMsgExitOk;
}

int RunListen(const MsgCommandLine& command, const std::string& folder, int stopFd) {
  CDesktopBusEndpoint endpoint(folder, [](const DesktopMessage& message) {
    std::printf("%s\n", FormatMessageLine(message).c_str());
    std::fflush(stdout);
    return int64_t{0};
  });
  std::string error;
  if (!endpoint.Open(command.className, command.title, error)) return Failed(error);
  std::printf("listening %s\n",
              FormatWindowLine(BusWindow{endpoint.Address(), command.className, command.title}).c_str());
  std::fflush(stdout);
  endpoint.DispatchUntil(stopFd);
  return kMsgExitOk;
}

}  // namespace

int RunMsgCommand(const MsgCommandLine& command, const std::string& folder, int stopFd) {
  const CDesktopBus bus(folder);
  switch (command.verb) {
    case Verb::Send:
    case Verb::Post: return RunToOneWindow(command, bus);
    case Verb::Broadcast: {
      const size_t delivered = bus.Broadcast(MessageOf(command));
      std::printf("%zu\n", delivered);
      return delivered > 0 ? kMsgExitOk : Failed("no window on the bus took the message");
    }
    case Verb::List:
      for (const BusWindow& window : bus.ListWindows()) std::printf("%s\n", FormatWindowLine(window).c_str());
      return kMsgExitOk;
    case Verb::Listen: return RunListen(command, folder, stopFd);
  }
  return kMsgExitUsage;
}
