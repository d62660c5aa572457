#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// Field 100 x 80 at the top, a 6-pixel gap, the brightness bar 10 high below.
constexpr const char* kLayout =
    "<Window size='100,96'><VerticalLayout>"
    "<ColorPalette name='deng_Color_Pallet' palletheight='80' barheight='10'/>"
    "</VerticalLayout></Window>";

class ColorPaletteTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    palette = static_cast<CColorPaletteUI*>(window.Manager().FindControl("deng_Color_Pallet"));
  }
  void TearDown() override { DestroyWindow(hwnd); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
  CColorPaletteUI* palette = nullptr;
};

}  // namespace

TEST_F(ColorPaletteTest, PickingReportsTheColourOnRelease) {
  SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
  SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(33, 0));
  EXPECT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 0) << "not while dragging";
  SendMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(33, 0));
  ASSERT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 1);
  EXPECT_EQ(window.notifications.back().wParam, palette->GetSelectColor());
  EXPECT_EQ(palette->GetSelectColor(), 0xFF00FF00u) << "a third along the hues is green";
  ClickAt(hwnd, POINT{50, 79});
  EXPECT_EQ(palette->GetSelectColor(), 0xFFFFFFFFu) << "the bottom of the field is white";
  ClickAt(hwnd, POINT{0, 90});
  EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u) << "the left end of the bar is black";
}

TEST_F(ColorPaletteTest, SelectColorFromCodeIsSilent) {
  palette->SelectColor(0xFF0000FF);
  EXPECT_EQ(palette->GetSelectColor(), 0xFF0000FFu);
  EXPECT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 0);
}
