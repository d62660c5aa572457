#include "platform/input_capture/x11/x11_global_capture.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// Runs against the X server in $DISPLAY (the desktop stage's Xvfb); skipped without one. XTest
// plays the user: its keys and clicks pass through the server like a real keyboard's and mouse's.
namespace {

using namespace std::chrono_literals;

// X keycodes are evdev codes + 8.
constexpr unsigned kKeyA = 30 + 8;
constexpr unsigned kKeyRightShift = 54 + 8;
constexpr unsigned kKeyKeypadEnter = 96 + 8;
constexpr unsigned kKeyCapsLock = 58 + 8;

struct Recorder : IInputCaptureSink {
  std::vector<CapturedKey> keys;
  std::vector<CapturedMouseButton> buttons;
  void OnCapturedKey(const CapturedKey& key) override { keys.push_back(key); }
  void OnCapturedMouseButton(const CapturedMouseButton& button) override { buttons.push_back(button); }
};

// The test's own thread stands in for the user-interface thread: posted tasks wait in a queue
// until the test runs them.
class UiQueue {
 public:
  PostToUiThreadFn Poster() {
    return [this](std::function<void()> task) {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
      wake_.notify_one();
    };
  }
  // Runs posted tasks until `done` or the time is up.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 3s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      std::unique_lock lock(mutex_);
      if (!wake_.wait_until(lock, deadline, [&] { return !tasks_.empty(); })) return done();
      auto task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
};

class X11GlobalCaptureTest : public testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    if (!display_) GTEST_SKIP() << "no X server in $DISPLAY";
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) GTEST_SKIP() << "the X server has no XTEST";
    if (!CX11GlobalCapture::ServerHasRawInput()) GTEST_SKIP() << "the X server has no X Input 2";
    capture_ = std::make_unique<CX11GlobalCapture>(ui_.Poster());
  }
  void TearDown() override {
    capture_.reset();
    if (window_) XDestroyWindow(display_, window_);
    if (display_) XCloseDisplay(display_);
  }

  void Tap(unsigned keycode) {
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    XSync(display_, False);
  }
  void Click(unsigned button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
  }

  // Another program's window, mapped and holding the keyboard focus.
  void OpenFocusedWindow() {
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 200, 200, 160, 100, 0, 0, 0);
    XSelectInput(display_, window_, KeyPressMask | StructureNotifyMask | FocusChangeMask);
    XMapWindow(display_, window_);
    XEvent event;
    do XWindowEvent(display_, window_, StructureNotifyMask, &event);
    while (event.type != MapNotify);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
  }
  // Key presses the window has received so far; the server has delivered everything sent before
  // the round trip of XSync.
  int KeyPressesOfWindow() {
    XSync(display_, False);
    int presses = 0;
    XEvent event;
    while (XCheckWindowEvent(display_, window_, KeyPressMask, &event)) ++presses;
    return presses;
  }
  bool SomeoneHoldsTheKeyboard() {
    const int grab = XGrabKeyboard(display_, DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync,
                                   CurrentTime);
    if (grab == GrabSuccess) XUngrabKeyboard(display_, CurrentTime);
    XSync(display_, False);
    return grab == AlreadyGrabbed;
  }
  bool ReceivedKeys(size_t count) {
    return ui_.RunUntil([&] { return recorder_.keys.size() >= count; });
  }

  Display* display_ = nullptr;
  Window window_ = 0;
  UiQueue ui_;
  Recorder recorder_;
  std::unique_ptr<CX11GlobalCapture> capture_;
};

