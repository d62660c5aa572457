#include "windows/main_wnd/input_capture_choice.h"

#include <cstdlib>

#include "platform/debug_output.h"
#include "ui/input/in_window_capture.h"
#include "ui/toolkit/ui_platform.h"

CaptureSourceKind ChooseCaptureSource(std::string_view platformName, bool waylandSession,
                                      const std::function<bool()>& serverHasRawInput) {
  if (waylandSession || platformName != "xcb") return CaptureSourceKind::kWindow;
  return serverHasRawInput() ? CaptureSourceKind::kDesktop : CaptureSourceKind::kWindow;
}

std::unique_ptr<IInputCaptureSource> MakeInputCaptureSource(HWND window, PostToUiThreadFn post) {
  const std::string platform = UiPlatformName();
  const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
  const bool wayland = (waylandDisplay && *waylandDisplay) || platform == "wayland";
  const CaptureSourceKind kind = ChooseCaptureSource(platform, wayland, &CX11GlobalCapture::ServerHasRawInput);
  if (kind == CaptureSourceKind::kDesktop) {
    OutputDebugString("input capture: the whole desktop (X11 raw input)");
    return std::make_unique<CX11GlobalCapture>(std::move(post));
  }
  OutputDebugString("input capture: this window only (platform \"" + platform + "\"" +
                    (wayland ? ", Wayland session" : "") + ")");
  return std::make_unique<CInWindowCapture>(window);
}
