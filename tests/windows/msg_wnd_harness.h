#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <functional>
#include <string>
#include <utility>

#include "test_window.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"

// Helpers for tests that meet the prompt window: a prompt window made directly (no modal loop),
// and a way to act on the window ShowMessageBox opens from inside its modal loop. Header-only,
// so any test file of this folder can use it.

// A CMsgWnd created hidden with ShowMessageBox's styles; its window is destroyed at the end,
// which deletes the object.
class CDirectMsgWnd {
 public:
  explicit CDirectMsgWnd(HWND owner = nullptr)
      : window_(new CMsgWnd), hwnd_(window_->Create(owner, "msgwnd", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW)) {}
  ~CDirectMsgWnd() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  CDirectMsgWnd(const CDirectMsgWnd&) = delete;
  CDirectMsgWnd& operator=(const CDirectMsgWnd&) = delete;

  CMsgWnd* operator->() const { return window_; }
  HWND Handle() const { return hwnd_; }
  CPaintManagerUI& Manager() const { return *window_->GetPaintManager(); }
  CControlUI* Control(const char* name) const { return Manager().FindControl(name); }

 private:
  CMsgWnd* window_;
  HWND hwnd_;
};

// The paint manager of the visible prompt window, or null.
inline CPaintManagerUI* OpenPrompt() {
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND window = manager->GetPaintWindow();
    if (window && IsWindowVisible(window) && manager->FindControl("MessageText")) return manager;
  }
  return nullptr;
}

// What the user does to the open prompt; it must end the modal loop.
using PromptAction = std::function<void(CPaintManagerUI& prompt)>;

inline PromptAction ClickOn(std::string button) {
  return [button = std::move(button)](CPaintManagerUI& prompt) {
    CControlUI* target = prompt.FindControl(button.c_str());
    if (!target || !target->IsVisible()) {
      ADD_FAILURE() << button << " cannot be clicked";
      PostMessage(prompt.GetPaintWindow(), WM_CLOSE, 99);
      return;
    }
    Click(prompt.GetPaintWindow(), target);
  };
}

// A key pressed and released as the window system delivers it to the focused window: through
// the window's pre-message filters, as a real keyboard's keys arrive.
inline PromptAction PressKey(Qt::Key key, std::string focusFirst = {}) {
  return [key, focusFirst = std::move(focusFirst)](CPaintManagerUI& prompt) {
    if (!focusFirst.empty()) prompt.SetFocus(prompt.FindControl(focusFirst.c_str()));
    QWidget* host = HostWidgetOf(prompt.GetPaintWindow());
    if (!host) {
      ADD_FAILURE() << "the prompt has no window to type into";
      PostMessage(prompt.GetPaintWindow(), WM_CLOSE, 99);
      return;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(host, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(host, &release);
  };
}

inline PromptAction CloseFromWindowManager() {
  return [](CPaintManagerUI& prompt) { SendMessage(prompt.GetPaintWindow(), WM_SYSCOMMAND, SC_CLOSE); };
}

// Queues `look`, then `act`, to run on the open prompt once the modal loop of the next
// ShowMessageBox is running. A button that cannot be clicked closes the prompt with result 99
// and fails the test, so a broken window does not hang the test program.
inline void AnswerNextPrompt(PromptAction act, PromptAction look = {}) {
  CPaintManagerUI::RunOnUiThread([act = std::move(act), look = std::move(look)] {
    CPaintManagerUI* prompt = OpenPrompt();
    if (!prompt) {
      ADD_FAILURE() << "no prompt window is open";
      return;
    }
    prompt->UpdateLayout();
    if (look) look(*prompt);
    act(*prompt);
  });
}
