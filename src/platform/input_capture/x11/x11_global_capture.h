#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/input_capture/input_capture.h"

// Hands work to the user-interface thread; callable from any thread.
using PostToUiThreadFn = std::function<void(std::function<void()>)>;

// Captures every key and mouse button of the whole X11 desktop, whichever program has the focus:
// the X Input extension's raw events, selected on the root window of a display connection of the
// capture's own and read on a thread of its own that sleeps until the connection has something.
// Each event reaches the sink on the user-interface thread through `post`. Keys come as set-1 scan
// codes (keys without one are not reported), buttons as their capture bit with the pointer's
// screen position; the wheel is not captured.
//
// StartRecording also grabs the keyboard, on a second connection of the capture's own, so no other
// program receives a keystroke until Stop. The grab belongs to that connection: Stop, the
// destructor, an error on either connection and the end of the process (the kernel closes its
// sockets however it ends, and the server then drops the client's grabs) all release it; a start
// while capturing never takes a second one, and a start that fails closes what it opened.
//
// Start, Stop and the destructor on the user-interface thread only.
class CX11GlobalCapture : public IInputCaptureSource {
 public:
  explicit CX11GlobalCapture(PostToUiThreadFn post);
  ~CX11GlobalCapture() override;
  CX11GlobalCapture(const CX11GlobalCapture&) = delete;
  CX11GlobalCapture& operator=(const CX11GlobalCapture&) = delete;

  // True when the display in $DISPLAY can be reached and has the X Input extension 2.0 or later.
  static bool ServerHasRawInput();

  bool IsAvailable() const override { return true; }
  const char* UnavailableReason() const override { return ""; }
  bool Start(IInputCaptureSink& sink) override { return Begin(sink, false); }
  bool StartRecording(IInputCaptureSink& sink) override { return Begin(sink, true); }
  void Stop() override;
  bool IsCapturing() const override;
  const char* DescriptionKey() const override { return "capture_source_desktop"; }

  bool IsKeyboardGrabbed() const;

 private:
  struct Delivery;
  struct Session;
  bool Begin(IInputCaptureSink& sink, bool grabKeyboard);
  void EndSession();

  PostToUiThreadFn post_;
  std::shared_ptr<Delivery> delivery_;
  std::unique_ptr<Session> session_;
};
