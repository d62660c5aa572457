#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8_text.h"

// Limits both ends of the bus enforce. A frame that claims more is dropped before its body is read.
inline constexpr size_t kMaxMessageNameBytes = 255;
inline constexpr size_t kMaxPayloadBytes = size_t(1) << 20;
inline constexpr size_t kMaxAddressBytes = 64;
inline constexpr size_t kMaxWindowTextBytes = 1024;  // class name or title of an endpoint

// One message between programs on the desktop. Programs agree on the name, never on a number:
// numeric message ids are handed out per process (registered_messages.h).
struct DesktopMessage {
  std::string name;              // UTF-8, 1 to kMaxMessageNameBytes bytes
  int64_t wParam = 0;
  int64_t lParam = 0;
  std::vector<uint8_t> payload;  // copy-data bytes, up to kMaxPayloadBytes; empty for a plain message
  // Filled in by the bus on delivery, ignored when sending:
  std::string sender;            // bus address of the sending window; empty when it has none
  bool awaitsReply = false;      // sent rather than posted: the handler's result goes back
};

enum class BusResult {
  Ok,
  NoSuchWindow,  // no live window at that address, or none matched
  TimedOut,
  BadMessage,    // the message breaks a limit above and was not sent
  Failed,        // the connection failed, or the window went away before it answered
};

const char* BusResultText(BusResult result);

bool IsValidMessageName(std::string_view name);
bool IsValidMessage(const DesktopMessage& message);
// A window's address on the bus: 1 to kMaxAddressBytes of [0-9a-z-], so it can name its files.
bool IsValidBusAddress(std::string_view address);
