#include "profiles/macros/macro_event.h"

#include <string>

#include "profiles/storage/json_access.h"

bool IsKnownMacroEventType(uint32_t type) {
  switch (type) {
    case kMacroEventMouseButton:
    case kMacroEventType2:
    case kMacroEventType3:
    case kMacroEventMoveX:
    case kMacroEventMoveY:
    case kMacroEventModifierKey:
    case kMacroEventKey:
      return true;
    default:
      return false;
  }
}

MacroEvent MacroEventFromJson(const Json::Value& value) {
  MacroEvent event;
  if (!value.isObject()) return event;
  event.Type = LenientNumberOf(MemberOf(value, "Type"));
  event.Button = LenientNumberOf(MemberOf(value, "Button"));
  event.Down = TextOf(MemberOf(value, "Action")) == "down";
  event.Delay = LenientNumberOf(MemberOf(value, "Delay"));
  return event;
}

Json::Value MacroEventToJson(const MacroEvent& event) {
  Json::Value value(Json::objectValue);
  value["Type"] = event.Type;
  value["Button"] = event.Button;
  value["Action"] = event.Down ? "down" : "up";
  value["Delay"] = std::to_string(event.Delay);
  return value;
}

std::array<uint8_t, kEncodedMacroEventSize> EncodeMacroEvent(const MacroEvent& event) {
  return {static_cast<uint8_t>(event.Delay), static_cast<uint8_t>(event.Delay >> 8),
          static_cast<uint8_t>((event.Type & 0x7F) | (event.Down ? 0x80 : 0x00)), static_cast<uint8_t>(event.Button)};
}
