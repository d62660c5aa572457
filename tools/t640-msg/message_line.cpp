#include "tools/t640-msg/message_line.h"

#include <cstdio>

std::string QuoteText(std::string_view text) {
  const bool utf8 = IsValidUtf8(text);
  std::string out = "\"";
  for (char c : text) {
    const auto byte = uint8_t(c);
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '"': out += "\\\""; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8)) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(byte));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string FormatMessageLine(const DesktopMessage& message) {
  std::string line = message.awaitsReply ? "send" : "post";
  line += " name=" + QuoteText(message.name);
  line += " wparam=" + std::to_string(message.wParam);
  line += " lparam=" + std::to_string(message.lParam);
  line += " from=" + (message.sender.empty() ? std::string("-") : message.sender);
  if (!message.payload.empty()) {
    line += " data=" + QuoteText(std::string_view(reinterpret_cast<const char*>(message.payload.data()),
                                                  message.payload.size()));
  }
  return line;
}

std::string FormatWindowLine(const BusWindow& window) {
  return window.address + " class=" + QuoteText(window.className) + " title=" + QuoteText(window.title);
}
