#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='200,200'><VerticalLayout>"
    "<Combo name='profiles' height='30'>"
    "<ListLabelElement name='p0' text='Default'/><ListLabelElement name='p1' text='FPS'/>"
    "<ListLabelElement name='p2' text='MOBA'/>"
    "</Combo><Control/></VerticalLayout></Window>";

class ComboTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    combo = static_cast<CComboUI*>(window.Manager().FindControl("profiles"));
    window.notifications.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
  CComboUI* combo = nullptr;
};

}  // namespace

TEST_F(ComboTest, SelectItemShowsTheItemsTextAndMinusOneShowsNothing) {
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetText(), "");
  combo->SelectItem(1);
  EXPECT_EQ(combo->GetText(), "FPS");
  EXPECT_EQ(window.Count("itemselect", "profiles"), 1);
  combo->SelectItem(2, false);
  EXPECT_EQ(combo->GetText(), "MOBA");
  EXPECT_EQ(window.Count("itemselect", "profiles"), 1);
  combo->SelectItem(-1);
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetText(), "");
}

TEST_F(ComboTest, HiddenItemsKeepTheirIndex) {
  combo->GetItemAt(0)->SetVisible(false);
  combo->SelectItem(1);
  EXPECT_EQ(combo->GetText(), "FPS");
  EXPECT_EQ(combo->GetItemAt(1)->GetName(), "p1");
}

TEST_F(ComboTest, DropDownListsTheItemsAndAChoiceClosesIt) {
  Click(hwnd, combo);
  HWND dropDown = combo->GetDropDownWindow();
  ASSERT_NE(dropDown, nullptr);
  CControlUI* item = combo->GetItemAt(2);
  EXPECT_NE(item->GetManager(), &window.Manager()) << "the items are in the drop-down meanwhile";
  SendMessage(dropDown, WM_MOUSEMOVE, 0, 0);  // lays the drop-down out
  Click(dropDown, item);
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_TRUE(window.Saw("itemselect", "profiles"));
  EXPECT_TRUE(PumpUntil([&] { return combo->GetDropDownWindow() == nullptr; }));
  EXPECT_EQ(item->GetManager(), &window.Manager()) << "and back afterwards";
  EXPECT_EQ(window.Manager().FindControl("p2"), item);
}

TEST_F(ComboTest, RemovingTheCurrentItemMovesTheSelectionAsTheTriggerSays) {
  combo->SelectItem(1, false);
  combo->RemoveAt(1, false);
  EXPECT_EQ(combo->GetText(), "MOBA");
  EXPECT_EQ(window.Count("itemselect", "profiles"), 0);
  combo->RemoveAt(1);
  EXPECT_EQ(combo->GetText(), "Default");
  EXPECT_EQ(window.Count("itemselect", "profiles"), 1);
}

TEST_F(ComboTest, TheWheelChangesOnlyAFocusedCombo) {
  combo->SelectItem(0, false);
  POINT centre = CentreOf(combo);
  POINT screen = centre;
  ClientToScreen(hwnd, &screen);
  auto wheelDown = [&] { SendMessage(hwnd, WM_MOUSEWHEEL, WPARAM(WORD(-120)) << 16, MAKELPARAM(screen.x, screen.y)); };
  wheelDown();
  EXPECT_EQ(combo->GetCurSel(), 0);
  combo->SetFocus();
  wheelDown();
  EXPECT_EQ(combo->GetCurSel(), 1);
}

// A combo that lists names of a bounded length keeps room for the widest of them, in its font
// and at the window's DPI.
TEST(ComboWidth, WidthSamplesMakeRoomForEachOfThemWhole) {
  CTestWindow window(
      "<Window size='700,100'><HorizontalLayout>"
      "<Combo name='names' width='60' height='30' textpadding='10,0,20,0'>"
      "<ListLabelElement text='WWWWWWWWWWWWWWWW'/><ListLabelElement text='ii'/></Combo>"
      "<Control/></HorizontalLayout></Window>");
  HWND hwnd = window.CreateHidden();
  auto* combo = static_cast<CComboUI*>(window.Manager().FindControl("names"));
  combo->SelectItem(0, false);
  window.Manager().UpdateLayout();
  EXPECT_FALSE(combo->ShowsTextWhole()) << "60 pixels are too few";

  combo->SetWidthSamples({"WWWWWWWWWWWWWWWW", "ii"});
  window.Manager().UpdateLayout();
  EXPECT_TRUE(combo->ShowsTextWhole());
  const int width = RectWidth(combo->GetPos());

  window.Manager().SetDPI(144);
  window.Manager().UpdateLayout();
  EXPECT_TRUE(combo->ShowsTextWhole()) << "measured again at the new DPI";
  EXPECT_GT(RectWidth(combo->GetPos()), width);

  combo->SetWidthSamples({"ii"});
  window.Manager().UpdateLayout();
  EXPECT_EQ(RectWidth(combo->GetPos()), 90) << "the layout's width where it is wider";
  DestroyWindow(hwnd);
}
