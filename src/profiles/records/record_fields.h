#pragma once
#include <json/json.h>

#include <cstdint>
#include <span>
#include <variant>

#include "profiles/storage/json_access.h"

// A record's JSON form as one table of fields, read and written by the same table so that the two
// directions cannot drift apart. Reading accepts any value: a missing or mistyped key reads as 0
// (json_access.h).

enum class FieldCoding {
  kNumber,
  kFlagAsNumber,  // read as a flag (any non-zero number or true), written as 0 or 1
  kFlagAsBool,    // read as a flag, written as false or true
};

template <typename Record>
struct RecordField {
  const char* key;
  std::variant<uint8_t Record::*, uint16_t Record::*, int32_t Record::*> member;
  FieldCoding coding = FieldCoding::kNumber;
};

template <typename Record>
void ReadRecordFields(std::span<const RecordField<Record>> fields, const Json::Value& object, Record& record) {
  for (const RecordField<Record>& field : fields) {
    const int64_t value =
        field.coding == FieldCoding::kNumber ? IntegerAt(object, field.key) : (FlagAt(object, field.key) ? 1 : 0);
    std::visit([&](auto member) { record.*member = ClampedTo<std::remove_reference_t<decltype(record.*member)>>(value); },
               field.member);
  }
}

template <typename Record>
Record ReadRecord(std::span<const RecordField<Record>> fields, const Json::Value& object) {
  Record record;
  ReadRecordFields(fields, object, record);
  return record;
}

// Writes every field into `object` (which becomes an object first); its other keys stay.
template <typename Record>
void WriteRecord(std::span<const RecordField<Record>> fields, const Record& record, Json::Value& object) {
  Json::Value& target = AsObject(object);
  for (const RecordField<Record>& field : fields) {
    const int64_t value = std::visit([&](auto member) { return static_cast<int64_t>(record.*member); }, field.member);
    switch (field.coding) {
      case FieldCoding::kNumber:
        target[field.key] = static_cast<Json::Int64>(value);
        break;
      case FieldCoding::kFlagAsNumber:
        target[field.key] = value != 0 ? 1 : 0;
        break;
      case FieldCoding::kFlagAsBool:
        target[field.key] = value != 0;
        break;
    }
  }
}
