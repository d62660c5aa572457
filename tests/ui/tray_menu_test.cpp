#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "test_window.h"
#include "ui/toolkit/controls/menu_element_ui.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/tray_icon.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

class TrayAndMenu : public testing::Test {
 protected:
  void SetUp() override {
    UseFixtureSkin();
    hwnd = main.CreateHidden();
    main.onMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
      handled = msg == WM_MENUCLICK || msg == UIMSG_TRAYICON;
      if (msg == WM_MENUCLICK) {
        auto* command = reinterpret_cast<MenuCmd*>(wParam);
        chosen.push_back(*command);
        CPaintManagerUI::DeletePtr(command);
      } else if (msg == UIMSG_TRAYICON) {
        trayMouse.push_back(UINT(lParam));
      }
      return 0;
    };
  }
  void TearDown() override { DestroyWindow(hwnd); }

  CMenuWnd* OpenMenu(POINT at, DWORD alignment) {
    auto* menu = new CMenuWnd;
    menu->SetOwnerSlot(&openMenu);
    openMenu = menu;
    EXPECT_TRUE(menu->Init("XML_MENU", at, &main.Manager(), alignment));
    menu->GetPaintManager()->UpdateLayout();
    return menu;
  }
  CControlUI* Item(const char* name) { return openMenu->GetPaintManager()->FindControl(name); }

  CTestWindow main{"XML_TEST"};
  HWND hwnd = nullptr;
  CMenuWnd* openMenu = nullptr;
  std::vector<MenuCmd> chosen;
  std::vector<UINT> trayMouse;
};

}  // namespace

TEST_F(TrayAndMenu, TrayClicksArriveAsTheCallbackMessageWithTheMouseMessage) {
  CTrayIcon tray;
  bool created = tray.CreateTrayIcon(hwnd, 107, "T640");
  EXPECT_EQ(created, CTrayIcon::IsTrayAvailable()) << "no tray, no icon, and the caller is told";
  tray.NotifyActivated(WM_LBUTTONUP);
  tray.NotifyActivated(WM_RBUTTONUP);
  PumpUiEvents();
  EXPECT_EQ(trayMouse, (std::vector<UINT>{WM_LBUTTONUP, WM_RBUTTONUP}));
  EXPECT_EQ(tray.GetTooltipText(), "T640");
  tray.DeleteTrayIcon();
  EXPECT_FALSE(tray.NotifyActivated(WM_LBUTTONUP));
}

TEST_F(TrayAndMenu, ChoosingAnItemPostsItsRecordAndClosesTheMenu) {
  OpenMenu(POINT{100, 100}, eMenuAlignment_Left | eMenuAlignment_Top);
  HWND menuHwnd = openMenu->GetHWND();
  Click(menuHwnd, Item("game_mode"));
  ASSERT_TRUE(PumpUntil([&] { return !chosen.empty(); }));
  EXPECT_EQ(chosen[0].szName, "game_mode");
  EXPECT_EQ(chosen[0].szText, "Game mode");
  EXPECT_TRUE(chosen[0].bChecked) << "a check item toggles when chosen";
  EXPECT_TRUE(PumpUntil([&] { return openMenu == nullptr; })) << "the menu went and cleared the slot";
  EXPECT_FALSE(IsWindow(menuHwnd));
}

TEST_F(TrayAndMenu, DisabledItemsCannotBeChosenAndEscapeCloses) {
  OpenMenu(POINT{100, 100}, eMenuAlignment_Left | eMenuAlignment_Top);
  Click(openMenu->GetHWND(), Item("disabled_item"));
  PumpUiEvents();
  EXPECT_TRUE(chosen.empty());
  ASSERT_NE(openMenu, nullptr);
  // As the keyboard delivers it: through the window's pre-filters.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(HostWidgetOf(openMenu->GetHWND()), &escape);
  EXPECT_TRUE(PumpUntil([&] { return openMenu == nullptr; }));
  EXPECT_TRUE(chosen.empty());
}

TEST_F(TrayAndMenu, AlignmentPlacesTheMenuAroundThePoint) {
  struct Case {
    DWORD alignment;
    bool leftAtPoint;
    bool topAtPoint;
  };
  const Case cases[] = {
      {eMenuAlignment_Left | eMenuAlignment_Top, true, true},
      {eMenuAlignment_Right | eMenuAlignment_Top, false, true},
      {eMenuAlignment_Left | eMenuAlignment_Bottom, true, false},
      {eMenuAlignment_Right | eMenuAlignment_Bottom, false, false},
  };
  for (const Case& test : cases) {
    OpenMenu(POINT{400, 300}, test.alignment);
    RECT rc;
    ASSERT_TRUE(GetWindowRect(openMenu->GetHWND(), &rc));
    EXPECT_EQ(test.leftAtPoint ? rc.left : rc.right, 400) << test.alignment;
    EXPECT_EQ(test.topAtPoint ? rc.top : rc.bottom, 300) << test.alignment;
    EXPECT_EQ(RectHeight(rc), 4 + 4 * 28) << "as tall as its rows";
    openMenu->DestroyMenu();
    ASSERT_TRUE(PumpUntil([&] { return openMenu == nullptr; }));
  }
}
