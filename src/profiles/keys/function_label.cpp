#include "profiles/keys/function_label.h"

#include <cstdio>

#include "profiles/keys/function_tables.h"
#include "profiles/keys/key_table.h"

namespace {

constexpr const char* kUnknownKey = "function_name_unknown";
constexpr const char* kNoFunctionKey = "function_name_none";
constexpr const char* kMissingMacroKey = "function_name_missing_macro";
constexpr const char* kRapidFireKey = "mouse_key_fire_key";

FunctionLabelPart Key(const char* key) { return {key, true}; }
FunctionLabelPart Text(std::string text) { return {std::move(text), false}; }

std::string Hex(const KeyAssignment& value) {
  char text[16];
  std::snprintf(text, sizeof text, " (%02X %02X %02X)", value.Type, value.High, value.Low);
  return text;
}

FunctionLabel Unknown(const KeyAssignment& value) { return {Key(kUnknownKey), Text(Hex(value))}; }

const FunctionChoice* FindChoice(int category, const KeyAssignment& value) {
  const std::span<const FunctionChoice> choices = ChoicesOf(category);
  const int row = FindChoiceRow(choices, value.High, value.Low);
  return row < 0 ? nullptr : &choices[static_cast<size_t>(row)];
}

// Modifier bits named left to right in bit order (left Ctrl … right Win), then the key.
FunctionLabel KeyboardKey(const KeyAssignment& value) {
  if (const FunctionChoice* shortcut = FindChoice(kCategoryShortcut, value)) return {Key(shortcut->labelKey)};
  FunctionLabel label;
  for (size_t bit = 0; bit < 8; ++bit) {
    if (!(value.High & (1u << bit))) continue;
    if (!label.empty()) label.push_back(Text(" + "));
    label.push_back(Key(FindModifierByBit(static_cast<uint8_t>(1u << bit))->nameKey));
  }
  if (value.Low != 0) {
    const KeyTableRow* row = FindKeyByUsage(value.Low);
    if (!row) return Unknown(value);
    if (!label.empty()) label.push_back(Text(" + "));
    label.push_back(Key(row->nameKey));
  }
  if (label.empty()) label.push_back(Key(kNoFunctionKey));
  return label;
}

FunctionLabel Scroll(const KeyAssignment& value) {
  const bool bit7 = (value.Low & 0x80) != 0;
  int count = value.Low & 0x7F;
  const char* key = nullptr;
  if (value.Type == kHorizontalScrollType) {
    key = bit7 ? "mouse_key_right_Swing" : "mouse_key_left_Swing";
  } else {
    key = bit7 ? "mouse_key_down_Swing" : "mouse_key_up_Swing";
    if (bit7) count = 128 - count;
  }
  return {Key(key), Text(" \xC3\x97" + std::to_string(count))};
}

FunctionLabel Macro(const KeyAssignment& value, std::span<const std::string> macroNames) {
  if (value.High >= macroNames.size()) return {Key(kMissingMacroKey), Text(" " + std::to_string(value.High + 1))};
  FunctionLabel label{Text(macroNames[value.High]), Text(" (")};
  if (value.Type == kRepeatedMacroAssignmentType) {
    label.push_back(Text("\xC3\x97" + std::to_string(value.Low)));
  } else if (value.Low < 4) {
    label.push_back(Key(kMacroPlayModeKeys[value.Low]));
  } else {
    return Unknown(value);
  }
  label.push_back(Text(")"));
  return label;
}

}  // namespace

FunctionLabel DescribeFunction(const KeyAssignment& value, std::span<const std::string> macroNames) {
  switch (value.Type) {
    case kMouseButtonType:
    case kSensitivityType:
    case kMediaType:
    case kSystemType:
    case kGunKeyType: {
      const int categories[] = {kCategoryMouseButton, kCategorySensitivity, kCategoryMedia, kCategorySystem,
                                kCategoryGunKey};
      for (int category : categories) {
        const FunctionChoice* choice = FindChoice(category, value);
        if (choice && choice->type == value.Type) return {Key(choice->labelKey)};
      }
      break;
    }
    case kHorizontalScrollType:
    case kWheelType:
      return Scroll(value);
    case kRapidFireType:
      return {Key(kRapidFireKey),
              Text(" (" + std::to_string(value.High) + " ms, \xC3\x97" + std::to_string(value.Low) + ")")};
    case kKeyboardKeyType:
      return KeyboardKey(value);
    case kLegacyShortcutType:
      if (const FunctionChoice* shortcut = FindChoice(kCategoryShortcut, value)) return {Key(shortcut->labelKey)};
      break;
    case kMacroAssignmentType:
    case kRepeatedMacroAssignmentType:
      return Macro(value, macroNames);
    default:
      break;
  }
  // Keys of a keyboard's own (media keys outside the media table, M1 … M5, Fn).
  for (size_t i = kScanCodeRowCount; i < kKeyTable.size(); ++i) {
    const KeyTableRow& row = kKeyTable[i];
    if (row.type == value.Type && row.p1 == value.High && row.p2 == value.Low) return {Key(row.nameKey)};
  }
  return Unknown(value);
}
