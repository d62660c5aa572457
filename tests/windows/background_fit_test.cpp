// A background picture fills the main window without being distorted: the part of it drawn has
// the window's shape.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "windows/skin_wnd/background_fit.h"

TEST(BackgroundFit, ThePartDrawnHasTheWindowsShapeAndSitsInTheMiddle) {
  struct Case {
    SIZE picture;
    SIZE box;
    RECT source;
  };
  const Case cases[] = {
      {{1500, 960}, {1000, 640}, {0, 0, 1500, 960}},   // the same shape: all of it
      {{1600, 600}, {1000, 640}, {331, 0, 1268, 600}},  // wider: the sides are cut
      {{500, 1000}, {1000, 640}, {0, 340, 500, 660}},   // higher: top and bottom are cut
      {{1, 1}, {1000, 640}, {0, 0, 1, 1}},               // too small to cut: all of it
      {{8192, 2}, {1000, 640}, {4094, 0, 4097, 2}},
      {{0, 100}, {1000, 640}, {0, 0, 0, 0}},
      {{100, 100}, {0, 640}, {0, 0, 0, 0}},
  };
  for (const Case& test : cases) {
    const RECT source = CoverSourceRect(test.picture, test.box);
    EXPECT_EQ(source, test.source) << test.picture.cx << "x" << test.picture.cy;
    if (source.right > source.left + 8 && source.bottom > source.top + 8) {
      const double shown = double(source.right - source.left) / (source.bottom - source.top);
      EXPECT_NEAR(shown, double(test.box.cx) / test.box.cy, 0.01) << test.picture.cx << "x" << test.picture.cy;
    }
  }
}

TEST(BackgroundFit, TheImageStringNamesThePictureAsItIs) {
  EXPECT_EQ(FittedImageString("/home/a/My pics/x=1.png", {1600, 600}, {1000, 640}),
            "file='/home/a/My pics/x=1.png' source='331,0,1268,600'");
  EXPECT_EQ(FittedImageString("/home/a/it's.png", {100, 64}, {1000, 640}), "file=\"/home/a/it's.png\" source='0,0,100,64'");
  EXPECT_EQ(FittedImageString("missing.png", {0, 0}, {1000, 640}), "file='missing.png'");
  for (const char* unusable : {"/a/it's \"x\".png", "/a\\b.png", " /a/b.png", "/a/b.png ", ""}) {
    EXPECT_EQ(FittedImageString(unusable, {10, 10}, {10, 10}), std::nullopt) << unusable;
  }
}
