#pragma once
#include <cstdint>

#include "platform/clock.h"
#include "platform/input_capture/input_capture.h"

// A capture source driven by a script instead of a keyboard and a mouse: each step hands its
// event to the sink at once, and a pause moves the clock the recording measures with, so the
// delays between events are exact. Events of a source that is not capturing reach nobody, as
// they would from a real one. For tests and demonstrations; user-interface thread only.
class CScriptedCapture : public IInputCaptureSource {
 public:
  // `clock` is moved on by After (a virtual clock moves at once).
  explicit CScriptedCapture(IClock& clock) : clock_(clock) {}

  bool IsAvailable() const override { return available_; }
  const char* UnavailableReason() const override { return unavailableReason_; }
  bool Start(IInputCaptureSink& sink) override;
  bool StartRecording(IInputCaptureSink& sink) override;
  void Stop() override {
    sink_ = nullptr;
    withholding_ = false;
  }
  bool IsCapturing() const override { return sink_ != nullptr; }
  const char* DescriptionKey() const override { return descriptionKey_; }

  // While unavailable, Start fails and `reason` (a language key) says why.
  void SetUnavailable(const char* reason) {
    available_ = false;
    unavailableReason_ = reason;
  }
  void SetAvailable() { available_ = true; }
  void SetDescriptionKey(const char* key) { descriptionKey_ = key; }

  // ---- the script ----
  CScriptedCapture& After(uint32_t milliseconds);
  CScriptedCapture& Press(uint8_t scan, bool extended = false);
  CScriptedCapture& Release(uint8_t scan, bool extended = false);
  // Press and release.
  CScriptedCapture& Tap(uint8_t scan, bool extended = false);
  // A mouse button (its bit) going down or up with the pointer at (x, y) on the screen.
  CScriptedCapture& ButtonDown(uint8_t button, int x = 0, int y = 0);
  CScriptedCapture& ButtonUp(uint8_t button, int x = 0, int y = 0);

  int StartCount() const { return starts_; }
  // Started to withhold the keystrokes from everything else (as a keyboard grab does).
  bool IsWithholding() const { return withholding_; }

 private:
  void Deliver(const CapturedKey& key);
  void Deliver(const CapturedMouseButton& button);

  IClock& clock_;
  IInputCaptureSink* sink_ = nullptr;
  bool available_ = true;
  const char* unavailableReason_ = "";
  const char* descriptionKey_ = "capture_source_window";
  int starts_ = 0;
  bool withholding_ = false;
};
