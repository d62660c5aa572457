// The key editor's key capture: the next key pressed (with a modifier held before it) becomes the
// keyboard key of the chosen button.
#include "editors/editor_host.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "profiles/keys/key_table.h"
#include "ui/controls/text_key.h"

namespace {

// Escape ends a capture without a choice.
constexpr uint8_t kEscapeScan = 0x01;

}  // namespace

bool CKeySetControlUI::StartCapture() {
  IInputCaptureSource* source = host_ ? host_->InputCapture() : nullptr;
  // Like a recording, a capture keeps the keystroke from every other program, and from this window.
  if (!source || !source->IsAvailable() || !source->StartRecording(*this)) {
    UpdateCaptureButton();
    return false;
  }
  capturing_ = true;
  UpdateCaptureButton();
  return true;
}

void CKeySetControlUI::StopCapture() {
  if (!capturing_) return;
  capturing_ = false;
  if (IInputCaptureSource* source = host_ ? host_->InputCapture() : nullptr) source->Stop();
  UpdateCaptureButton();
}

void CKeySetControlUI::OnCapturedKey(const CapturedKey& key) {
  if (!capturing_) return;
  const KeyTableRow* row = FindKeyByScanCode(key.scan, key.extended);
  const bool modifier = row && KeyTableRowIndex(*row) < kModifierRowCount;
  // A modifier held waits for the key pressed with it (Shift, then A); let go alone, it is the
  // whole choice.
  if (!key.down) {
    if (modifier) StopCapture();
    return;
  }
  if (!modifier) StopCapture();
  if (key.scan == kEscapeScan && !key.extended) return;
  KeyFormControls controls = ReadControls();
  if (!form_.Capture(key.scan, key.extended, controls)) return;
  ShowControls(controls);
  Apply();
}

void CKeySetControlUI::UpdateCaptureButton() {
  if (!captureButton_) return;
  IInputCaptureSource* source = host_ ? host_->InputCapture() : nullptr;
  if (!source || !source->IsAvailable()) {
    captureButton_->SetEnabled(false);
    captureButton_->SetToolTip(source ? source->UnavailableReason() : TextKey("keyset_capture_unavailable"));
    captureButton_->SetText(TextKey("keyset_capture_start"));
    return;
  }
  captureButton_->SetEnabled(true);
  captureButton_->SetToolTip(capturing_ ? TextKey("keyset_tip_capture_waiting") : TextKey("keyset_tip_capture"));
  captureButton_->SetText(capturing_ ? TextKey("keyset_capture_waiting") : TextKey("keyset_capture_start"));
}
