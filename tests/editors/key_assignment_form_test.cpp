#include "editors/key_editor/key_assignment_form.h"

#include <gtest/gtest.h>

#include <string>

#include "profiles/keys/function_tables.h"

namespace {

constexpr int kMacros = 3;
constexpr uint16_t kKey = 4;

KeyAssignment Value(uint8_t type, uint8_t p1, uint8_t p2) { return {kKey, type, p1, p2}; }

// A form holding a key whose factory function is the back button.
class KeyForm : public ::testing::Test {
 protected:
  KeyForm() { form.Store({Value(0x10, 0x08, 0x00), Value(0x10, 0x08, 0x00)}); }

  KeyAssignment Composed() { return form.Compose(controls, kMacros).Current; }
  KeyAssignment ShownAndComposedAgain(const KeyAssignment& value) {
    form.SetCurrent(value);
    form.ShowCurrent(kMacros, controls);
    return Composed();
  }

  CKeyAssignmentForm form;
  KeyFormControls controls;
};

TEST_F(KeyForm, AKeyWhoseFunctionIsItsDefaultShowsTheDefaultCategoryAndComposesTheDefault) {
  form.ShowCurrent(kMacros, controls);
  EXPECT_EQ(controls.category, kCategoryDefault);
  EXPECT_TRUE(controls.editorShown);
  form.SetCurrent(Value(0x10, 0x01, 0x00));
  EXPECT_EQ(Composed(), Value(0x10, 0x08, 0x00)) << "category 0 gives the key's factory function";
  controls.category = 42;
  form.SetCurrent(Value(0x10, 0x01, 0x00));
  EXPECT_EQ(Composed(), Value(0x10, 0x08, 0x00)) << "so does a category the editor does not know";
}

TEST_F(KeyForm, ShowsEachFunctionInItsCategoryAndControls) {
  struct Case {
    KeyAssignment value;
    int category;
    int row;  // of the category's table; -1 where there is none
  };
  const Case cases[] = {
      {Value(0x10, 0x02, 0x00), kCategoryMouseButton, 2}, {Value(0x13, 0x02, 0x00), kCategorySensitivity, 1},
      {Value(0x30, 0x8A, 0x01), kCategoryMedia, 17},      {Value(0x40, 0x02, 0x00), kCategorySystem, 1},
      {Value(0x72, 0x03, 0x00), kCategoryGunKey, 3},      {Value(0x20, 0x10, 0x2E), kCategoryShortcut, 10},
      {Value(0xB0, 0x10, 0x12), kCategoryShortcut, 0},    {Value(0x20, 0x10, 0x05), kCategoryShortcut, -1},
      {Value(0x30, 0x99, 0x09), kCategoryMedia, -1},
  };
  for (const Case& test : cases) {
    form.Show(test.value, kMacros, controls);
    EXPECT_EQ(controls.category, test.category) << std::hex << test.value.Value();
    EXPECT_EQ(controls.Row(test.category), test.row) << std::hex << test.value.Value();
    EXPECT_TRUE(controls.editorShown);
  }
}

TEST_F(KeyForm, AFunctionOfUnknownTypeHidesTheEditorArea) {
  form.Show(Value(0x10, 0x01, 0x00), kMacros, controls);
  form.Show(Value(0x99, 0x01, 0x02), kMacros, controls);
  EXPECT_FALSE(controls.editorShown);
  form.Show(Value(0x10, 0x01, 0x00), kMacros, controls);
  EXPECT_TRUE(controls.editorShown);
}

TEST_F(KeyForm, ScrollsShowTheirDirectionCountDelayAndSpeed) {
  form.Show(Value(0x12, 0x35, 0xFE), kMacros, controls);
  EXPECT_EQ(controls.category, kCategoryWheel);
  EXPECT_EQ(controls.wheelDirection, 1) << "bit 7 of the wheel count is down";
  EXPECT_EQ(controls.wheelCount, "2") << "the downward count is the two's complement";
  EXPECT_EQ(controls.wheelDelay, "3");
  EXPECT_EQ(controls.wheelSpeed, "5");
  form.Show(Value(0x12, 0x00, 0x07), kMacros, controls);
  EXPECT_EQ(controls.wheelDirection, 0);
  EXPECT_EQ(controls.wheelCount, "7");
  form.Show(Value(0x11, 0xF1, 0x85), kMacros, controls);
  EXPECT_EQ(controls.category, kCategoryHorizontalScroll);
  EXPECT_EQ(controls.scrollDirection, 1);
  EXPECT_EQ(controls.scrollCount, "5");
  EXPECT_EQ(controls.scrollDelay, "15");
  EXPECT_EQ(controls.scrollSpeed, "1");
}

TEST_F(KeyForm, ScrollsComposeTheCountWithItsDirection) {
  struct Case {
    int category;
    int direction;
    const char* count;
    uint8_t p2;
  };
  const Case cases[] = {
      {kCategoryWheel, 1, "2", 0xFE},           {kCategoryWheel, 0, "2", 0x02},
      {kCategoryWheel, 1, "1", 0xFF},           {kCategoryWheel, 0, "", 0x00},
      {kCategoryHorizontalScroll, 1, "5", 0x85}, {kCategoryHorizontalScroll, 0, "5", 0x05},
      {kCategoryHorizontalScroll, 0, "500", 0x7F}, {kCategoryHorizontalScroll, 1, "x", 0x80},
  };
  for (const Case& test : cases) {
    controls.category = test.category;
    controls.wheelDirection = controls.scrollDirection = test.direction;
    controls.wheelCount = controls.scrollCount = test.count;
    controls.wheelDelay = controls.scrollDelay = "2";
    controls.wheelSpeed = controls.scrollSpeed = "9";
    const KeyAssignment value = Composed();
    EXPECT_EQ(value.Type, test.category == kCategoryWheel ? 0x12 : 0x11);
    EXPECT_EQ(value.High, 0x29);
    EXPECT_EQ(value.Low, test.p2) << test.category << " " << test.direction << " " << test.count;
  }
}

TEST_F(KeyForm, EditsReadAsDecimalNumbersWithinTheirByte) {
  struct Case {
    const char* text;
    int max;
    int read;
  };
  const Case cases[] = {{"", 15, 0},    {"abc", 15, 0},   {"7", 15, 7},  {"16", 15, 15},
                        {"-3", 255, 0}, {"300", 255, 255}, {"12x", 255, 12}, {"99999999999999999999", 255, 255}};
  for (const Case& test : cases) EXPECT_EQ(ReadEditNumber(test.text, test.max), test.read) << test.text;
  controls.category = kCategoryWheel;
  controls.wheelDelay = "20";
  controls.wheelSpeed = "";
  controls.wheelCount = "1";
  EXPECT_EQ(Composed().High, 0xF0) << "a delay past 4 bits is the largest there is, not another one";
}

TEST_F(KeyForm, ARapidFireIntervalBelowTenIsStoredAsTenAndTheEditFollows) {
  controls.category = kCategoryRapidFire;
  controls.fireInterval = "3";
  controls.fireCount = "4";
  EXPECT_EQ(Composed(), Value(0x14, 10, 4));
  EXPECT_EQ(controls.fireInterval, "10");
  controls.fireInterval = "";
  EXPECT_EQ(Composed().High, 10);
  controls.fireInterval = "40";
  EXPECT_EQ(Composed(), Value(0x14, 40, 4));
  form.Show(Value(0x14, 25, 6), kMacros, controls);
  EXPECT_EQ(controls.fireInterval, "25");
  EXPECT_EQ(controls.fireCount, "6");
}

TEST_F(KeyForm, MacrosComposeWithTheirPlayModeOrRepeatCount) {
  controls.category = kCategoryMacro;
  controls.macro = 2;
  controls.macroMode = 4;
  controls.macroCycle = "3";
  EXPECT_EQ(Composed(), Value(0x71, 2, 3));
  controls.macroMode = 1;
  EXPECT_EQ(Composed(), Value(0x70, 2, 1));

  // Without a whole choice the key keeps its function.
  for (int macro : {-1, kMacros}) {
    form.SetCurrent(Value(0x10, 0x01, 0x00));
    controls.macro = macro;
    EXPECT_EQ(Composed(), Value(0x10, 0x01, 0x00)) << "macro item " << macro;
  }
  controls.macro = 0;
  controls.macroMode = -1;
  EXPECT_EQ(Composed(), Value(0x10, 0x01, 0x00)) << "no play mode";
  EXPECT_EQ(form.Compose(controls, 0).Current, Value(0x10, 0x01, 0x00)) << "no macros at all";
}

TEST_F(KeyForm, MacrosShowTheirItemsAndACycleOnlyForARepeatedKnownMacro) {
  form.Show(Value(0x70, 1, 3), kMacros, controls);
  EXPECT_EQ(controls.category, kCategoryMacro);
  EXPECT_EQ(controls.macro, 1);
  EXPECT_EQ(controls.macroMode, 3);
  EXPECT_FALSE(controls.cycleShown);
  form.Show(Value(0x71, 2, 9), kMacros, controls);
  EXPECT_EQ(controls.macro, 2);
  EXPECT_EQ(controls.macroMode, 4);
  EXPECT_EQ(controls.macroCycle, "9");
  EXPECT_TRUE(controls.cycleShown);
  form.Show(Value(0x71, kMacros, 9), kMacros, controls);
  EXPECT_EQ(controls.macro, -1) << "a macro number past the list selects none";
  EXPECT_FALSE(controls.cycleShown);
  form.Show(Value(0x70, 5, 0), kMacros, controls);
  EXPECT_EQ(controls.macro, -1);
  EXPECT_EQ(controls.macroMode, -1);
}

TEST_F(KeyForm, KeyboardKeysShowTheirModifierOptionAndKey) {
  struct Case {
    KeyAssignment value;
    int modifier;
    const char* key;
  };
  const Case cases[] = {
      {Value(0x20, 0x00, 0x04), 0, "keyboard_key_A"},  {Value(0x20, 0x02, 0x04), 2, "keyboard_key_A"},
      {Value(0x20, 0x08, 0x3A), 4, "keyboard_key_F1"}, {Value(0x20, 0x01, 0x00), 1, ""},
      {Value(0x20, 0x03, 0x04), 0, "keyboard_key_A"},  {Value(0x20, 0x00, 0x03), -1, ""},
  };
  for (const Case& test : cases) {
    form.Show(test.value, kMacros, controls);
    EXPECT_EQ(controls.category, kCategoryKeyboardKey) << std::hex << test.value.Value();
    EXPECT_EQ(controls.modifier, test.modifier) << std::hex << test.value.Value();
    EXPECT_EQ(controls.keyNameKey, test.key) << std::hex << test.value.Value();
  }
}

TEST_F(KeyForm, AnUnknownKeyOrModifierOfTheCurrentFunctionIsDroppedFromIt) {
  form.SetCurrent(Value(0x20, 0x00, 0x03));
  form.ShowCurrent(kMacros, controls);
  EXPECT_EQ(form.Current(), Value(0x20, 0x00, 0x00));
  form.SetCurrent(Value(0x20, 0x03, 0x04));
  form.ShowCurrent(kMacros, controls);
  EXPECT_EQ(form.Current(), Value(0x20, 0x00, 0x04)) << "two modifiers at once are not offered";
}

TEST_F(KeyForm, KeyboardKeysComposeFromTheOptionAndTheKeyShown) {
  form.Show(Value(0x20, 0x00, 0x16), kMacros, controls);  // S
  controls.modifier = 1;
  EXPECT_EQ(Composed(), Value(0x20, 0x01, 0x16));
  controls.modifier = 0;
  EXPECT_EQ(Composed(), Value(0x20, 0x00, 0x16));
  controls.keyNameKey.clear();
  controls.modifier = 3;
  EXPECT_EQ(Composed(), Value(0x20, 0x04, 0x00)) << "no key: the modifier alone";
}

TEST_F(KeyForm, CapturingAModifierSelectsItsOptionAndClearsTheKey) {
  struct Case {
    uint8_t scan;
    bool extended;
    int option;
  };
  const Case cases[] = {{0x1D, false, 1}, {0x1D, true, 1}, {0x2A, false, 2}, {0x36, true, 2},
                        {0x38, false, 3}, {0x38, true, 3}, {0x5B, true, 4},  {0x5C, true, 4}};
  for (const Case& test : cases) {
    controls = KeyFormControls{};
    controls.category = kCategoryKeyboardKey;
    controls.keyNameKey = "keyboard_key_B";
    controls.keyUsage = 0x05;
    ASSERT_TRUE(form.Capture(test.scan, test.extended, controls)) << std::hex << int(test.scan);
    EXPECT_EQ(controls.modifier, test.option) << std::hex << int(test.scan);
    EXPECT_TRUE(controls.keyNameKey.empty());
    EXPECT_EQ(Composed(), Value(0x20, static_cast<uint8_t>(1 << (test.option - 1)), 0x00));
  }
}

TEST_F(KeyForm, CapturingAKeyKeepsTheSelectedOption) {
  controls.category = kCategoryKeyboardKey;
  controls.modifier = 2;
  ASSERT_TRUE(form.Capture(0x1E, false, controls));  // A
  EXPECT_EQ(controls.keyNameKey, "keyboard_key_A");
  EXPECT_EQ(Composed(), Value(0x20, 0x02, 0x04));

  controls.modifier = -1;
  ASSERT_TRUE(form.Capture(0x1C, true, controls));  // the keypad's Enter
  EXPECT_EQ(controls.modifier, 0);
  EXPECT_EQ(Composed(), Value(0x20, 0x00, 0x58));
}

TEST_F(KeyForm, ACapturedKeyTheTableDoesNotHaveChangesNothing) {
  controls.category = kCategoryKeyboardKey;
  controls.modifier = 2;
  form.SetCurrent(Value(0x20, 0x02, 0x04));
  const KeyFormControls before = controls;
  EXPECT_FALSE(form.Capture(0x1E, true, controls));
  EXPECT_FALSE(form.Capture(0x00, false, controls));
  EXPECT_EQ(controls.modifier, before.modifier);
  EXPECT_EQ(controls.keyNameKey, before.keyNameKey);
  EXPECT_EQ(form.Current(), Value(0x20, 0x02, 0x04));
}

TEST_F(KeyForm, EveryRowOfEveryChoiceTableComposesToAValueThatShowsAsTheSameRow) {
  for (int category = 0; category < kFunctionCategoryCount; ++category) {
    const std::span<const FunctionChoice> choices = ChoicesOf(category);
    for (size_t row = 0; row < choices.size(); ++row) {
      controls = KeyFormControls{};
      controls.category = category;
      controls.Row(category) = static_cast<int>(row);
      const KeyAssignment value = Composed();
      EXPECT_EQ(value, Value(choices[row].type, choices[row].p1, choices[row].p2));
      KeyFormControls shown;
      form.Show(value, kMacros, shown);
      if (value.SameFunction(form.Default())) {
        EXPECT_EQ(shown.category, kCategoryDefault) << "the back button is this key's default";
        continue;
      }
      EXPECT_EQ(shown.category, category) << "row " << row;
      EXPECT_EQ(shown.Row(category), static_cast<int>(row)) << "category " << category;
    }
  }
}

TEST_F(KeyForm, EditedFunctionsComeBackAsTheyWereEdited) {
  const KeyAssignment values[] = {Value(0x11, 0x21, 0x85), Value(0x12, 0xF0, 0x80 | 125), Value(0x12, 0x0F, 0x7F),
                                  Value(0x14, 10, 255),    Value(0x20, 0x04, 0x29),        Value(0x20, 0x00, 0x2C),
                                  Value(0x70, 2, 0),       Value(0x71, 1, 200)};
  for (const KeyAssignment& value : values) {
    EXPECT_EQ(ShownAndComposedAgain(value), value) << std::hex << value.Value();
  }
}

}  // namespace
