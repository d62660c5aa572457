#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/toolkit/controls/progress_ui.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// A 112-pixel track with a 12-pixel thumb leaves 100 pixels for 0..100.
constexpr const char* kLayout =
    "<Window size='112,60'><VerticalLayout>"
    "<Slider name='DPI_slider_2' height='20' min='0' max='100' value='50' thumbsize='12,12'/>"
    "<Progress name='bar' height='20' min='10' max='20' value='15'/>"
    "</VerticalLayout></Window>";

class SliderTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    slider = static_cast<CSliderUI*>(window.Manager().FindControl("DPI_slider_2"));
    window.notifications.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }
  std::vector<int> Values(const std::string& type) {
    std::vector<int> values;
    for (const SeenNotify& n : window.notifications) {
      if (n.type == type && n.sender == "DPI_slider_2") values.push_back(int(n.wParam));
    }
    return values;
  }
  LPARAM At(int x) { return MAKELPARAM(x, 10); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
  CSliderUI* slider = nullptr;
};

}  // namespace

TEST_F(SliderTest, DraggingReportsEachMoveAndTheReleaseOnce) {
  RECT thumb = slider->GetThumbRect();
  EXPECT_EQ(thumb.left, 50);
  SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(56));
  SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(66));
  SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(66));
  SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(86));
  SendMessage(hwnd, WM_LBUTTONUP, 0, At(86));
  EXPECT_EQ(Values("movevaluechanged"), (std::vector<int>{60, 80})) << "only new values";
  EXPECT_EQ(Values("valuechanged"), (std::vector<int>{80}));
  EXPECT_EQ(slider->GetValue(), 80);
}

TEST_F(SliderTest, ClickOnTheTrackMovesTheThumbThereAndDragsBeyondClamp) {
  SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(16));
  EXPECT_EQ(slider->GetValue(), 10);
  SendMessage(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(500));
  SendMessage(hwnd, WM_LBUTTONUP, 0, At(500));
  EXPECT_EQ(slider->GetValue(), 100);
  EXPECT_EQ(Values("valuechanged"), (std::vector<int>{100}));
}

TEST_F(SliderTest, ValuesFromCodeAreClampedAndSilent) {
  slider->SetValue(150);
  EXPECT_EQ(slider->GetValue(), 100);
  slider->SetValue(-5);
  EXPECT_EQ(slider->GetValue(), 0);
  EXPECT_TRUE(window.notifications.empty());
  auto* bar = static_cast<CProgressUI*>(window.Manager().FindControl("bar"));
  EXPECT_EQ(bar->GetValue(), 15);
  bar->SetValue(99);
  EXPECT_EQ(bar->GetValue(), 20);
}

TEST_F(SliderTest, ArrowKeysStepAndReport) {
  slider->SetChangeStep(5);
  slider->SetFocus();
  KeyDown(hwnd, VK_RIGHT);
  KeyDown(hwnd, VK_RIGHT);
  KeyDown(hwnd, VK_LEFT);
  EXPECT_EQ(slider->GetValue(), 55);
  EXPECT_EQ(Values("valuechanged"), (std::vector<int>{55, 60, 55}));
}
