#pragma once
#include <json/json.h>

#include <array>
#include <cstdint>

// One input event of a macro or recoil table, followed by a pause. In a file it is an object
// {"Type": int, "Button": int, "Action": "down" | "up", "Delay": "decimal text"}.
enum MacroEventType : uint32_t {
  kMacroEventMouseButton = 1,  // Button: 0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 forward
  kMacroEventType2 = 2,        // found in files, never made by this program
  kMacroEventType3 = 3,
  kMacroEventMoveX = 4,         // Button: distance; down = left, up = right
  kMacroEventMoveY = 5,         // Button: distance; down = up, up = down
  kMacroEventModifierKey = 9,   // Button: the modifier's bit of the HID modifier byte
  kMacroEventKey = 10,          // Button: HID keyboard usage
};

bool IsKnownMacroEventType(uint32_t type);

struct MacroEvent {
  uint32_t Type = 0;
  uint32_t Button = 0;
  bool Down = false;   // "Action" is exactly "down"; any other text is the second direction
  uint32_t Delay = 0;  // milliseconds after the event

  bool operator==(const MacroEvent&) const = default;
};

// Lenient, as files in the wild need: "Type", "Button" and "Delay" may be numbers or decimal
// texts (an empty or non-numeric text is 0); a null or non-object value is the all-zero event.
MacroEvent MacroEventFromJson(const Json::Value& value);

// "Delay" is written as a decimal text, as macro files always hold it.
Json::Value MacroEventToJson(const MacroEvent& event);

// The event's 4 bytes on the device: delay (low 16 bits, little-endian), the type in bits 0-6
// with bit 7 set for "down", and the low 8 bits of the button.
inline constexpr size_t kEncodedMacroEventSize = 4;
std::array<uint8_t, kEncodedMacroEventSize> EncodeMacroEvent(const MacroEvent& event);
