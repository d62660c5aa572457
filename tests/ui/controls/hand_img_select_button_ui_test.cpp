#include "ui/controls/hand_img_select_button_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// A 100 x 50 window onto a 480 x 270 picture.
std::string Layout(const std::string& picture) {
  return "<Window size='300,200'><VerticalLayout>"
         "<HandImgSelectButton name='pan' float='true' pos='10,10,110,60' cursor='sizeall' handimage='" +
         picture + "'/></VerticalLayout></Window>";
}

class PanningPicture : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    Open(SkinFolder() + "gallery/sample_picture.svg");
  }
  void TearDown() override { DestroyWindow(*window); }

  void Open(const std::string& picture) {
    if (window) DestroyWindow(*window);
    window = std::make_unique<CTestWindow>(Layout(picture));
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    button = static_cast<CHandImgSelectButtonUI*>(window->Manager().FindControl("pan"));
    ASSERT_NE(button, nullptr);
  }
  // Drags inside the button by (dx, dy) window pixels.
  void Drag(int dx, int dy) { DragFromTo(*window, POINT{60, 35}, POINT{60 + dx, 35 + dy}); }

  std::unique_ptr<CTestWindow> window;
  CHandImgSelectButtonUI* button = nullptr;
};

}  // namespace

TEST_F(PanningPicture, LargePictureStartsAtItsTopLeftWithTheButtonsSize) {
  EXPECT_TRUE(button->IsPannable());
  EXPECT_EQ(button->GetSourceRect(), (RECT{0, 0, 100, 50}));
  EXPECT_EQ(button->GetDrawString(),
            "file='" + SkinFolder() + "gallery/sample_picture.svg' source='0,0,100,50'");
  EXPECT_EQ(button->GetCursor(), UiCursor::kSizeAll);
}

TEST_F(PanningPicture, DraggingMovesTheWindowAgainstThePointerWithinThePicture) {
  struct Case {
    const char* what;
    RECT start;
    int dx;
    int dy;
    RECT expected;
  };
  const Case cases[] = {
      {"right by 20 from left 5 lands on the left edge, width kept", {5, 0, 105, 50}, 20, 0, {0, 0, 100, 50}},
      {"right by 10 from left 30", {30, 0, 130, 50}, 10, 0, {20, 0, 120, 50}},
      {"left by 30", {0, 0, 100, 50}, -30, 0, {30, 0, 130, 50}},
      {"left past the far edge stops there", {300, 0, 400, 50}, -200, 0, {380, 0, 480, 50}},
      {"up by 40", {0, 0, 100, 50}, 0, -40, {0, 40, 100, 90}},
      {"down past the top edge", {0, 30, 100, 80}, 0, 100, {0, 0, 100, 50}},
      {"diagonally", {50, 50, 150, 100}, -10, 20, {60, 30, 160, 80}},
  };
  for (const Case& test : cases) {
    button->SetSourceRect(test.start);
    Drag(test.dx, test.dy);
    EXPECT_EQ(button->GetSourceRect(), test.expected) << test.what;
  }
  EXPECT_NE(button->GetDrawString().Find("source='60,30,160,80'"), -1) << "the image string follows the window";
}

TEST_F(PanningPicture, MovingWithoutThePressPansNothingAndReleaseSendsNoClick) {
  MouseMove(*window, POINT{60, 35});
  MouseMove(*window, POINT{20, 20});
  EXPECT_EQ(button->GetSourceRect(), (RECT{0, 0, 100, 50}));
  Drag(-10, 0);
  EXPECT_FALSE(button->IsPanning());
  EXPECT_FALSE(window->Saw("click", "pan"));
  EXPECT_TRUE(window->Saw("msenter", "pan"));
  MouseMove(*window, POINT{250, 150});
  EXPECT_TRUE(window->Saw("msleave", "pan"));
}

TEST_F(PanningPicture, SmallPictureIsDrawnWholeAndDoesNotPan) {
  Open(FixturePath("images/dot.svg"));
  EXPECT_FALSE(button->IsPannable());
  EXPECT_EQ(button->GetDrawString(), FixturePath("images/dot.svg"));
  Drag(-30, -20);
  EXPECT_EQ(button->GetDrawString(), FixturePath("images/dot.svg"));
}
