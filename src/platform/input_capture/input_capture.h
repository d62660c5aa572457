#pragma once
#include <cstdint>

// Capturing the user's keystrokes and mouse buttons for the editors: the key editor takes one key,
// the macro editor records a sequence. A source delivers what it captures to one sink at a time,
// on the user-interface thread.
//
// Keys are reported as PC set-1 scan codes with their extended (E0) flag, the form the key table
// is indexed by; mouse buttons by their bit (0x01 left, 0x02 right, 0x04 middle, 0x08 back,
// 0x10 forward), with the pointer's position on the screen when the button changed.
struct CapturedKey {
  uint8_t scan = 0;
  bool extended = false;
  bool down = true;
};

struct CapturedMouseButton {
  uint8_t button = 0;
  bool down = true;
  int x = 0;
  int y = 0;
};

class IInputCaptureSink {
 public:
  virtual ~IInputCaptureSink() = default;
  virtual void OnCapturedKey(const CapturedKey& key) = 0;
  virtual void OnCapturedMouseButton(const CapturedMouseButton& /*button*/) {}
  // The source stopped by itself (its display connection broke); nothing more arrives.
  virtual void OnCaptureLost() {}
};

class IInputCaptureSource {
 public:
  virtual ~IInputCaptureSource() = default;
  // False when the source cannot capture now; UnavailableReason then names the language key that
  // says why, for the tooltip of the control that would start it.
  virtual bool IsAvailable() const = 0;
  virtual const char* UnavailableReason() const = 0;
  // Starts delivering to `sink` (replacing any sink before); false when it cannot.
  virtual bool Start(IInputCaptureSink& sink) = 0;
  // As Start, for recording a macro: a source that sees the whole desktop also keeps the
  // keystrokes from every other program until Stop (the lock keys still act).
  virtual bool StartRecording(IInputCaptureSink& sink) { return Start(sink); }
  virtual void Stop() = 0;
  virtual bool IsCapturing() const = 0;
  // The language key of the line that tells the user where the source takes keys and clicks from.
  virtual const char* DescriptionKey() const { return "capture_source_window"; }
};
