#pragma once
#include <json/json.h>

#include <cstdint>
#include <limits>
#include <string>

// Reading and editing JSON documents that may have any shape. A stored file can be hand-edited,
// half-written by another program or imported from anywhere, and the JSON library throws when a
// value is used as the wrong type; these helpers never throw and read every mismatch the way a
// missing key reads: as 0, false or empty.

// The member `key` of an object; the shared null value when `object` is not an object or lacks it.
const Json::Value& MemberOf(const Json::Value& object, const char* key);

// Element `index` of an array; the shared null value when `array` is not an array or is shorter.
const Json::Value& ElementOf(const Json::Value& array, Json::ArrayIndex index);

// Numbers as integers (fractions cut toward zero); true/false as 1/0; anything else, including
// numbers outside the 64-bit range and text, as 0.
int64_t IntegerOf(const Json::Value& value);

// The library's bool conversion without its exceptions: a bool, or a number that is not zero.
bool FlagOf(const Json::Value& value);

// Strings as they are; anything else as empty text.
std::string TextOf(const Json::Value& value);

// Numbers, or text read as a leading decimal number (DecimalValueOf): the lenient reading of
// values that some files store as text ("Delay": "150") and others as numbers. Negative and
// non-numeric values read as 0; larger values wrap modulo 2^32.
uint32_t LenientNumberOf(const Json::Value& value);

inline int64_t IntegerAt(const Json::Value& object, const char* key) { return IntegerOf(MemberOf(object, key)); }
inline bool FlagAt(const Json::Value& object, const char* key) { return FlagOf(MemberOf(object, key)); }

// A number brought into the range of T: a hand-edited 70000 for a 16-bit value reads as 65535,
// never as what is left after wrapping (4464), and a negative number as 0.
template <typename T>
T ClampedTo(int64_t value) {
  if (value < static_cast<int64_t>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (value > static_cast<int64_t>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}
inline uint8_t ByteAt(const Json::Value& object, const char* key) { return ClampedTo<uint8_t>(IntegerAt(object, key)); }
inline uint16_t HalfAt(const Json::Value& object, const char* key) {
  return ClampedTo<uint16_t>(IntegerAt(object, key));
}

// For edits: `value` itself, which first becomes an empty object when it is anything else.
Json::Value& AsObject(Json::Value& value);

// For edits: the member `key` of `object`, which first becomes an empty object when it is
// anything else (a null, a number, an array left by a damaged file).
Json::Value& ObjectMember(Json::Value& object, const char* key);

// For edits: element `index` of `array`, which first becomes an empty array when it is anything
// else; the array grows with nulls up to `index`. Callers bound `index` by the limits in
// profile_limits.h, so a value read from a file cannot make it grow without end.
Json::Value& ArrayElement(Json::Value& array, Json::ArrayIndex index);
