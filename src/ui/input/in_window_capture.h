#pragma once
#include <memory>

#include "platform/input_capture/input_capture.h"
#include "ui/toolkit/ui_types.h"

// Captures the keys pressed while one of the program's windows has the keyboard: while started,
// every key press and release that Qt delivers to a widget of that window goes to the sink
// instead, as a set-1 scan code (evdev_scan_codes.h). Keys without a set-1 code are swallowed and
// not reported. Nothing outside the window is seen; mouse buttons are not captured.
// User-interface thread only.
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

  HWND window_;
  IInputCaptureSink* sink_ = nullptr;
  std::unique_ptr<Filter> filter_;
};
