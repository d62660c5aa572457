#include <gtest/gtest.h>

#include <QWidget>

#include "test_window.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

class WindowTest : public testing::Test {
 protected:
  void SetUp() override { UseFixtureSkin(); }
};

}  // namespace

TEST_F(WindowTest, LayoutWindowInitialisesAndSendsWindowInitOnce) {
  CTestWindow window("XML_TEST");
  ASSERT_NE(window.CreateHidden(), nullptr);
  EXPECT_NE(window.Manager().FindControl("closebtn"), nullptr) << "the tree exists by InitWindow";
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client, (RECT{0, 0, 300, 200})) << "the layout's size wins";
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_TRUE(PumpUntil([&] { return window.Saw("windowinit", "root"); }));
  PumpUiEvents();
  EXPECT_EQ(window.Count("windowinit", "root"), 1);
  DestroyWindow(window);
}

TEST_F(WindowTest, FailedLayoutMeansNoWindow) {
  int finals = 0;
  CTestWindow window("layouts/missing.xml");
  window.finalMessageCounter = &finals;
  EXPECT_EQ(window.CreateHidden(), nullptr);
  EXPECT_EQ(finals, 1) << "the half-made window went through its final message";
}

TEST_F(WindowTest, ClicksReachTheWindowByTypeAndName) {
  CTestWindow window("XML_TEST");
  window.CreateHidden();
  window.Manager().UpdateLayout();
  Click(window, window.Manager().FindControl("action"));
  EXPECT_TRUE(window.Saw("click", "action"));
  EXPECT_TRUE(window.Saw("setfocus", "action"));
  DestroyWindow(window);
}

TEST_F(WindowTest, CaptionButtonsCloseOnlyWhenTheWindowDidNotHandleThem) {
  int finals = 0;
  auto* refusing = new CTestWindow("XML_TEST");
  refusing->finalMessageCounter = &finals;
  refusing->deleteOnFinalMessage = true;
  refusing->onNotify = [](TNotifyUI& msg) {
    if (msg.sType == "click" && msg.pSender->GetName() == "closebtn") msg.bHandled = true;
  };
  HWND hwnd = refusing->CreateHidden();
  refusing->Manager().UpdateLayout();
  Click(hwnd, refusing->Manager().FindControl("closebtn"));
  PumpUiEvents();
  EXPECT_TRUE(IsWindow(hwnd)) << "the window's own handler took the click";
  refusing->onNotify = nullptr;
  Click(hwnd, refusing->Manager().FindControl("closebtn"));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }));
  EXPECT_EQ(finals, 1);
}

TEST_F(WindowTest, WindowManagerCloseIsTheSystemCommandAndMayBeRefused) {
  CTestWindow window("XML_TEST");
  HWND hwnd = window.CreateHidden();
  window.refuseSystemClose = true;
  HostWidgetOf(hwnd)->close();
  PumpUiEvents();
  EXPECT_TRUE(IsWindow(hwnd));
  window.refuseSystemClose = false;
  HostWidgetOf(hwnd)->close();
  PumpUiEvents();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowTest, ModalLoopReturnsTheCloseResultAndDisablesTheOwner) {
  CTestWindow owner("XML_TEST");
  HWND ownerHwnd = owner.CreateHidden();
  CTestWindow dialog("XML_TEST");
  dialog.CreateHidden(ownerHwnd);
  bool ownerDisabledMeanwhile = false;
  int ticks = 0;
  // Timers keep running inside the modal loop; the dialog closes itself on the third tick.
  owner.onMessage = [&](UINT msg, WPARAM id, LPARAM, bool& handled) -> LRESULT {
    handled = msg == WM_TIMER;
    if (msg == WM_TIMER && id == 9 && ++ticks == 3) {
      ownerDisabledMeanwhile = !IsWindowEnabled(ownerHwnd);
      KillTimer(ownerHwnd, 9);
      dialog.Close(7);
    }
    return 0;
  };
  SetTimer(ownerHwnd, 9, 5);
  EXPECT_EQ(dialog.ShowModal(), 7u);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(ownerHwnd));
  EXPECT_EQ(ticks, 3);
  DestroyWindow(ownerHwnd);
}

