#include "platform/desktop_bus/desktop_message.h"

const char* BusResultText(BusResult result) {
  switch (result) {
    case BusResult::Ok: return "ok";
    case BusResult::NoSuchWindow: return "no such window";
    case BusResult::TimedOut: return "timed out";
    case BusResult::BadMessage: return "message too long or badly named";
    case BusResult::Failed: return "connection failed";
  }
  return "unknown result";
}

bool IsValidMessageName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxMessageNameBytes && IsValidUtf8(name);
}

bool IsValidMessage(const DesktopMessage& message) {
  return IsValidMessageName(message.name) && message.payload.size() <= kMaxPayloadBytes;
}

bool IsValidBusAddress(std::string_view address) {
  if (address.empty() || address.size() > kMaxAddressBytes) return false;
  for (char c : address) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-')) return false;
  }
  return true;
}
