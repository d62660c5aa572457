#include "windows/main_wnd/input_capture_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(InputCaptureChoice, TheDesktopOnlyOnAnX11SessionWhoseServerHasRawInputAndWaylandNeverAsksTheServer) {
  struct Case {
    const char* platform;
    bool waylandSession;
    bool serverHasRawInput;
    CaptureSourceKind expected;
    bool serverAsked;
  };
  const Case cases[] = {
      {"xcb", false, true, CaptureSourceKind::kDesktop, true},
      {"xcb", false, false, CaptureSourceKind::kWindow, true},
      // XWayland: an X11 platform inside a Wayland session would see only the X11 programs.
      {"xcb", true, true, CaptureSourceKind::kWindow, false},
      {"wayland", true, true, CaptureSourceKind::kWindow, false},
      {"wayland", false, true, CaptureSourceKind::kWindow, false},
      {"offscreen", false, true, CaptureSourceKind::kWindow, false},
      {"", false, true, CaptureSourceKind::kWindow, false},
  };
  for (const Case& test : cases) {
    bool asked = false;
    const CaptureSourceKind kind = ChooseCaptureSource(test.platform, test.waylandSession, [&] {
      asked = true;
      return test.serverHasRawInput;
    });
    EXPECT_EQ(kind, test.expected) << test.platform << ", wayland " << test.waylandSession;
    EXPECT_EQ(asked, test.serverAsked) << test.platform << ", wayland " << test.waylandSession;
  }
}

}  // namespace
