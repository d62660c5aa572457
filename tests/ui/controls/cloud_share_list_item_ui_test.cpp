#include "ui/controls/cloud_share_list_item_ui.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='300,200'><VerticalLayout>"
    "<List name='shared' height='100' itemhotbordercolor='#FF00FF00' bkcolor='#FF000000'>"
    "<CloudShareListItem name='share_0' height='40' menu='true'/>"
    "<CloudShareListItem name='share_1' height='40'/>"
    "</List><Control/></VerticalLayout></Window>";

class SharedRows : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(kLayout);
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    row = static_cast<CCloudShareListItemUI*>(window->Manager().FindControl("share_0"));
    ASSERT_NE(row, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }

  std::unique_ptr<CTestWindow> window;
  CCloudShareListItemUI* row = nullptr;
};

}  // namespace

TEST_F(SharedRows, HotRowIsFramedInTheListsHotBorderColour) {
  const RECT rc = row->GetPos();
  auto edge = [&] { return Render(window->Manager(), SIZE{300, 200}).pixel(rc.left + 10, rc.bottom - 1); };
  EXPECT_FALSE(NearColor(edge(), qRgb(0, 255, 0)));
  MouseMove(*window, CentreOf(row));
  EXPECT_TRUE(NearColor(edge(), qRgb(0, 255, 0)));
  MouseMove(*window, POINT{150, 190});
  EXPECT_FALSE(NearColor(edge(), qRgb(0, 255, 0)));
}

TEST_F(SharedRows, ActivationAndContextMenuNotify) {
  DoubleClick(*window, row);
  EXPECT_TRUE(window->Saw("itemactivate", "share_0"));
  TEventUI event;
  event.Type = UIEVENT_CONTEXTMENU;
  event.wParam = 0;
  event.lParam = MAKELPARAM(12, 34);
  row->Event(event);
  ASSERT_TRUE(window->Saw("menu", "share_0"));
  EXPECT_EQ(window->notifications.back().lParam, MAKELPARAM(12, 34));
  auto* plain = window->Manager().FindControl("share_1");
  event.pSender = plain;
  plain->Event(event);
  EXPECT_FALSE(window->Saw("menu", "share_1")) << "context menu not enabled";
}
