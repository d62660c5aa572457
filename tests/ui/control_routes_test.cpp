#include <gtest/gtest.h>

#include "windows/main_wnd/control_router.h"

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
