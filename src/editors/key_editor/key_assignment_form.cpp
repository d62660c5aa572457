#include "editors/key_editor/key_assignment_form.h"

#include <charconv>

#include "profiles/keys/key_table.h"

namespace {

constexpr int kNibbleMax = 0x0F;
constexpr int kCountMax = 0x7F;
constexpr int kByteMax = 0xFF;
constexpr int kRepeatedMacroItem = 4;

std::string Decimal(int value) { return std::to_string(value); }

uint8_t Byte(int value) { return static_cast<uint8_t>(value); }

bool HasTable(int category) { return !ChoicesOf(category).empty(); }

void SelectRow(int category, const KeyAssignment& value, KeyFormControls& controls) {
  controls.Row(category) = FindChoiceRow(ChoicesOf(category), value.High, value.Low);
}

void ClearKey(KeyFormControls& controls) {
  controls.keyNameKey.clear();
  controls.keyUsage = 0;
}

void SetKey(const KeyTableRow& row, KeyFormControls& controls) {
  controls.keyNameKey = row.nameKey;
  controls.keyUsage = row.p2;
}

uint8_t PackDelaySpeed(const std::string& delay, const std::string& speed) {
  return Byte(ReadEditNumber(delay, kNibbleMax) << 4 | ReadEditNumber(speed, kNibbleMax));
}

}  // namespace

int ReadEditNumber(const std::string& text, int max) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc::result_out_of_range) return stop != text.data() && text[0] == '-' ? 0 : max;
  if (error != std::errc() || value < 0) return 0;
  return value > max ? max : static_cast<int>(value);
}

void CKeyAssignmentForm::SetCurrent(const KeyAssignment& value) {
  const uint16_t key = current_.KeyIndex;
  current_ = value;
  current_.KeyIndex = key;
}

void CKeyAssignmentForm::Show(const KeyAssignment& value, int macroCount, KeyFormControls& controls) {
  const bool showingCurrent = value.SameFunction(current_);
  int category = -1;
  if (value.SameFunction(default_)) {
    category = kCategoryDefault;
  } else {
    switch (value.Type) {
      case kMouseButtonType:
        category = kCategoryMouseButton;
        break;
      case kHorizontalScrollType:
        category = kCategoryHorizontalScroll;
        controls.scrollDelay = Decimal(value.High >> 4);
        controls.scrollSpeed = Decimal(value.High & 0x0F);
        controls.scrollCount = Decimal(value.Low & 0x7F);
        controls.scrollDirection = (value.Low & 0x80) ? 1 : 0;
        break;
      case kWheelType:
        category = kCategoryWheel;
        controls.wheelDelay = Decimal(value.High >> 4);
        controls.wheelSpeed = Decimal(value.High & 0x0F);
        controls.wheelDirection = (value.Low & 0x80) ? 1 : 0;
        controls.wheelCount = Decimal((value.Low & 0x80) ? 128 - (value.Low & 0x7F) : value.Low);
        break;
      case kSensitivityType:
        category = kCategorySensitivity;
        break;
      case kRapidFireType:
        category = kCategoryRapidFire;
        controls.fireInterval = Decimal(value.High);
        controls.fireCount = Decimal(value.Low);
        break;
      case kKeyboardKeyType:
        category = kCategoryKeyboardKey;
        if (value.High == 0) {
          if (const KeyTableRow* row = FindKeyByUsage(value.Low)) {
            SetKey(*row, controls);
            controls.modifier = 0;
          } else {
            ClearKey(controls);
            controls.modifier = -1;
            if (showingCurrent) current_.High = current_.Low = 0;
          }
        } else if (value.High <= 8) {
          int option = 0;
          for (size_t r = 0; r < kLeftModifierRowCount; ++r) {
            if (kKeyTable[r].p1 == value.High) option = static_cast<int>(r) + 1;
          }
          if (option == 0 && showingCurrent) current_.High = 0;
          controls.modifier = option;
          const KeyTableRow* row = value.Low != 0 ? FindKeyByUsage(value.Low) : nullptr;
          if (row) {
            SetKey(*row, controls);
          } else {
            ClearKey(controls);
          }
        } else {
          category = kCategoryShortcut;
        }
        break;
      case kMediaType:
        category = kCategoryMedia;
        break;
      case kSystemType:
        category = kCategorySystem;
        break;
      case kMacroAssignmentType:
      case kRepeatedMacroAssignmentType: {
        category = kCategoryMacro;
        const bool known = value.High < macroCount;
        controls.macro = known ? value.High : -1;
        if (value.Type == kMacroAssignmentType) {
          controls.macroMode = known && value.Low < kRepeatedMacroItem ? value.Low : -1;
          controls.cycleShown = false;
        } else {
          controls.macroMode = kRepeatedMacroItem;
          controls.cycleShown = known;
          controls.macroCycle = Decimal(value.Low);
        }
        break;
      }
      case kGunKeyType:
        category = kCategoryGunKey;
        break;
      case kLegacyShortcutType:
        category = kCategoryShortcut;
        break;
      default:
        break;
    }
    if (category >= 0 && HasTable(category)) SelectRow(category, value, controls);
  }
  controls.editorShown = category >= 0;
  if (category >= 0) controls.category = category;
}

