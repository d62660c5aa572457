// The macro editor's rules apart from its controls: what rows show, delays, where rows go, and
// what a recording makes of captured input.
#include <gtest/gtest.h>

#include <cstring>

#include "editors/macro_editor/macro_action_rules.h"
#include "editors/macro_editor/macro_recording_rules.h"
#include "support/test_clock.h"

namespace {

using namespace macro_actions;
using macro_recording::CDelayClock;
using macro_recording::CRepeatFilter;
using macro_recording::DelayMode;

std::string NameKey(uint32_t type, uint32_t button, bool down) {
  const EventName name = NameOfEvent({type, button, down, 0});
  return name.key ? name.key : "";
}

}  // namespace

TEST(MacroActionRules, RowsNameTheirEventsFromTheKeyAndMouseTables) {
  struct Case {
    uint32_t type, button;
    bool down;
    const char* key;
    bool keyboard;
  };
  const Case cases[] = {
      {10, 0x04, true, "keyboard_key_A", true},
      {10, 0x28, false, "keyboard_key_Enter", true},
      {9, 0x20, true, "keyboard_key_RShift", true},
      {1, 0x10, true, "macro_event_mouse_forward", false},
      {1, 0x08, false, "macro_event_mouse_back", false},
      {4, 25, true, "mouse_move_to_left_text", false},
      {4, 25, false, "mouse_move_to_right_text", false},
      {5, 3, true, "mouse_move_to_up_text", false},
      {5, 3, false, "mouse_move_to_down_text", false},
      {2, 1, true, "", false},
      {1, 0x20, true, "", false},  // no such button
      {9, 0x03, true, "", true},   // two modifier bits are no modifier
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.button));
    EXPECT_EQ(NameKey(c.type, c.button, c.down), c.key);
    EXPECT_EQ(NameOfEvent({c.type, c.button, c.down, 0}).keyboard, c.keyboard);
  }
  EXPECT_TRUE(ShowsActionAsText({4, 25, true, 0}));
  EXPECT_TRUE(ShowsActionAsText({2, 0, true, 0}));
  EXPECT_FALSE(ShowsActionAsText({10, 4, true, 0}));
}

TEST(MacroActionRules, DelaysAreShownWithinTenTo65535) {
  EXPECT_EQ(ShownDelay(0), 10u);
  EXPECT_EQ(ShownDelay(10), 10u);
  EXPECT_EQ(ShownDelay(11), 11u);
  EXPECT_EQ(ShownDelay(65535), 65535u);
  EXPECT_EQ(ShownDelay(70000), 65535u);
  EXPECT_EQ(DelayOfText(""), 0u);
  EXPECT_EQ(DelayOfText("12a"), 0u);
  EXPECT_EQ(DelayOfText("150"), 150u);
  EXPECT_EQ(DelayOfText("99999999999"), UINT32_MAX);
}

TEST(MacroActionRules, TheConstantDelayIsKeptInRangeWithANotice) {
  struct Case {
    const char* text;
    uint32_t current, value;
    const char* notice;
    bool changed;
  };
  const Case cases[] = {
      {"50", 50, 50, nullptr, false},     {"200", 50, 200, nullptr, true},
      {"70000", 50, 65535, "message_text_38", true}, {"5", 50, 10, "message_text_36", true},
      {"", 50, 10, "message_text_36", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ConstantDelayReading reading = ReadConstantDelay(c.text, c.current);
    EXPECT_EQ(reading.value, c.value);
    EXPECT_EQ(reading.changed, c.changed);
    EXPECT_STREQ(reading.notice ? reading.notice : "", c.notice ? c.notice : "");
  }
}

TEST(MacroActionRules, MovesApplyOnlyWhereTheRowCanGo) {
  struct Case {
    RowMove move;
    int selected, count;
    std::optional<int> to;
  };
  const Case cases[] = {
      {RowMove::kUp, 0, 3, std::nullopt},     {RowMove::kToTop, 0, 3, std::nullopt},
      {RowMove::kDown, 2, 3, std::nullopt},   {RowMove::kToBottom, 2, 3, std::nullopt},
      {RowMove::kUp, -1, 3, std::nullopt},    {RowMove::kDown, -1, 3, std::nullopt},
      {RowMove::kUp, 2, 3, 1},                {RowMove::kToTop, 2, 3, 0},
      {RowMove::kDown, 0, 3, 1},              {RowMove::kToBottom, 0, 3, 2},
      {RowMove::kDown, 0, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.move)) + " " + std::to_string(c.selected));
    EXPECT_EQ(MovedRowIndex(c.move, c.selected, c.count), c.to);
  }
}

