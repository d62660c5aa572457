#pragma once
#include <cstdint>

// One button's or key's function: a type code and two parameter bytes. In a profile it is one
// JSON integer, (type << 16) | (high << 8) | low; on the device it is the 3-byte record
// type, high, low.
struct KeyAssignment {
  uint16_t KeyIndex = 0;
  uint8_t Type = 0;
  uint8_t High = 0;
  uint8_t Low = 0;

  uint32_t Value() const { return (uint32_t{Type} << 16) | (uint32_t{High} << 8) | Low; }
  static KeyAssignment FromValue(uint16_t keyIndex, uint32_t value) {
    return {keyIndex, static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  }
  bool SameFunction(const KeyAssignment& other) const { return Value() == other.Value(); }
  bool operator==(const KeyAssignment&) const = default;
};

// The key's current function and its factory function, both with the same key index.
struct KeyAssignmentPair {
  KeyAssignment Current;
  KeyAssignment Default;

  bool operator==(const KeyAssignmentPair&) const = default;
};

// The two macro functions; their high byte is a macro number.
inline constexpr uint8_t kMacroAssignmentType = 0x70;
inline constexpr uint8_t kRepeatedMacroAssignmentType = 0x71;

inline bool IsMacroAssignment(const KeyAssignment& assignment) {
  return assignment.Type == kMacroAssignmentType || assignment.Type == kRepeatedMacroAssignmentType;
}
