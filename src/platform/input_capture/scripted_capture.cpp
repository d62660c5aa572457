#include "platform/input_capture/scripted_capture.h"

bool CScriptedCapture::Start(IInputCaptureSink& sink) {
  if (!available_) return false;
  sink_ = &sink;
  withholding_ = false;
  ++starts_;
  return true;
}

bool CScriptedCapture::StartRecording(IInputCaptureSink& sink) {
  if (!Start(sink)) return false;
  withholding_ = true;
  return true;
}

CScriptedCapture& CScriptedCapture::After(uint32_t milliseconds) {
  clock_.SleepMs(milliseconds);
  return *this;
}

CScriptedCapture& CScriptedCapture::Press(uint8_t scan, bool extended) {
  Deliver(CapturedKey{scan, extended, true});
  return *this;
}

CScriptedCapture& CScriptedCapture::Release(uint8_t scan, bool extended) {
  Deliver(CapturedKey{scan, extended, false});
  return *this;
}

CScriptedCapture& CScriptedCapture::Tap(uint8_t scan, bool extended) { return Press(scan, extended).Release(scan, extended); }

CScriptedCapture& CScriptedCapture::ButtonDown(uint8_t button, int x, int y) {
  Deliver(CapturedMouseButton{button, true, x, y});
  return *this;
}

CScriptedCapture& CScriptedCapture::ButtonUp(uint8_t button, int x, int y) {
  Deliver(CapturedMouseButton{button, false, x, y});
  return *this;
}

// The sink may stop the capture while it handles an event; the next event then reaches nobody.
void CScriptedCapture::Deliver(const CapturedKey& key) {
  if (sink_) sink_->OnCapturedKey(key);
}

void CScriptedCapture::Deliver(const CapturedMouseButton& button) {
  if (sink_) sink_->OnCapturedMouseButton(button);
}
