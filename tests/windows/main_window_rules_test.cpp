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

TEST(LanguageFontFace, ScriptsWithAFaceOfTheirOwnSwitchIt) {
  struct Case {
    int index;
    int current;
    const char* face;  // null: the faces stay
  };
  const Case cases[] = {
      {0, -1, "WenQuanYi Micro Hei"}, {15, 1, "Noto Sans Thai"}, {2, 0, "Noto Sans CJK TC"},
      {1, 0, "DejaVu Sans"},          {1, -1, "DejaVu Sans"},    {3, 1, nullptr},
  };
  for (const Case& test : cases) {
    const std::optional<std::string> face = FontFaceForLanguage(test.index, test.current);
    ASSERT_EQ(face.has_value(), test.face != nullptr) << test.index << " after " << test.current;
    if (face) {
      EXPECT_EQ(*face, test.face);
    }
  }
}
