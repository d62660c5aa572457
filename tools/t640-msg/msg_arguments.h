#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The command line of t640-msg, checked: each verb takes only its own options.
struct MsgCommandLine {
  enum class Verb { Send, Post, Broadcast, List, Listen };

  static constexpr int kDefaultSendTimeoutMs = 5000;

  Verb verb = Verb::List;
  std::string name;  // send, post, broadcast
  int64_t wParam = 0;
  int64_t lParam = 0;
  std::string className;  // the window to find, or the listening window's own
  std::string title;
  int timeoutMs = kDefaultSendTimeoutMs;
  std::string data;  // copy-data payload
};

extern const char* const kMsgUsage;

// `arguments` without the program name. False with the reason in `error` on a usage error.
bool ParseMsgCommandLine(const std::vector<std::string>& arguments, MsgCommandLine& command, std::string& error);

// Decimal with an optional minus sign, or 0x and up to 16 hex digits (taken as the 64 bits of
// the value, so 0xFFFFFFFFFFFFFFFF is -1).
bool ParseMessageNumber(const std::string& text, int64_t& value);
