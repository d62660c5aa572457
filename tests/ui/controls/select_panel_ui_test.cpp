#include "ui/controls/select_panel_ui.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// Three keys on a 300 x 150 panel: key_0 at 20..60, key_1 at 100..140 (inside a row), key_2 at
// 200..240, all 20..60 high. The keys let clicks through so the panel gets the drag.
constexpr const char* kLayout =
    "<Window size='320,200' selectedcolor='#FF00FF00'><VerticalLayout>"
    "<SelectPanel name='keys' float='true' pos='0,0,300,150' bkcolor='#FF000000'>"
    "<DeviceKeyButton name='key_0' float='true' pos='20,20,60,60' mouse='false'/>"
    "<HorizontalLayout float='true' pos='80,0,180,100' mouse='false'>"
    "<DeviceKeyButton name='key_1' float='true' pos='20,20,60,60' mouse='false'/></HorizontalLayout>"
    "<DeviceKeyButton name='key_2' float='true' pos='200,20,240,60' mouse='false'/>"
    "<Button name='not_a_key' float='true' pos='200,100,240,140' mouse='false'/>"
    "</SelectPanel></VerticalLayout></Window>";

class RubberBand : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(kLayout);
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    panel = static_cast<CSelectPanelUI*>(window->Manager().FindControl("keys"));
    ASSERT_NE(panel, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }

  CDeviceKeyButtonUI* Key(int index) {
    return static_cast<CDeviceKeyButtonUI*>(
        window->Manager().FindControl(("key_" + std::to_string(index)).c_str())->GetInterface("DeviceKeyButton"));
  }
  std::vector<bool> Selection() { return {Key(0)->IsSelected(), Key(1)->IsSelected(), Key(2)->IsSelected()}; }

  std::unique_ptr<CTestWindow> window;
  CSelectPanelUI* panel = nullptr;
};

}  // namespace

TEST_F(RubberBand, ClickWithoutMovingSelectsNothingAndSendsNothing) {
  Key(2)->SetSelected(true);
  ClickAt(*window, POINT{40, 40});
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true})) << "the earlier selection stays";
  EXPECT_FALSE(window->Saw("click_select_end", "keys"));
}

TEST_F(RubberBand, DragSelectsExactlyTheKeysItTouches) {
  struct Case {
    const char* what;
    POINT from;
    POINT to;
    std::vector<bool> selected;
  };
  const Case cases[] = {
      {"over the first two keys", {10, 10}, {110, 70}, {true, true, false}},
      {"drawn backwards", {110, 70}, {10, 10}, {true, true, false}},
      {"ending exactly on the left edge of key_2", {150, 30}, {200, 40}, {false, false, true}},
      {"starting exactly on the right edge of key_0", {60, 80}, {90, 30}, {true, false, false}},
      {"over empty panel only", {150, 80}, {190, 140}, {false, false, false}},
  };
  int ends = 0;
  for (const Case& test : cases) {
    DragFromTo(*window, test.from, test.to);
    EXPECT_EQ(Selection(), test.selected) << test.what;
    EXPECT_EQ(window->Count("click_select_end", "keys"), ++ends) << test.what;
  }
}

TEST_F(RubberBand, BandIsDrawnWhileDraggingInTheWindowsSelectedColour) {
  MouseMove(*window, POINT{150, 80});
  MouseDown(*window, POINT{150, 80});
  MouseMove(*window, POINT{280, 140}, MK_LBUTTON);
  ASSERT_TRUE(panel->IsDragging());
  EXPECT_EQ(panel->GetSelectionRect(), (RECT{150, 80, 280, 140}));
  QImage image = Render(window->Manager(), SIZE{320, 200});
  EXPECT_TRUE(NearColor(image.pixel(150, 100), qRgb(0, 255, 0))) << "the band's outline";
  QRgb inside = image.pixel(170, 90);
  EXPECT_GT(qGreen(inside), 20) << "a tinted fill";
  EXPECT_LT(qGreen(inside), 200);
  MouseUp(*window, POINT{280, 140});
  EXPECT_FALSE(panel->IsDragging());
  image = Render(window->Manager(), SIZE{320, 200});
  EXPECT_TRUE(NearColor(image.pixel(150, 100), qRgb(0, 0, 0))) << "gone after the release";
}

TEST_F(RubberBand, DisabledPanelIgnoresTheDrag) {
  panel->SetEnabled(false);
  DragFromTo(*window, POINT{10, 10}, POINT{110, 70});
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
  EXPECT_FALSE(window->Saw("click_select_end", "keys"));
}