TEST(MacroActionRules, InsertsGoAfterTheSelectionOrToTheTop) {
  EXPECT_EQ(InsertedRowIndex(-1, 0), 0);
  EXPECT_EQ(InsertedRowIndex(-1, 5), 0);
  EXPECT_EQ(InsertedRowIndex(2, 5), 3);
  EXPECT_EQ(InsertedRowIndex(4, 5), 5);
}

TEST(MacroActionRules, PointerMovesKeepTheLowByteOfTheTypedDistance) {
  EXPECT_EQ(MoveDistanceOfText("300"), 44u);
  EXPECT_EQ(MoveDistanceOfText("255"), 255u);
  EXPECT_EQ(MoveDistanceOfText("x"), 0u);
  EXPECT_EQ(PointerMoveEvent(MoveDirection::kLeft, 44), (MacroEvent{4, 44, true, 0}));
  EXPECT_EQ(PointerMoveEvent(MoveDirection::kRight, 1), (MacroEvent{4, 1, false, 0}));
  EXPECT_EQ(PointerMoveEvent(MoveDirection::kUp, 2), (MacroEvent{5, 2, true, 0}));
  EXPECT_EQ(PointerMoveEvent(MoveDirection::kDown, 3), (MacroEvent{5, 3, false, 0}));
}

TEST(MacroRecordingRules, KeysBecomeModifierOrKeyEventsByScanCode) {
  struct Case {
    uint8_t scan;
    bool extended;
    std::optional<MacroEvent> event;
  };
  const Case cases[] = {
      {0x36, true, MacroEvent{9, 0x20, true, 0}},   // right Shift
      {0x1D, false, MacroEvent{9, 0x01, true, 0}},  // left Ctrl
      {0x1C, true, MacroEvent{10, 0x58, true, 0}},  // keypad Enter
      {0x1C, false, MacroEvent{10, 0x28, true, 0}}, // Enter
      {0x1E, false, MacroEvent{10, 0x04, true, 0}}, // A
      {0x7F, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.scan));
    EXPECT_EQ(macro_recording::EventOfKey({c.scan, c.extended, true}), c.event);
  }
  EXPECT_FALSE(macro_recording::EventOfKey({0x1E, false, false})->Down);
  EXPECT_EQ(macro_recording::EventOfButton({0x10, true}), (MacroEvent{1, 0x10, true, 0}));
  EXPECT_EQ(macro_recording::EventOfButton({0x40, true}), std::nullopt);
}

TEST(MacroRecordingRules, AHeldKeyRecordsOnePressAndOneRelease) {
  CRepeatFilter filter;
  const CapturedKey press{0x1E, false, true};
  const CapturedKey release{0x1E, false, false};
  EXPECT_TRUE(filter.TakeKey(press));
  EXPECT_FALSE(filter.TakeKey(press));
  EXPECT_FALSE(filter.TakeKey(press));
  EXPECT_TRUE(filter.TakeKey(release));
  EXPECT_TRUE(filter.TakeKey(press));
  filter.Forget();  // a new recording: the key still down is news
  EXPECT_TRUE(filter.TakeKey(press));
  EXPECT_TRUE(filter.TakeButton({0x01, true}));
  EXPECT_FALSE(filter.TakeButton({0x01, true}));
  EXPECT_TRUE(filter.TakeButton({0x01, false}));
}

TEST(MacroRecordingRules, MeasuredDelaysAreClampedAndConstantOrNoneAreFixed) {
  CTestClock time;
  CDelayClock clock(time);
  clock.Restart();
  time.Advance(400);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 400u);
  time.Advance(10);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 10u);
  time.Advance(11);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 11u);
  time.Advance(65534);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 65534u);
  time.Advance(65535);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 65535u);
  time.Advance(70000);
  EXPECT_EQ(clock.Take(DelayMode::kMeasured, 50), 65535u);
  EXPECT_EQ(clock.Take(DelayMode::kConstant, 50), 50u);
  EXPECT_EQ(clock.Take(DelayMode::kNone, 50), 0u);
}
