#include "tools/t640-msg/msg_arguments.h"

#include <charconv>
#include <climits>
#include <map>
#include <set>

#include "platform/desktop_bus/desktop_message.h"

const char* const kMsgUsage =
    "usage: t640-msg send NAME [--wparam N] [--lparam N] [--class C] [--title T] [--timeout MS] [--data TEXT]\n"
    "       t640-msg post NAME [--wparam N] [--lparam N] [--class C] [--title T] [--data TEXT]\n"
    "       t640-msg broadcast NAME [--wparam N] [--lparam N] [--data TEXT]\n"
    "       t640-msg list\n"
    "       t640-msg listen [--class C] [--title T]\n"
    "  send waits for the window's answer and prints it; post does not wait; broadcast posts to\n"
    "  every window. --class and --title pick the window (letter case ignored; left out: any).\n"
    "  N is decimal or 0x-hex; MS defaults to 5000. listen opens a window (class and title\n"
    "  t640-msg unless given) and prints each message it gets as one line, answering sends with 0.\n"
    "  The bus folder is $T640_BUS_DIR, else $XDG_RUNTIME_DIR/t640-bus, else /tmp/t640-bus-UID.\n";

namespace {

using Verb = MsgCommandLine::Verb;

struct VerbRule {
  Verb verb;
  bool takesName;
  std::set<std::string> options;
};

const std::map<std::string, VerbRule>& VerbRules() {
  static const std::map<std::string, VerbRule> rules = {
      {"send", {Verb::Send, true, {"--wparam", "--lparam", "--class", "--title", "--timeout", "--data"}}},
      {"post", {Verb::Post, true, {"--wparam", "--lparam", "--class", "--title", "--data"}}},
      {"broadcast", {Verb::Broadcast, true, {"--wparam", "--lparam", "--data"}}},
      {"list", {Verb::List, false, {}}},
      {"listen", {Verb::Listen, false, {"--class", "--title"}}},
  };
  return rules;
}

bool ApplyOption(const std::string& option, const std::string& value, MsgCommandLine& command, std::string& error) {
  if (option == "--wparam" || option == "--lparam") {
    if (!ParseMessageNumber(value, option == "--wparam" ? command.wParam : command.lParam)) {
      error = option + " needs a number, not \"" + value + "\"";
      return false;
    }
  } else if (option == "--timeout") {
    int64_t milliseconds = 0;
    if (!ParseMessageNumber(value, milliseconds) || milliseconds < 1 || milliseconds > INT_MAX) {
      error = "--timeout needs a number of milliseconds from 1, not \"" + value + "\"";
      return false;
    }
    command.timeoutMs = int(milliseconds);
  } else if (option == "--class") {
    command.className = value;
  } else if (option == "--title") {
    command.title = value;
  } else if (option == "--data") {
    if (value.size() > kMaxPayloadBytes) {
      error = "--data is longer than " + std::to_string(kMaxPayloadBytes) + " bytes";
      return false;
    }
    command.data = value;
  }
  return true;
}

}  // namespace

bool ParseMessageNumber(const std::string& text, int64_t& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint64_t bits = 0;
    const auto [stop, failure] = std::from_chars(begin + 2, end, bits, 16);
    if (failure != std::errc() || stop != end) return false;
    value = int64_t(bits);
    return true;
  }
  const auto [stop, failure] = std::from_chars(begin, end, value, 10);
  return failure == std::errc() && stop == end && !text.empty();
}

bool ParseMsgCommandLine(const std::vector<std::string>& arguments, MsgCommandLine& command, std::string& error) {
  if (arguments.empty()) {
    error = "no command given";
    return false;
  }
  const auto rule = VerbRules().find(arguments[0]);
  if (rule == VerbRules().end()) {
    error = "unknown command \"" + arguments[0] + "\"";
    return false;
  }
  command = MsgCommandLine{};
  command.verb = rule->second.verb;
  size_t next = 1;
  if (rule->second.takesName) {
    if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0) {
      error = arguments[0] + " needs a message name";
      return false;
    }
    command.name = arguments[1];
    if (!IsValidMessageName(command.name)) {
      error = "a message name is UTF-8 of 1 to " + std::to_string(kMaxMessageNameBytes) + " bytes";
      return false;
    }
    next = 2;
  }
  for (; next < arguments.size(); next += 2) {
    const std::string& option = arguments[next];
    if (rule->second.options.count(option) == 0) {
      error = "\"" + option + "\" is not an option of " + arguments[0];
      return false;
    }
    if (next + 1 >= arguments.size()) {
      error = option + " needs a value";
      return false;
    }
    if (!ApplyOption(option, arguments[next + 1], command, error)) return false;
  }
  if (command.verb == Verb::Listen) {
    if (command.className.empty()) command.className = "t640-msg";
    if (command.title.empty()) command.title = "t640-msg";
  }
  return true;
}