TEST_F(WindowTest, QuitInsideNestedModalLoopsEndsThemAndTheMessageLoop) {
  CTestWindow main("XML_TEST");
  HWND mainHwnd = main.CreateHidden();
  std::vector<std::string> order;
  PostMessage(mainHwnd, WM_USER + 5);
  main.onMessage = [&](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
    handled = msg == WM_USER + 5;
    if (!handled) return 0;
    CTestWindow first("XML_TEST");
    first.CreateHidden(mainHwnd);
    CTestWindow second("XML_TEST");
    second.CreateHidden(first);
    second.onMessage = [&](UINT inner, WPARAM, LPARAM, bool& innerHandled) -> LRESULT {
      innerHandled = inner == WM_USER + 6;
      if (innerHandled) PostQuitMessage(0);
      return 0;
    };
    PostMessage(second, WM_USER + 6);
    // The inner loop is started from inside the outer one, as a dialog opening another does.
    PostMessage(first, WM_USER + 7);
    first.onMessage = [&](UINT inner, WPARAM, LPARAM, bool& innerHandled) -> LRESULT {
      innerHandled = inner == WM_USER + 7;
      if (innerHandled) {
        second.ShowModal();
        order.push_back("inner ended");
      }
      return 0;
    };
    first.ShowModal();
    order.push_back("outer ended");
    return 0;
  };
  CPaintManagerUI::MessageLoop();
  order.push_back("message loop ended");
  EXPECT_EQ(order, (std::vector<std::string>{"inner ended", "outer ended", "message loop ended"}));
  DestroyWindow(mainHwnd);
}

TEST_F(WindowTest, SetDpiRescalesTheWindowAndItsControls) {
  CTestWindow window("XML_TEST");
  HWND hwnd = window.CreateHidden();
  window.Manager().UpdateLayout();
  EXPECT_EQ(window.Manager().FindControl("closebtn")->GetPos(), (RECT{270, 0, 300, 30}));
  EXPECT_TRUE(window.Manager().SetDPI(144));
  window.Manager().UpdateLayout();
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client, (RECT{0, 0, 450, 300}));
  EXPECT_EQ(window.Manager().FindControl("closebtn")->GetPos(), (RECT{405, 0, 450, 45}));
  CPaintManagerUI::SetAllDPI(96);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client, (RECT{0, 0, 300, 200}));
  DestroyWindow(hwnd);
}

TEST(WindowMessages, RegisteredMessagesShareOneIdPerName) {
  UINT app = RegisterWindowMessage("Kestrune T640");
  EXPECT_GE(app, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("kestrune t640"), app);
  EXPECT_NE(RegisterWindowMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}"), app);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST(WindowMessages, StaleHandlesAddressNothing) {
  CTestWindow window("XML_TEST");
  UseFixtureSkin();
  HWND hwnd = window.CreateHidden();
  DestroyWindow(hwnd);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(PostMessage(hwnd, WM_USER));
  EXPECT_EQ(SendMessage(hwnd, WM_USER), 0);
  CTestWindow later("XML_TEST");
  EXPECT_NE(later.CreateHidden(), hwnd) << "handles are not reused";
  DestroyWindow(later);
}

TEST_F(WindowTest, CenterWindowCentresOverTheOwnerOrTheScreen) {
  CTestWindow owner("XML_TEST");
  HWND ownerHwnd = owner.CreateHidden();
  MoveWindow(ownerHwnd, 100, 100, 400, 300);
  ShowWindow(ownerHwnd, SW_SHOW);
  CTestWindow dialog("<Window size='100,50'><Control/></Window>");
  HWND dialogHwnd = dialog.CreateHidden(ownerHwnd);
  dialog.CenterWindow();
  RECT rc;
  GetWindowRect(dialogHwnd, &rc);
  EXPECT_EQ(rc, (RECT{250, 225, 350, 275}));
  ShowWindow(ownerHwnd, SW_HIDE);
  dialog.CenterWindow();
  RECT work;
  GetMonitorRect(dialogHwnd, nullptr, &work);
  GetWindowRect(dialogHwnd, &rc);
  EXPECT_EQ(rc.left, work.left + (RectWidth(work) - 100) / 2) << "a hidden owner: the monitor";
  DestroyWindow(ownerHwnd);
  EXPECT_FALSE(IsWindow(dialogHwnd)) << "owned windows go with their owner";
}

TEST(PrivateFonts, FontFilesLoadByPathAndMissingOnesAreReported) {
  EXPECT_EQ(CPaintManagerUI::LoadPrivateFont("/no/such/font.ttf"), -1);
  int handle = CPaintManagerUI::LoadPrivateFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  if (handle < 0) GTEST_SKIP() << "no system font to load";
  CPaintManagerUI::UnloadPrivateFont(handle);
}
