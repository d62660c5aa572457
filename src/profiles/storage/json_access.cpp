#include "profiles/storage/json_access.h"

#include <cmath>

#include "profiles/storage/text_conversions.h"

const Json::Value& MemberOf(const Json::Value& object, const char* key) {
  if (!object.isObject()) return Json::Value::nullSingleton();
  const Json::Value* member = object.find(key, key + std::char_traits<char>::length(key));
  return member ? *member : Json::Value::nullSingleton();
}

const Json::Value& ElementOf(const Json::Value& array, Json::ArrayIndex index) {
  if (!array.isArray() || index >= array.size()) return Json::Value::nullSingleton();
  return array[index];
}

int64_t IntegerOf(const Json::Value& value) {
  switch (value.type()) {
    case Json::intValue:
      return value.asInt64();
    case Json::uintValue:
      return value.asUInt64() > static_cast<uint64_t>(INT64_MAX) ? 0 : static_cast<int64_t>(value.asUInt64());
    case Json::realValue: {
      double number = value.asDouble();
      // 2^63 is exactly representable; anything at or beyond it has no int64 value.
      if (!std::isfinite(number) || number >= 9223372036854775808.0 || number < -9223372036854775808.0) return 0;
      return static_cast<int64_t>(number);
    }
    case Json::booleanValue:
      return value.asBool() ? 1 : 0;
    default:
      return 0;
  }
}

bool FlagOf(const Json::Value& value) {
  switch (value.type()) {
    case Json::booleanValue:
      return value.asBool();
    case Json::intValue:
      return value.asInt64() != 0;
    case Json::uintValue:
      return value.asUInt64() != 0;
    case Json::realValue:
      return value.asDouble() != 0.0;
    default:
      return false;
  }
}

std::string TextOf(const Json::Value& value) { return value.isString() ? value.asString() : std::string(); }

uint32_t LenientNumberOf(const Json::Value& value) {
  if (value.isString()) return DecimalValueOf(value.asString());
  if (value.isBool() || !value.isNumeric()) return 0;
  int64_t number = IntegerOf(value);
  return number < 0 ? 0 : static_cast<uint32_t>(number);
}

Json::Value& AsObject(Json::Value& value) {
  if (!value.isObject()) value = Json::Value(Json::objectValue);
  return value;
}

Json::Value& ObjectMember(Json::Value& object, const char* key) {
  if (!object.isObject()) object = Json::Value(Json::objectValue);
  return object[key];
}

Json::Value& ArrayElement(Json::Value& array, Json::ArrayIndex index) {
  if (!array.isArray()) array = Json::Value(Json::arrayValue);
  return array[index];
}
