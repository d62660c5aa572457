// The in-window source's mouse buttons: what reaches the window is reported with the pointer's
// screen position, once per press or release, and only while capturing.
#include "ui/input/in_window_capture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "test_window.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"

namespace {

class ButtonSink : public IInputCaptureSink {
 public:
  void OnCapturedKey(const CapturedKey&) override {}
  void OnCapturedMouseButton(const CapturedMouseButton& button) override {
    seen.push_back(std::to_string(button.button) + (button.down ? " down at " : " up at ") + std::to_string(button.x) +
                   "," + std::to_string(button.y));
  }
  std::vector<std::string> seen;
};

TEST(InWindowCapture, ReportsTheWindowsMouseButtonsWithTheirScreenPositionWhileCapturing) {
  CTestWindow window("<Window size='200,100'><Control/></Window>");
  const HWND hwnd = window.CreateHidden();
  ASSERT_NE(hwnd, nullptr);
  QWidget* host = HostWidgetOf(hwnd);
  host->winId();
  QWindow* qwindow = host->window()->windowHandle();
  ASSERT_NE(qwindow, nullptr);
  auto send = [&](QEvent::Type type, Qt::MouseButton button, QPoint local) {
    const QPoint global = host->mapToGlobal(local);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(qwindow, &event);
    return std::to_string(global.x()) + "," + std::to_string(global.y());
  };

  CInWindowCapture capture(hwnd);
  ButtonSink sink;
  ASSERT_TRUE(capture.Start(sink));
  const std::string at = send(QEvent::MouseButtonPress, Qt::LeftButton, {10, 20});
  send(QEvent::MouseButtonRelease, Qt::LeftButton, {10, 20});
  send(QEvent::MouseButtonDblClick, Qt::RightButton, {10, 20});
  send(QEvent::MouseButtonPress, Qt::MiddleButton, {10, 20});
  send(QEvent::MouseButtonPress, Qt::BackButton, {10, 20});
  send(QEvent::MouseButtonPress, Qt::ForwardButton, {10, 20});
  send(QEvent::MouseButtonPress, Qt::ExtraButton4, {10, 20});  // not one of the five
  capture.Stop();
  send(QEvent::MouseButtonPress, Qt::LeftButton, {10, 20});
  EXPECT_EQ(sink.seen, (std::vector<std::string>{"1 down at " + at, "1 up at " + at, "2 down at " + at, "4 down at " + at,
                                                 "8 down at " + at, "16 down at " + at}));
  DestroyWindow(hwnd);
}

}  // namespace
