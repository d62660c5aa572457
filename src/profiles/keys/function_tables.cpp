#include "profiles/keys/function_tables.h"

std::span<const FunctionChoice> ChoicesOf(int category) {
  switch (category) {
    case kCategoryMouseButton:
      return kMouseButtonChoices;
    case kCategorySensitivity:
      return kSensitivityChoices;
    case kCategoryMedia:
      return kMediaChoices;
    case kCategorySystem:
      return kSystemChoices;
    case kCategoryGunKey:
      return kGunKeyChoices;
    case kCategoryShortcut:
      return kShortcutChoices;
    default:
      return {};
  }
}

int FindChoiceRow(std::span<const FunctionChoice> choices, uint8_t p1, uint8_t p2) {
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].p1 == p1 && choices[i].p2 == p2) return static_cast<int>(i);
  }
  return -1;
}
