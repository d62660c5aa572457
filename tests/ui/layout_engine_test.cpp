#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_window.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

// Lays out `<Window size=...>body</Window>` without a native window and returns the positions of
// the controls named c0, c1, ...
std::vector<RECT> LayOut(const std::string& size, const std::string& body, int dpi = 96) {
  CPaintManagerUI manager;
  manager.SetDPI(dpi);
  CDialogBuilder builder;
  manager.AttachDialog(
      builder.Create(("<Window size='" + size + "'>" + body + "</Window>").c_str(), nullptr, nullptr, &manager));
  manager.UpdateLayout();
  std::vector<RECT> positions;
  for (int i = 0;; ++i) {
    CControlUI* control = manager.FindControl(("c" + std::to_string(i)).c_str());
    if (!control) break;
    positions.push_back(control->GetPos());
  }
  return positions;
}

}  // namespace

TEST(LayoutEngine, LinearLayoutsShareTheRoomAsTheAttributesSay) {
  struct Case {
    const char* what;
    const char* body;
    std::vector<RECT> expected;
  };
  const Case cases[] = {
      {"fixed widths first, the flexible child takes the rest",
       "<HorizontalLayout><Control name='c0' width='50'/><Control name='c1'/><Control name='c2' width='30'/>"
       "</HorizontalLayout>",
       {{0, 0, 50, 100}, {50, 0, 170, 100}, {170, 0, 200, 100}}},
      {"two flexible children split evenly, the odd pixel going to the last",
       "<HorizontalLayout><Control name='c0'/><Control name='c1'/><Control name='c2' width='1'/></HorizontalLayout>",
       {{0, 0, 99, 100}, {99, 0, 199, 100}, {199, 0, 200, 100}}},
      {"child padding between children, inset around them",
       "<HorizontalLayout inset='10,5,10,5' childpadding='4'><Control name='c0' width='50'/><Control name='c1'/>"
       "</HorizontalLayout>",
       {{10, 5, 60, 95}, {64, 5, 190, 95}}},
      {"a child's own padding",
       "<HorizontalLayout><Control name='c0' width='50' padding='5,10,5,10'/><Control name='c1'/></HorizontalLayout>",
       {{5, 10, 55, 90}, {60, 0, 200, 100}}},
      {"a flexible child stops at its maximum and the rest is shared again",
       "<HorizontalLayout><Control name='c0' maxwidth='20'/><Control name='c1'/></HorizontalLayout>",
       {{0, 0, 20, 100}, {20, 0, 200, 100}}},
      {"a fixed height in a row is centred when asked",
       "<HorizontalLayout childvalign='vcenter'><Control name='c0' width='10' height='20'/></HorizontalLayout>",
       {{0, 40, 10, 60}}},
      {"a column stacks fixed heights and stretches widths",
       "<VerticalLayout><Control name='c0' height='30'/><Control name='c1'/><Control name='c2' height='10' "
       "width='40'/></VerticalLayout>",
       {{0, 0, 200, 30}, {0, 30, 200, 90}, {0, 90, 40, 100}}},
      {"hidden children take no room",
       "<HorizontalLayout><Control name='c0' width='50'/><Control visible='false' width='70'/>"
       "<Control name='c1'/></HorizontalLayout>",
       {{0, 0, 50, 100}, {50, 0, 200, 100}}},
      {"a floating child sits at its offset from the container's corner and takes no room",
       "<HorizontalLayout inset='10,10,10,10'><Control name='c0' float='true' pos='5,6,25,16'/>"
       "<Control name='c1'/></HorizontalLayout>",
       {{5, 6, 25, 16}, {10, 10, 190, 90}}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(LayOut("200,100", test.body), test.expected) << test.what;
  }
}

TEST(LayoutEngine, LayoutsScaleWithTheWindowDpi) {
  const char* body =
      "<HorizontalLayout inset='10,10,10,10' childpadding='4'><Control name='c0' width='50'/><Control name='c1'/>"
      "</HorizontalLayout>";
  EXPECT_EQ(LayOut("200,100", body, 144), (std::vector<RECT>{{15, 15, 90, 135}, {96, 15, 285, 135}}));
  EXPECT_EQ(LayOut("200,100", body, 192), (std::vector<RECT>{{20, 20, 120, 180}, {128, 20, 380, 180}}));
}

TEST(LayoutEngine, OnlyAcceptedDpiValuesAreTakenOthersFallBackTo96) {
  for (int dpi : {48, 72, 96, 120, 144, 168, 192}) {
    CPaintManagerUI manager;
    EXPECT_TRUE(manager.SetDPI(dpi)) << dpi;
    EXPECT_EQ(manager.GetDPI(), dpi);
  }
  for (int dpi : {0, 100, 97, 240, -96}) {
    CPaintManagerUI manager;
    manager.SetDPI(144);
    EXPECT_FALSE(manager.SetDPI(dpi)) << dpi;
    EXPECT_EQ(manager.GetDPI(), 96) << dpi;
  }
}

TEST(LayoutEngine, TabLayoutShowsOnePageAndReportsTheSwitch) {
  CPaintManagerUI manager;
  CRecordingNotifier notifier;
  manager.AddNotifier(&notifier);
  CDialogBuilder builder;
  manager.AttachDialog(
      builder.Create("<TabLayout name='tabs' selectedid='1'><Control name='p0'/><Control name='p1'/>"
                     "<Control name='p2'/></TabLayout>",
                     nullptr, nullptr, &manager));
  auto* tabs = static_cast<CTabLayoutUI*>(manager.FindControl("tabs"));
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_TRUE(manager.FindControl("p1")->IsVisible());
  EXPECT_FALSE(manager.FindControl("p0")->IsVisible());
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_TRUE(manager.FindControl("p2")->IsVisible());
  EXPECT_FALSE(manager.FindControl("p1")->IsVisible());
  EXPECT_TRUE(notifier.Saw("tabselect", "tabs"));
  notifier.seen.clear();
  tabs->SelectItem(0, false);
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_TRUE(notifier.seen.empty()) << "a selection without trigger is silent";
  EXPECT_FALSE(tabs->SelectItem(3));
  tabs->RemoveAt(0);
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_TRUE(manager.FindControl("p1")->IsVisible()) << "removing the shown page shows its successor";
}
