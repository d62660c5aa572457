#include "profiles/keys/function_label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/keys/function_tables.h"

namespace {

// The label as one line, keys in brackets.
std::string Flat(const FunctionLabel& label) {
  std::string text;
  for (const FunctionLabelPart& part : label) text += part.languageKey ? "[" + part.text + "]" : part.text;
  return text;
}

TEST(FunctionTables, EveryChoiceTableIsFoundByItsCategoryAndItsRowsByTheirBytes) {
  for (int category = 0; category < kFunctionCategoryCount; ++category) {
    const std::span<const FunctionChoice> choices = ChoicesOf(category);
    for (size_t row = 0; row < choices.size(); ++row) {
      EXPECT_EQ(FindChoiceRow(choices, choices[row].p1, choices[row].p2), static_cast<int>(row))
          << "category " << category << " row " << row << " is not told apart from an earlier one";
    }
  }
  EXPECT_EQ(ChoicesOf(kCategoryMouseButton).size(), 5u);
  EXPECT_EQ(ChoicesOf(kCategoryMedia).size(), 18u);
  EXPECT_EQ(ChoicesOf(kCategoryShortcut).size(), 11u);
  EXPECT_TRUE(ChoicesOf(kCategoryWheel).empty());
  // Rows are the drop-downs' item indexes: their order is the editor's.
  EXPECT_EQ(kMouseButtonChoices[1].p1, 0x04);
  EXPECT_EQ(kMouseButtonChoices[3].p1, 0x10);
  EXPECT_EQ(kShortcutChoices[8].p2, 0x04);
  EXPECT_EQ(kShortcutChoices[9].p2, 0x2D);
  EXPECT_EQ(kMediaChoices[15].p1 | kMediaChoices[15].p2 << 8, 0x0194);
  EXPECT_EQ(kMediaChoices[8].p1 | kMediaChoices[8].p2 << 8, 0x0223);
  EXPECT_EQ(FindChoiceRow(kMediaChoices, 0x83, 0x02), -1);
}

TEST(FunctionLabel, NamesEveryKindOfFunction) {
  const std::vector<std::string> macros = {"Burst", "Reload"};
  struct Case {
    KeyAssignment value;
    const char* expected;
  };
  const Case cases[] = {
      {{0, 0x10, 0x01, 0x00}, "[mouse_key_left]"},
      {{0, 0x10, 0x04, 0x00}, "[mouse_key_middle]"},
      {{0, 0x13, 0x03, 0x00}, "[mouse_key_DPI_loop]"},
      {{0, 0x30, 0x23, 0x02}, "[web_text]"},
      {{0, 0x40, 0x04, 0x00}, "[system_wake_up]"},
      {{0, 0x72, 0x02, 0x00}, "[gun_3_txt]"},
      {{0, 0x20, 0x10, 0x06}, "[custem_copy]"},
      {{0, 0xB0, 0x10, 0x19}, "[custem_paste]"},
      {{0, 0x20, 0x00, 0x04}, "[keyboard_key_A]"},
      {{0, 0x20, 0x02, 0x04}, "[keyboard_key_LShift] + [keyboard_key_A]"},
      {{0, 0x20, 0x05, 0x3A}, "[keyboard_key_LCtrl] + [keyboard_key_LAlt] + [keyboard_key_F1]"},
      {{0, 0x20, 0x01, 0x00}, "[keyboard_key_LCtrl]"},
      {{0, 0x20, 0x00, 0x00}, "[function_name_none]"},
      {{0, 0x20, 0x00, 0x03}, "[function_name_unknown] (20 00 03)"},
      {{0, 0x11, 0x00, 0x85}, "[mouse_key_right_Swing] \xC3\x97" "5"},
      {{0, 0x11, 0x00, 0x05}, "[mouse_key_left_Swing] \xC3\x97" "5"},
      {{0, 0x12, 0x00, 0xFE}, "[mouse_key_down_Swing] \xC3\x97" "2"},
      {{0, 0x12, 0x00, 0x01}, "[mouse_key_up_Swing] \xC3\x97" "1"},
      {{0, 0x14, 0x0A, 0x03}, "[mouse_key_fire_key] (10 ms, \xC3\x97" "3)"},
      {{0, 0x70, 0x01, 0x02}, "Reload ([keyset_macro_mode_2])"},
      {{0, 0x71, 0x00, 0x03}, "Burst (\xC3\x97" "3)"},
      {{0, 0x70, 0x02, 0x00}, "[function_name_missing_macro] 3"},
      {{0, 0x30, 0x92, 0x01}, "[media_calc]"},
      {{0, 0xD0, 0xA2, 0x03}, "[keyboard_key_M3]"},
      {{0, 0xA0, 0x01, 0x00}, "[keyboard_key_FN]"},
      {{0, 0x99, 0x01, 0x02}, "[function_name_unknown] (99 01 02)"},
      {{0, 0x10, 0x40, 0x00}, "[function_name_unknown] (10 40 00)"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Flat(DescribeFunction(test.value, macros)), test.expected) << std::hex << test.value.Value();
  }
}

}  // namespace
