#include "ui/controls/hand_img_button_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// A 120 x 80 picture button at 20,20; its badge images are solid colours.
std::string Layout() {
  return "<Window size='300,200'><VerticalLayout>"
         "<HandImgButton name='pic' float='true' pos='20,20,140,100' handimage='" +
         FixturePath("images/halves.png") + "' deletenormalimage='" + FixturePath("images/dot.svg") +
         "' deletehotimage='" + FixturePath("images/red.png") + "'/>"
         "</VerticalLayout></Window>";
}

POINT CentreOfRect(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

class PictureButton : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(Layout());
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    button = static_cast<CHandImgButtonUI*>(window->Manager().FindControl("pic"));
    ASSERT_NE(button, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }

  std::unique_ptr<CTestWindow> window;
  CHandImgButtonUI* button = nullptr;
};

}  // namespace

TEST(PictureButtonBadge, SitsTenFromTheRightAndNineFromTheBottomScaledByDpi) {
  UseShippedSkin();
  struct Case {
    int dpi;
    RECT badge;
  };
  const Case cases[] = {
      {96, RECT{110, 71, 130, 91}},
      {144, RECT{165, 106, 195, 136}},
      {192, RECT{220, 142, 260, 182}},
  };
  for (const Case& test : cases) {
    CPaintManagerUI manager;
    manager.SetDPI(test.dpi);
    BuildInto(manager, Layout());
    manager.UpdateLayout();
    auto* button = static_cast<CHandImgButtonUI*>(manager.FindControl("pic"));
    EXPECT_EQ(button->GetBadgeRect(), test.badge) << test.dpi << " DPI";
  }
}

TEST_F(PictureButton, ClickOnTheEnabledBadgeDeletesInsteadOfClicking) {
  button->EnableDeleteBadge(true);
  ClickAt(*window, CentreOfRect(button->GetBadgeRect()));
  EXPECT_TRUE(window->Saw("click_handdelete", "pic"));
  EXPECT_FALSE(window->Saw("click", "pic"));
  EXPECT_EQ(button->GetButtonState() & (UISTATE_PUSHED | UISTATE_CAPTURED), 0u);
}

TEST_F(PictureButton, ClickOnTheBadgeWhileItIsOffIsAPlainClick) {
  ASSERT_FALSE(button->IsDeleteBadgeEnabled()) << "the badge starts disabled";
  ClickAt(*window, CentreOfRect(button->GetBadgeRect()));
  EXPECT_TRUE(window->Saw("click", "pic"));
  EXPECT_FALSE(window->Saw("click_handdelete", "pic"));
}

TEST_F(PictureButton, ClickBesideTheBadgeClicks) {
  button->EnableDeleteBadge(true);
  ClickAt(*window, POINT{40, 40});
  EXPECT_TRUE(window->Saw("click", "pic"));
  EXPECT_FALSE(window->Saw("click_handdelete", "pic"));
}

TEST_F(PictureButton, PressThenLeaveReleasesWithoutClicking) {
  MouseMove(*window, POINT{40, 40});
  MouseDown(*window, POINT{40, 40});
  EXPECT_TRUE(button->GetButtonState() & UISTATE_PUSHED);
  MouseMove(*window, POINT{200, 150}, MK_LBUTTON);
  EXPECT_FALSE(button->GetButtonState() & UISTATE_PUSHED) << "pushed follows the pointer while captured";
  MouseUp(*window, POINT{200, 150});
  EXPECT_FALSE(window->Saw("click", "pic"));
}

TEST_F(PictureButton, EnteringAndLeavingNotifyAndSwitchTheBadgeImage) {
  MouseMove(*window, POINT{40, 40});
  EXPECT_TRUE(window->Saw("msenter", "pic"));
  EXPECT_EQ(button->GetCurrentBadgeImage(), FixturePath("images/dot.svg"));
  MouseMove(*window, CentreOfRect(button->GetBadgeRect()));
  EXPECT_EQ(button->GetCurrentBadgeImage(), FixturePath("images/red.png")) << "the hot image under the pointer";
  MouseMove(*window, POINT{250, 150});
  EXPECT_TRUE(window->Saw("msleave", "pic"));
}

TEST_F(PictureButton, BadgeIsDrawnOnlyWhileHotAndEnabled) {
  auto badgePixel = [&] {
    QImage image = Render(window->Manager(), SIZE{300, 200});
    POINT at = CentreOfRect(button->GetBadgeRect());
    return image.pixel(at.x, at.y);
  };
  const QRgb hotBadge = qRgb(255, 0, 0);
  button->EnableDeleteBadge(true);
  EXPECT_FALSE(NearColor(badgePixel(), hotBadge)) << "not hot";
  MouseMove(*window, CentreOfRect(button->GetBadgeRect()));
  EXPECT_TRUE(NearColor(badgePixel(), hotBadge));
  button->EnableDeleteBadge(false);
  EXPECT_FALSE(NearColor(badgePixel(), hotBadge)) << "badge disabled";
}
