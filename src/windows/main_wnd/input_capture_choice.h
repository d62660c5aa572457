#pragma once
#include <functional>
#include <memory>
#include <string_view>

#include "platform/input_capture/input_capture.h"
#include "platform/input_capture/x11/x11_global_capture.h"
#include "ui/toolkit/ui_types.h"

enum class CaptureSourceKind { kDesktop, kWindow };

// The whole desktop only on an X11 session ("xcb") whose server has raw input; never on Wayland,
// where no program may see another's keys (an X11 platform under Wayland, through XWayland, would
// only see the X11 programs). `serverHasRawInput` is asked only when the rest allows the desktop.
CaptureSourceKind ChooseCaptureSource(std::string_view platformName, bool waylandSession,
                                      const std::function<bool()>& serverHasRawInput);

// The source for `window`'s editors, chosen as above for this session; the choice goes to the trace.
std::unique_ptr<IInputCaptureSource> MakeInputCaptureSource(HWND window, PostToUiThreadFn post);
