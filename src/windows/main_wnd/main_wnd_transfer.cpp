// The transfer of a device's macros and key assignments, which the key editor's "send" button and
// the macro editor's deletions start.
#include <string>

#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "transport/result_codes.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/language_number_text.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/main_wnd/main_wnd_controls.h"
#include "windows/msg_wnd.h"

namespace {

// Long enough for the busy overlay to be drawn before the transfer holds the window.
constexpr UINT kMacroTransferDelayMs = 100;
constexpr const char* kMacrosNotSentNotice = "message_text_7";
constexpr const char* kMacrosDoNotFitNotice = "message_text_16";
constexpr const char* kKeysNotSentNotice = "message_keys_not_sent";
// The key editor's button that starts the transfer; it waits with the page.
constexpr const char* kSendButton = "key_butt_prosave";

// The key the user was editing takes its default back: the macro it names does not fit.
void RevertSelectedKey(CVelmarUSBDevice& device) {
  std::vector<KeyAssignmentPair> keys = device.GetKeyAssignments();
  const int selected = device.GetSelectedKey();
  if (selected < 0 || static_cast<size_t>(selected) >= keys.size()) return;
  KeyAssignmentPair& key = keys[static_cast<size_t>(selected)];
  if (key.Current.SameFunction(key.Default)) return;
  key.Current = key.Default;
  device.SetKeyAssignments(keys);
  if (CKeySetControlUI* editor = KeyEditorOf(device)) editor->ShowSelectedKeyAgain();
}

}  // namespace

void CMainWnd::StartMacroTransfer() {
  if (transferBusy_) return;
  ShowTransferBusy(true);
  ::SetTimer(GetHWND(), kTimerMacroTransfer, kMacroTransferDelayMs);
}

void CMainWnd::MacroTransferTimer() {
  ::KillTimer(GetHWND(), kTimerMacroTransfer);
  if (CVelmarUSBDevice* device = GetSelectedDevice()) TransferMacrosAndKeys(*device);
  ShowTransferBusy(false);
}

void CMainWnd::TransferMacrosAndKeys(CVelmarUSBDevice& device) {
  const int macros = device.WriteMacros(device.GetMacroList());
  if (macros < 0) {
    // Keys that name macro slots whose data never arrived would play whatever the slots held.
    ShowMessageBox(GetHWND(), nullptr, kMacrosNotSentNotice, dpi_, true, CMsgWnd::kNotice);
    return;
  }
  if (macros > 0) {
    const std::string text = LanguageTextWithNumber(kMacrosDoNotFitNotice, macros);
    ShowMessageBox(GetHWND(), nullptr, text.c_str(), dpi_, false, CMsgWnd::kNotice);
    RevertSelectedKey(device);
    return;
  }
  const int keys = device.WriteKeyAssignments(0, device.GetKeyAssignments());
  device.SaveProfile();
  if (keys != kResultSuccess) ShowMessageBox(GetHWND(), nullptr, kKeysNotSentNotice, dpi_, true, CMsgWnd::kNotice);
}

void CMainWnd::ShowTransferBusy(bool busy) {
  transferBusy_ = busy;
  if (CControlUI* overlay = m_pm.FindControl(main_window::kTransferLayout)) overlay->SetVisible(busy);
  if (busy) {
    CVelmarUSBDevice* device = GetSelectedDevice();
    busySendButton_ = device ? FindNamedChild(device, kSendButton) : nullptr;
    busySendButtonWasEnabled_ = busySendButton_ && busySendButton_->IsEnabled();
    if (busySendButton_) busySendButton_->SetEnabled(false);
  } else if (busySendButton_) {
    busySendButton_->SetEnabled(busySendButtonWasEnabled_);
    busySendButton_ = nullptr;
  }
}