KeyAssignmentPair CKeyAssignmentForm::Compose(KeyFormControls& controls, int macroCount) {
  KeyAssignment value = current_;
  const int category = controls.category;
  switch (category) {
    case kCategoryMouseButton:
    case kCategorySensitivity:
    case kCategoryMedia:
    case kCategorySystem:
    case kCategoryGunKey:
    case kCategoryShortcut: {
      const std::span<const FunctionChoice> choices = ChoicesOf(category);
      const int row = controls.Row(category);
      if (row >= 0 && static_cast<size_t>(row) < choices.size()) {
        const FunctionChoice& choice = choices[static_cast<size_t>(row)];
        value.Type = choice.type;
        value.High = choice.p1;
        value.Low = choice.p2;
      }
      break;
    }
    case kCategoryHorizontalScroll: {
      const int count = ReadEditNumber(controls.scrollCount, kCountMax);
      value.Type = kHorizontalScrollType;
      value.High = PackDelaySpeed(controls.scrollDelay, controls.scrollSpeed);
      value.Low = Byte(controls.scrollDirection == 1 ? count | 0x80 : count);
      break;
    }
    case kCategoryWheel: {
      const int count = ReadEditNumber(controls.wheelCount, kCountMax);
      value.Type = kWheelType;
      value.High = PackDelaySpeed(controls.wheelDelay, controls.wheelSpeed);
      value.Low = Byte(controls.wheelDirection == 1 ? (128 - count) | 0x80 : count);
      break;
    }
    case kCategoryRapidFire: {
      int interval = ReadEditNumber(controls.fireInterval, kByteMax);
      if (interval < kMinFireInterval) interval = kMinFireInterval;
      controls.fireInterval = Decimal(interval);
      const int count = ReadEditNumber(controls.fireCount, kByteMax);
      controls.fireCount = Decimal(count);
      value.Type = kRapidFireType;
      value.High = Byte(interval);
      value.Low = Byte(count);
      break;
    }
    case kCategoryKeyboardKey:
      value.Type = kKeyboardKeyType;
      value.High = controls.modifier >= 1 && controls.modifier < kModifierOptionCount
                       ? Byte(1 << (controls.modifier - 1))
                       : 0;
      value.Low = controls.keyNameKey.empty() ? 0 : controls.keyUsage;
      break;
    case kCategoryMacro:
      if (controls.macro >= 0 && controls.macro < macroCount) {
        if (controls.macroMode == kRepeatedMacroItem) {
          value.Type = kRepeatedMacroAssignmentType;
          value.High = Byte(controls.macro);
          value.Low = Byte(ReadEditNumber(controls.macroCycle, kByteMax));
        } else if (controls.macroMode >= 0 && controls.macroMode < kRepeatedMacroItem) {
          value.Type = kMacroAssignmentType;
          value.High = Byte(controls.macro);
          value.Low = Byte(controls.macroMode);
        }
      }
      break;
    default:  // the default function, and any category the editor does not know
      value.Type = default_.Type;
      value.High = default_.High;
      value.Low = default_.Low;
      break;
  }
  SetCurrent(value);
  return {current_, default_};
}

bool CKeyAssignmentForm::Capture(uint8_t scan, bool extended, KeyFormControls& controls) {
  const KeyTableRow* row = FindKeyByScanCode(scan, extended);
  if (!row || row->type != kKeyboardKeyType) return false;
  const size_t r = KeyTableRowIndex(*row);
  if (r < kModifierRowCount) {
    controls.modifier = static_cast<int>((r + 1) % 5 + (r + 1) / 5);
    ClearKey(controls);
  } else {
    if (controls.modifier < 0) controls.modifier = 0;
    SetKey(*row, controls);
  }
  SetCurrent({current_.KeyIndex, kKeyboardKeyType, row->p1, row->p2});
  return true;
}