TEST_F(X11GlobalCaptureTest, KeysArriveAsSet1CodesAndButtonsAsTheirBitsWithThePointerPosition) {
  ASSERT_TRUE(capture_->Start(recorder_));
  EXPECT_FALSE(capture_->IsKeyboardGrabbed());
  EXPECT_STREQ(capture_->DescriptionKey(), "capture_source_desktop");
  Tap(kKeyA);
  Tap(kKeyRightShift);
  Tap(kKeyKeypadEnter);
  ASSERT_TRUE(ReceivedKeys(6));
  struct Expected {
    uint8_t scan;
    bool extended;
    bool down;
  };
  const Expected expected[] = {{0x1E, false, true}, {0x1E, false, false}, {0x36, true, true},
                               {0x36, true, false}, {0x1C, true, true},   {0x1C, true, false}};
  ASSERT_EQ(recorder_.keys.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(recorder_.keys[i].scan, expected[i].scan) << i;
    EXPECT_EQ(recorder_.keys[i].extended, expected[i].extended) << i;
    EXPECT_EQ(recorder_.keys[i].down, expected[i].down) << i;
  }

  XTestFakeMotionEvent(display_, -1, 321, 234, CurrentTime);
  for (unsigned button : {1u, 4u, 5u, 3u, 2u, 8u, 9u}) Click(button);  // 4 and 5: the wheel, not captured
  ASSERT_TRUE(ui_.RunUntil([&] { return recorder_.buttons.size() >= 10; }));
  const uint8_t bits[] = {0x01, 0x02, 0x04, 0x08, 0x10};
  ASSERT_EQ(recorder_.buttons.size(), 10u);
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(recorder_.buttons[i].button, bits[i / 2]) << i;
    EXPECT_EQ(recorder_.buttons[i].down, i % 2 == 0) << i;
    EXPECT_EQ(recorder_.buttons[i].x, 321) << i;
    EXPECT_EQ(recorder_.buttons[i].y, 234) << i;
  }
}

TEST_F(X11GlobalCaptureTest, RecordingKeepsKeystrokesFromOtherWindowsUntilStopAndLockKeysStillLock) {
  OpenFocusedWindow();
  Tap(kKeyA);
  ASSERT_EQ(KeyPressesOfWindow(), 1) << "the window does not receive keys even without a capture";

  ASSERT_TRUE(capture_->StartRecording(recorder_));
  EXPECT_TRUE(capture_->IsKeyboardGrabbed());
  Tap(kKeyA);
  Tap(kKeyRightShift);
  ASSERT_TRUE(ReceivedKeys(4));
  EXPECT_EQ(KeyPressesOfWindow(), 0);

  // Caps Lock reaches the capture and still switches the lock on for the whole desktop.
  Tap(kKeyCapsLock);
  ASSERT_TRUE(ReceivedKeys(6));
  XkbStateRec state{};
  XkbGetState(display_, XkbUseCoreKbd, &state);
  EXPECT_TRUE(state.locked_mods & LockMask);
  Tap(kKeyCapsLock);
  ASSERT_TRUE(ReceivedKeys(8));
  XkbGetState(display_, XkbUseCoreKbd, &state);
  EXPECT_FALSE(state.locked_mods & LockMask);
  EXPECT_EQ(KeyPressesOfWindow(), 0);

  capture_->Stop();
  EXPECT_FALSE(SomeoneHoldsTheKeyboard());
  Tap(kKeyA);
  EXPECT_EQ(KeyPressesOfWindow(), 1);
  EXPECT_FALSE(ui_.RunUntil([&] { return recorder_.keys.size() > 8; }, 100ms)) << "a key arrived after Stop";
}

TEST_F(X11GlobalCaptureTest, NoStartEverLeavesASecondOrAStrayGrab) {
  // Starting again while recording keeps the one grab; Stop releases it.
  ASSERT_TRUE(capture_->StartRecording(recorder_));
  Recorder second;
  ASSERT_TRUE(capture_->StartRecording(second));
  EXPECT_TRUE(SomeoneHoldsTheKeyboard());
  capture_->Stop();
  EXPECT_FALSE(SomeoneHoldsTheKeyboard());

  // Recording, then a key capture: the key capture needs no grab and the recording's goes.
  ASSERT_TRUE(capture_->StartRecording(recorder_));
  ASSERT_TRUE(capture_->Start(second));
  EXPECT_TRUE(capture_->IsCapturing());
  EXPECT_FALSE(capture_->IsKeyboardGrabbed());
  EXPECT_FALSE(SomeoneHoldsTheKeyboard());

  // The destructor releases a recording's grab.
  ASSERT_TRUE(capture_->StartRecording(recorder_));
  capture_.reset();
  EXPECT_FALSE(SomeoneHoldsTheKeyboard());
}

TEST_F(X11GlobalCaptureTest, ARecordingRefusedTheKeyboardFailsAndLeavesNothingBehind) {
  OpenFocusedWindow();
  ASSERT_EQ(XGrabKeyboard(display_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  XSync(display_, False);
  EXPECT_FALSE(capture_->StartRecording(recorder_));
  EXPECT_FALSE(capture_->IsCapturing());
  XUngrabKeyboard(display_, CurrentTime);
  EXPECT_FALSE(SomeoneHoldsTheKeyboard());
  Tap(kKeyA);
  EXPECT_EQ(KeyPressesOfWindow(), 1);
}

}  // namespace
