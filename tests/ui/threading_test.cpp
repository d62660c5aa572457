#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/event.h"
#include "test_window.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/vertical_layout_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr UINT kDouble = WM_USER + 10;

class UiThreading : public testing::Test {
 protected:
  void SetUp() override {
    UseFixtureSkin();
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
    uiThread = std::this_thread::get_id();
    window.onMessage = [this](UINT msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
      handled = msg == kDouble;
      if (!handled) return 0;
      handledOnUiThread = handledOnUiThread && std::this_thread::get_id() == uiThread;
      received.push_back(int(wParam));
      return LRESULT(wParam * 2);
    };
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }

  CTestWindow window{"XML_TEST"};
  HWND hwnd = nullptr;
  std::thread::id uiThread;
  bool handledOnUiThread = true;
  std::vector<int> received;
};

}  // namespace

TEST_F(UiThreading, SendMessageFromAWorkerWaitsForTheUiThreadsAnswer) {
  std::atomic<bool> done{false};
  LRESULT answer = 0;
  std::thread worker([&] {
    answer = SendMessage(hwnd, kDouble, 21);
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(answer, 42);
  EXPECT_TRUE(handledOnUiThread);
}

TEST_F(UiThreading, SendMessageToAWindowThatGoesAwayReturnsZeroInsteadOfHanging) {
  CEvent aboutToSend(true);
  LRESULT answer = -1;
  std::thread worker([&] {
    aboutToSend.Set();
    answer = SendMessage(hwnd, kDouble, 5);
  });
  aboutToSend.Wait(kInfiniteWait);
  // Whether the request was already queued or not, destroying the window answers it.
  DestroyWindow(hwnd);
  worker.join();
  EXPECT_EQ(answer, 0);
  PumpUiEvents();
  EXPECT_TRUE(received.empty());
}

TEST_F(UiThreading, PostedMessagesArriveInOrderOnTheUiThread) {
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) PostMessage(hwnd, kDouble, WPARAM(i));
  });
  worker.join();
  EXPECT_TRUE(PumpUntil([&] { return received.size() == 50; }));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(received[size_t(i)], i);
  EXPECT_TRUE(handledOnUiThread);
}

TEST_F(UiThreading, ControlTimersRequestedFromAWorkerFireOnTheUiThread) {
  CControlUI* label = window.Manager().FindControl("title_label");
  std::thread([&] { window.Manager().SetTimer(label, 1001, 5); }).join();
  EXPECT_TRUE(PumpUntil([&] { return window.Count("timer", "title_label") >= 2; }));
  EXPECT_EQ(window.notifications.back().wParam, 1001u);
  std::thread([&] { window.Manager().KillTimer(label, 1001); }).join();
  PumpUiEvents();
  int count = window.Count("timer", "title_label");
  PumpUntil([] { return false; }, 40);
  EXPECT_EQ(window.Count("timer", "title_label"), count) << "killed from the worker too";
}

TEST_F(UiThreading, WindowTimersRequestedFromAWorkerArriveAsWmTimer) {
  int ticks = 0;
  window.onMessage = [&](UINT msg, WPARAM id, LPARAM, bool& handled) -> LRESULT {
    handled = msg == WM_TIMER && id == 1011;
    if (handled && ++ticks == 1) KillTimer(hwnd, 1011);
    return 0;
  };
  std::thread([&] { SetTimer(hwnd, 1011, 5); }).join();
  EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }));
  PumpUntil([] { return false; }, 30);
  EXPECT_EQ(ticks, 1);
}

TEST_F(UiThreading, ControlChangesFromAWorkerAreCarriedToTheUiThread) {
  auto* label = static_cast<CLabelUI*>(window.Manager().FindControl("title_label"));
  auto* root = static_cast<CVerticalLayoutUI*>(window.Manager().GetRoot());
  int before = root->GetCount();
  std::thread([&] {
    label->SetText("from a worker");
    label->SetVisible(false);
    auto* added = new CLabelUI;
    added->SetName("added_by_worker");
    root->Add(added);
    window.Manager().SendNotify(label, "click");
  }).join();
  PumpUiEvents();
  EXPECT_EQ(label->GetText(), "from a worker");
  EXPECT_FALSE(label->IsVisible());
  EXPECT_EQ(root->GetCount(), before + 1);
  EXPECT_NE(window.Manager().FindControl("added_by_worker"), nullptr);
  EXPECT_TRUE(window.Saw("click", "title_label")) << "a notification raised on a worker is delivered";
}

TEST_F(UiThreading, ChangesForAControlDeletedMeanwhileAreDropped) {
  auto* root = static_cast<CVerticalLayoutUI*>(window.Manager().GetRoot());
  auto* doomed = new CLabelUI;
  root->Add(doomed);
  std::thread([&] { doomed->SetText("too late"); }).join();
  root->SetDelayedDestroy(false);
  root->Remove(doomed);
  PumpUiEvents();
  SUCCEED() << "nothing touched the deleted control (the sanitizers would say)";
}
