#include "ui/controls/combo_edit_container_element_ui.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='400,200'><VerticalLayout>"
    "<List name='actions' height='120'>"
    "<ComboEditContainerElement name='row_0' height='30'/>"
    "<ComboEditContainerElement name='row_1' height='30'/>"
    "<ComboEditContainerElement name='row_2' height='30'/>"
    "</List><Control/></VerticalLayout></Window>";

class MacroRows : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(kLayout);
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    list = static_cast<CListUI*>(window->Manager().FindControl("actions"));
  }
  void TearDown() override { DestroyWindow(*window); }

  CComboEditContainerElementUI* Row(int index) {
    return static_cast<CComboEditContainerElementUI*>(list->GetItemAt(index));
  }
  // A point on the row's first text, which lets the press through to the row.
  POINT OnRow(int index) {
    const RECT& rc = Row(index)->GetPos();
    return POINT{rc.left + 20, (rc.top + rc.bottom) / 2};
  }

  std::unique_ptr<CTestWindow> window;
  CListUI* list = nullptr;
};

}  // namespace

TEST_F(MacroRows, RowBuildsItsTextsAndDelayFromTheSkin) {
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(Row(i)->GetText1(), nullptr);
    ASSERT_NE(Row(i)->GetText2(), nullptr);
    ASSERT_NE(Row(i)->GetDelayEdit(), nullptr);
    EXPECT_NE(Row(i)->GetDelayEdit()->GetInterface("Edit"), nullptr);
  }
  EXPECT_NE(Row(0)->GetDelayEdit(), Row(1)->GetDelayEdit()) << "each row has its own parts";
}

TEST_F(MacroRows, PressSelectsAndReleaseSendsItemClick) {
  MouseMove(*window, OnRow(1));
  MouseDown(*window, OnRow(1));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_TRUE(window->Saw("itemselect", "actions"));
  EXPECT_FALSE(window->Saw("itemclick", "row_1")) << "not on the press";
  MouseUp(*window, OnRow(1));
  EXPECT_TRUE(window->Saw("itemclick", "row_1"));
}

TEST_F(MacroRows, CtrlPressTogglesTheRowInTheSelection) {
  ClickAt(*window, OnRow(0));
  ClickAt(*window, OnRow(2), MK_CONTROL);
  EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{0, 2}));
  EXPECT_TRUE(Row(2)->IsSelected());
  ClickAt(*window, OnRow(2), MK_CONTROL);
  EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{0}));
  EXPECT_FALSE(Row(2)->IsSelected());
}

TEST_F(MacroRows, EnterActivatesAndSendsReturnWhileDoubleClickDoesNothing) {
  ClickAt(*window, OnRow(1));
  ASSERT_EQ(window->Manager().GetFocus(), Row(1));
  KeyDown(*window, VK_RETURN);
  EXPECT_TRUE(window->Saw("itemactivate", "row_1"));
  EXPECT_TRUE(window->Saw("return", "row_1"));

  POINT at = OnRow(0);
  SendMessage(*window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  MouseUp(*window, at);
  EXPECT_FALSE(window->Saw("itemactivate", "row_0"));
}

TEST_F(MacroRows, HotFollowsThePointerAndTimersBecomeNotifications) {
  MouseMove(*window, OnRow(2));
  EXPECT_TRUE(Row(2)->IsHot());
  MouseMove(*window, POINT{200, 180});
  EXPECT_FALSE(Row(2)->IsHot());

  TEventUI event;
  event.Type = UIEVENT_TIMER;
  event.wParam = 42;
  Row(0)->Event(event);
  ASSERT_TRUE(window->Saw("timer", "row_0"));
  EXPECT_EQ(window->notifications.back().wParam, 42u);
}
