#include <gtest/gtest.h>

#include "windows/main_wnd/main_wnd.h"

TEST(WindowDpi, LargeMonitorsDrawTheLayoutLarger) {
  struct Case {
    int width;
    int height;
    int dpi;
  };
  const Case cases[] = {{1920, 1080, 144}, {1500, 1000, 96}, {1501, 961, 144}, {2560, 960, 96}, {800, 600, 96}};
  for (const Case& test : cases) {
    EXPECT_EQ(WindowDpiForMonitor(test.width, test.height), test.dpi) << test.width << "x" << test.height;
  }
}
