#pragma once
#include <memory>

#include "platform/input_capture/input_capture.h"
#include "ui/toolkit/ui_types.h"

// Captures the keys pressed while one of the program's windows has the keyboard, and the mouse
// buttons pressed inside it: while started, every key press and release that Qt delivers to a
// widget of that window goes to the sink instead, as a set-1 scan code (evdev_scan_codes.h); keys
// without a set-1 code are swallowed and not reported. Each press and release of the left, right,
// middle, back and forward button inside the window is reported with the pointer's screen position
// and then goes on to the window as usual (that is how its stop button is clicked). Nothing outside
// the window is seen. User-interface thread only.
class CInWindowCapture : public IInputCaptureSource {
 public:
  explicit CInWindowCapture(HWND window);
  ~CInWindowCapture() override;
  CInWindowCapture(const CInWindowCapture&) = delete;
  CInWindowCapture& operator=(const CInWindowCapture&) = delete;

  bool IsAvailable() const override;
  const char* UnavailableReason() const override;
  bool Start(IInputCaptureSink& sink) override;
  void Stop() override;
  bool IsCapturing() const override { return sink_ != nullptr; }

 private:
  class Filter;
  friend class Filter;
  // True when the event was the window's and is taken.
  bool OnKeyEvent(void* widget, bool down, unsigned int nativeScanCode);
  void OnMouseButtonEvent(void* window, int qtButton, bool down, int screenX, int screenY);

  HWND window_;
  IInputCaptureSink* sink_ = nullptr;
  std::unique_ptr<Filter> filter_;
};
