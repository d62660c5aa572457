#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/toolkit/controls/list_container_element_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='200,120'><HorizontalLayout>"
    "<List name='labels' width='100'>"
    "<ListLabelElement name='l0' text='zero'/><ListLabelElement name='l1' text='one'/>"
    "<ListLabelElement name='l2' text='two'/><ListLabelElement name='l3' text='three'/>"
    "<ListLabelElement name='l4' text='four'/><ListLabelElement name='l5' text='five'/>"
    "<ListLabelElement name='l6' text='six'/><ListLabelElement name='l7' text='seven'/>"
    "</List>"
    "<List name='rows'>"
    "<ListContainerElement name='r0' height='30'><Label name='r0_text'/></ListContainerElement>"
    "<ListContainerElement name='r1' height='30'><Label name='r1_text'/></ListContainerElement>"
    "<ListContainerElement name='r2' height='30'><Label name='r2_text'/></ListContainerElement>"
    "</List>"
    "</HorizontalLayout></Window>";

class ListTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    labels = static_cast<CListUI*>(window.Manager().FindControl("labels"));
    rows = static_cast<CListUI*>(window.Manager().FindControl("rows"));
    window.notifications.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }
  CControlUI* Find(const char* name) { return window.Manager().FindControl(name); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
  CListUI* labels = nullptr;
  CListUI* rows = nullptr;
};

}  // namespace

TEST_F(ListTest, SelectItemReportsChangesOnlyAndOnlyWhenTriggered) {
  EXPECT_TRUE(labels->SelectItem(2));
  ASSERT_EQ(window.Count("itemselect", "labels"), 1);
  EXPECT_EQ(window.notifications.back().wParam, 2u);
  EXPECT_EQ(window.notifications.back().lParam, -1);
  labels->SelectItem(2);
  EXPECT_EQ(window.Count("itemselect", "labels"), 1) << "no change, no notification";
  labels->SelectItem(3, false);
  EXPECT_EQ(labels->GetCurSel(), 3);
  EXPECT_EQ(window.Count("itemselect", "labels"), 1);
  labels->SelectItem(-1);
  EXPECT_EQ(labels->GetCurSel(), -1);
  EXPECT_FALSE(static_cast<CListLabelElementUI*>(Find("l3"))->IsSelected());
  EXPECT_FALSE(labels->SelectItem(8)) << "past the end";
}

TEST_F(ListTest, ClickSelectsAndDoubleClickActivates) {
  Click(hwnd, Find("l1"));
  EXPECT_TRUE(window.Saw("itemclick", "l1"));
  EXPECT_EQ(labels->GetCurSel(), 1);
  DoubleClick(hwnd, Find("l1"));
  EXPECT_TRUE(window.Saw("itemactivate", "l1"));
}

TEST_F(ListTest, CtrlClickOnContainerRowsBuildsAMultipleSelection) {
  Click(hwnd, Find("r0_text"));
  Click(hwnd, Find("r2_text"), MK_CONTROL);
  EXPECT_EQ(rows->GetSelectedItems(), (std::vector<int>{0, 2}));
  EXPECT_EQ(rows->GetCurSel(), 2);
  Click(hwnd, Find("r0_text"), MK_CONTROL);
  EXPECT_EQ(rows->GetSelectedItems(), (std::vector<int>{2}));
  Click(hwnd, Find("r1_text"));
  EXPECT_EQ(rows->GetSelectedItems(), (std::vector<int>{1})) << "a plain click starts over";
  EXPECT_TRUE(window.Saw("itemclick", "r1"));
}

TEST_F(ListTest, HiddenItemsKeepTheirIndex) {
  Find("l1")->SetVisible(false);
  EXPECT_TRUE(labels->SelectItem(2));
  EXPECT_EQ(labels->GetItemAt(2)->GetName(), "l2");
  EXPECT_EQ(static_cast<IListItemUI*>(Find("l4")->GetInterface("ListItem"))->GetIndex(), 4);
}

TEST_F(ListTest, RemovingTheCurrentItemSelectsItsNeighbourAsTheTriggerSays) {
  labels->SelectItem(2, false);
  labels->RemoveAt(2);
  EXPECT_EQ(labels->GetCurSel(), 2);
  EXPECT_EQ(labels->GetItemAt(2)->GetName(), "l3");
  EXPECT_EQ(window.Count("itemselect", "labels"), 1);
  labels->RemoveAt(2, false);
  EXPECT_EQ(labels->GetItemAt(2)->GetName(), "l4");
  EXPECT_EQ(labels->GetCurSel(), 2);
  EXPECT_EQ(window.Count("itemselect", "labels"), 1) << "silent when told";
  labels->RemoveAt(0, false);
  EXPECT_EQ(labels->GetCurSel(), 1) << "the selection follows its item";
  EXPECT_EQ(static_cast<IListItemUI*>(labels->GetItemAt(1)->GetInterface("ListItem"))->GetIndex(), 1);
}

TEST_F(ListTest, EnsureVisibleScrollsTheItemIntoTheList) {
  labels->EnsureVisible(7);
  window.Manager().UpdateLayout();
  EXPECT_GT(labels->GetScrollPos().cy, 0);
  EXPECT_LE(Find("l7")->GetPos().bottom, labels->GetPos().bottom);
  EXPECT_GE(Find("l7")->GetPos().top, labels->GetPos().top);
  labels->EnsureVisible(0);
  window.Manager().UpdateLayout();
  EXPECT_EQ(labels->GetScrollPos().cy, 0);
}

TEST_F(ListTest, KeysMoveTheSelection) {
  labels->SelectItem(0);
  labels->SetFocus();
  KeyDown(hwnd, VK_DOWN);
  KeyDown(hwnd, VK_DOWN);
  EXPECT_EQ(labels->GetCurSel(), 2);
  KeyDown(hwnd, VK_END);
  EXPECT_EQ(labels->GetCurSel(), 7);
}
