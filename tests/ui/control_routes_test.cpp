// Routing a notification by its sender's name: the split of a name into prefix and index, and the
// choice of the row that takes it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/control_ui.h"

TEST(SplitControlName, SplitsAtTheLastUnderscore) {
  struct Case {
    const char* name;
    bool splits;
    const char* prefix;
    int index;
  };
  const Case cases[] = {
      {"DPI_slider_3", true, "DPI_slider_", 3},
      {"key_", true, "key_", 0},              // no number: index 0
      {"key_x", true, "key_", 0},             // not a number: index 0
      {"polling_rate_option_12", true, "polling_rate_option_", 12},
      {"closebtn", false, "", 0},             // only whole-name rows can match
      {"", false, "", 0},
      {"Virtual7.1_Op_tab", true, "Virtual7.1_Op_", 0},
      {"DPI_edit_99999999999", true, "DPI_edit_", 999999999},  // long numbers are cut, not overflowed
  };
  for (const Case& test : cases) {
    const std::optional<SplitControlNameResult> split = SplitControlName(test.name);
    ASSERT_EQ(split.has_value(), test.splits) << test.name;
    if (!split) continue;
    EXPECT_EQ(split->prefix, test.prefix) << test.name;
    EXPECT_EQ(split->index, test.index) << test.name;
  }
}

namespace {

// A page whose handlers record which row ran and with which index.
struct RecordingPage {
  void OnWhole(TNotifyUI&, int index) { calls.push_back("whole " + std::to_string(index)); }
  void OnPrefix(TNotifyUI&, int index) { calls.push_back("prefix " + std::to_string(index)); }
  void OnSecond(TNotifyUI&, int index) { calls.push_back("second " + std::to_string(index)); }
  std::vector<std::string> calls;
};

const RouteRow<RecordingPage> kRows[] = {
    {NotifyKind::kClick, "save_btn", false, &RecordingPage::OnWhole},
    {NotifyKind::kValueChanged, "DPI_slider_", true, &RecordingPage::OnPrefix},
    {NotifyKind::kValueChanged, "dpi_slider_", true, &RecordingPage::OnSecond},  // never reached
    {NotifyKind::kClick, "key_", true, &RecordingPage::OnPrefix},
};

std::vector<std::string> Route(NotifyKind kind, const char* name) {
  CControlUI sender;
  sender.SetName(name);
  TNotifyUI msg;
  msg.pSender = &sender;
  RecordingPage page;
  DispatchRoute<RecordingPage>(kRows, page, kind, msg);
  return page.calls;
}

}  // namespace

TEST(ControlRoutes, TheFirstRowOfTheNotificationsKindTakesItWhateverTheLetterCase) {
  struct Case {
    NotifyKind kind;
    const char* name;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {NotifyKind::kClick, "save_btn", {"whole 0"}},
      {NotifyKind::kClick, "SAVE_BTN", {"whole 0"}},
      {NotifyKind::kValueChanged, "dpi_SLIDER_4", {"prefix 4"}},  // the first of two equal prefixes
      {NotifyKind::kClick, "key_", {"prefix 0"}},                 // a prefix without a number is index 0
      {NotifyKind::kSelectChanged, "save_btn", {}},               // another kind's row does not match
      {NotifyKind::kValueChanged, "DPI_slider", {}},              // the split prefix must equal the row's
      {NotifyKind::kClick, "save_btn_2", {}},                     // a whole-name row takes only its name
  };
  for (const Case& test : cases) EXPECT_EQ(Route(test.kind, test.name), test.calls) << test.name;
}

TEST(ControlRoutes, OnlyTheRoutedNotificationTypesHaveAKind) {
  EXPECT_EQ(NotifyKindOf("click"), NotifyKind::kClick);
  EXPECT_EQ(NotifyKindOf("movevaluechanged"), NotifyKind::kSliderDrag);
  EXPECT_EQ(NotifyKindOf("killfocus"), NotifyKind::kFocusLost);
  EXPECT_EQ(NotifyKindOf("colorchanged"), NotifyKind::kColorChanged);
  EXPECT_EQ(NotifyKindOf("timer"), std::nullopt);
  EXPECT_EQ(NotifyKindOf("windowinit"), std::nullopt);
}
