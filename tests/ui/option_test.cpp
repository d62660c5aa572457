#include <gtest/gtest.h>

#include <QImage>

#include "test_window.h"
#include "ui/toolkit/controls/check_box_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='200,100'><VerticalLayout>"
    "<HorizontalLayout height='30'>"
    "<Option name='tab_a' group='tabs' bindtablayoutname='pages' bindtabindex='0'/>"
    "<Option name='tab_b' group='tabs' bindtablayoutname='pages' bindtabindex='1' selected='true' "
    "selectedbkcolor='#FF00FF00'/>"
    "<CheckBox name='check'/>"
    "</HorizontalLayout>"
    "<TabLayout name='pages'><Control name='page_a'/><Control name='page_b'/></TabLayout>"
    "</VerticalLayout></Window>";

class OptionTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    a = static_cast<COptionUI*>(window.Manager().FindControl("tab_a"));
    b = static_cast<COptionUI*>(window.Manager().FindControl("tab_b"));
    pages = static_cast<CTabLayoutUI*>(window.Manager().FindControl("pages"));
    window.notifications.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
  COptionUI* a = nullptr;
  COptionUI* b = nullptr;
  CTabLayoutUI* pages = nullptr;
};

}  // namespace

TEST_F(OptionTest, ASelectedOptionInTheLayoutShowsItsBoundPage) {
  EXPECT_TRUE(b->IsSelected());
  EXPECT_EQ(pages->GetCurSel(), 1);
}

TEST_F(OptionTest, UserClickSelectsWithinTheGroupAndReportsEveryStep) {
  Click(hwnd, a);
  EXPECT_TRUE(a->IsSelected());
  EXPECT_FALSE(b->IsSelected());
  EXPECT_EQ(pages->GetCurSel(), 0);
  std::vector<std::string> seen;
  for (const SeenNotify& n : window.notifications) {
    if (n.type != "setfocus" && n.type != "killfocus" && n.type != "tabselect") seen.push_back(n.type + ":" + n.sender);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"click:tab_a", "selectchanged:tab_b", "selectchanged:tab_a",
                                            "checkclick:tab_a"}));
  window.notifications.clear();
  Click(hwnd, a);
  EXPECT_TRUE(a->IsSelected()) << "a grouped option stays selected when clicked again";
  EXPECT_FALSE(window.Saw("selectchanged", "tab_a"));
}

TEST_F(OptionTest, SelectingFromCodeCanBeSilent) {
  a->Selected(true, false);
  EXPECT_TRUE(a->IsSelected());
  EXPECT_FALSE(b->IsSelected());
  EXPECT_TRUE(window.notifications.empty());
  b->Selected(true);
  EXPECT_TRUE(window.Saw("selectchanged", "tab_b"));
  EXPECT_TRUE(window.Saw("selectchanged", "tab_a"));
}

TEST_F(OptionTest, CheckBoxWithoutGroupToggles) {
  auto* check = static_cast<CCheckBoxUI*>(window.Manager().FindControl("check"));
  Click(hwnd, check);
  EXPECT_TRUE(check->GetCheck());
  Click(hwnd, check);
  EXPECT_FALSE(check->GetCheck());
  EXPECT_EQ(window.Count("selectchanged", "check"), 2);
  EXPECT_TRUE(b->IsSelected()) << "other options are not affected";
}

TEST_F(OptionTest, SelectedColourIsPainted) {
  QImage image = RenderToImage(window.Manager());
  POINT centre = CentreOf(b);
  EXPECT_EQ(image.pixel(centre.x, centre.y), qRgb(0, 255, 0));
  a->Selected(true);
  image = RenderToImage(window.Manager());
  EXPECT_NE(image.pixel(centre.x, centre.y), qRgb(0, 255, 0));
}
