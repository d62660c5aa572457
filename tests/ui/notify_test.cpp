#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "test_window.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/vertical_layout_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='200,100'><VerticalLayout name='root'>"
    "<Button name='plain' height='30'/>"
    "<HorizontalLayout virtualwnd='mainpage' height='30'><Button name='paged'/></HorizontalLayout>"
    "</VerticalLayout></Window>";

// The second notification sink: records what the virtual window hands it.
class CPagePump : public CNotifyPump {
 public:
  std::vector<std::string> seen;

 protected:
  bool LoopDispatch(TNotifyUI& msg) override {
    seen.push_back(msg.sType.str() + ":" + msg.pSender->GetName().str());
    return true;
  }
};

class CConsumingFilter : public IMessageFilterUI {
 public:
  UINT consume = 0;
  std::vector<UINT> seen;
  LRESULT MessageHandler(UINT uMsg, WPARAM, LPARAM, bool& bHandled) override {
    seen.push_back(uMsg);
    bHandled = uMsg == consume;
    return 0;
  }
};

class NotifyTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    window.notifications.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }
  CControlUI* Find(const char* name) { return window.Manager().FindControl(name); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
};

}  // namespace

TEST_F(NotifyTest, VirtualWindowControlsReachTheirOwnPump) {
  CPagePump page;
  window.AddVirtualWnd("mainpage", &page);
  Click(hwnd, Find("paged"));
  Click(hwnd, Find("plain"));
  EXPECT_EQ(page.seen, (std::vector<std::string>{"setfocus:paged", "click:paged", "killfocus:paged"}));
  EXPECT_TRUE(window.Saw("click", "plain")) << "the window still gets everything (its Notify pumps)";
  window.RemoveVirtualWnd("mainpage");
  Click(hwnd, Find("paged"));
  EXPECT_EQ(page.seen.size(), 3u);
}

TEST_F(NotifyTest, AsyncNotificationsArriveLaterAndNotForDeletedSenders) {
  auto* root = static_cast<CVerticalLayoutUI*>(Find("root"));
  auto* doomed = new CLabelUI;
  doomed->SetName("doomed");
  root->Add(doomed);
  window.Manager().SendNotify(Find("plain"), "later", 0, 0, true);
  window.Manager().SendNotify(doomed, "later", 0, 0, true);
  EXPECT_FALSE(window.Saw("later", "plain"));
  root->SetDelayedDestroy(false);
  root->Remove(doomed);
  PumpUiEvents();
  EXPECT_TRUE(window.Saw("later", "plain"));
  EXPECT_FALSE(window.Saw("later", "doomed"));
}

TEST_F(NotifyTest, ControlHandlersRunFirstAndMayStopTheNotification) {
  std::vector<std::string> order;
  Find("plain")->AddNotifyHandler([&](TNotifyUI& msg) {
    order.push_back("handler " + msg.sType.str());
    return msg.sType != "click";
  });
  window.onNotify = [&](TNotifyUI& msg) { order.push_back("window " + msg.sType.str()); };
  Click(hwnd, Find("plain"));
  EXPECT_EQ(order, (std::vector<std::string>{"handler setfocus", "window setfocus", "handler click"}));
}

TEST_F(NotifyTest, MessageFiltersSeeMessagesFirstAndMayConsumeThem) {
  CConsumingFilter filter;
  filter.consume = WM_LBUTTONDOWN;
  window.Manager().AddMessageFilter(&filter);
  Click(hwnd, Find("plain"));
  EXPECT_FALSE(window.Saw("click", "plain")) << "the press never reached the button";
  window.Manager().RemoveMessageFilter(&filter);
  Click(hwnd, Find("plain"));
  EXPECT_TRUE(window.Saw("click", "plain"));
}

TEST_F(NotifyTest, EscapeIsConsumedByTheDefaultKeyResponseAndEnterIsNot) {
  CConsumingFilter filter;
  window.Manager().AddMessageFilter(&filter);
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(HostWidgetOf(hwnd), &press);
  }
  int keyDowns = int(std::count(filter.seen.begin(), filter.seen.end(), WM_KEYDOWN));
  EXPECT_EQ(keyDowns, 1) << "only Enter got past the window's pre-filter";
  window.Manager().RemoveMessageFilter(&filter);
}
