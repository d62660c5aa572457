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

TEST_F(ColorPaletteTest, SetSelectColorFromCodeIsSilent) {
  palette->SetSelectColor(0xFF0000FF);
  EXPECT_EQ(palette->GetSelectColor(), 0xFF0000FFu);
  EXPECT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 0);
}

TEST_F(ColorPaletteTest, PureColoursSetFromCodeArePickedAgainAtFullBrightness) {
  // The field and the bar follow the colour set from code: a press at the bright end of the bar
  // gives that colour back, not the one shown before.
  const POINT brightEnd{99, 90};
  for (DWORD colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu, 0xFFFFFFFFu}) {
    palette->SetSelectColor(colour & 0x00FFFFFFu);
    EXPECT_EQ(palette->GetSelectColor(), colour) << std::hex << colour << ": opaque whatever the alpha given";
    ClickAt(hwnd, brightEnd);
    EXPECT_EQ(palette->GetSelectColor(), colour) << std::hex << colour;
  }
  EXPECT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 7) << "one notification for each pick";
}

TEST_F(ColorPaletteTest, FieldAndBarScaleWithTheDpi) {
  window.Manager().SetDPI(144);
  window.Manager().UpdateLayout();
  const RECT pos = palette->GetPos();
  // At 144 DPI the field is 120 high, then a 9-pixel gap and a 15-pixel bar.
  ClickAt(hwnd, POINT{pos.left, pos.top + 119});
  EXPECT_EQ(palette->GetSelectColor(), 0xFFFFFFFFu) << "still the field: its bottom is white";
  ClickAt(hwnd, POINT{pos.left, pos.top + 135});
  EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u) << "the bar's dark end";
  ClickAt(hwnd, POINT{pos.left, pos.top + 124});
  EXPECT_EQ(window.Count("colorchanged", "deng_Color_Pallet"), 2) << "a press in the gap picks nothing";
}
