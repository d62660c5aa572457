// The key editor's drop-downs, options, edits and buttons, and the zones of the device picture
// that choose the key it edits. Every choice applies the function at once.
#include "devices/velmar_usb_device.h"
#include "editors/editor_host.h"
#include "editors/key_editor/key_editor_controls.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "ui/toolkit/controls/combo_ui.h"

using namespace key_editor;

namespace {

using Editor = CKeySetControlUI;
constexpr int kRepeatedMacroItem = 4;

}  // namespace

const RouteRow<CKeySetControlUI> CKeySetControlUI::kRouteRows[] = {
    {NotifyKind::kClick, kKeyZone, true, &Editor::OnKeyZone},
    {NotifyKind::kItemSelect, kFunctionCombo, false, &Editor::OnFunctionChosen},
    {NotifyKind::kItemSelect, kMouseButtonCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kScrollCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kWheelCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kSensitivityCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kMediaCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kSystemCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kMacroCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kGunKeyCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kShortcutCombo, false, &Editor::OnChoice},
    {NotifyKind::kItemSelect, kMacroModeCombo, false, &Editor::OnMacroMode},
    {NotifyKind::kSelectChanged, kModifierOption, true, &Editor::OnModifier},
    // A typed number takes effect when the field is left or Enter is pressed.
    {NotifyKind::kFocusLost, kScrollCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kScrollDelayEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kScrollSpeedEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kWheelCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kWheelDelayEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kWheelSpeedEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kFireIntervalEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kFireCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kFocusLost, kMacroCycleEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kScrollCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kScrollDelayEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kScrollSpeedEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kWheelCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kWheelDelayEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kWheelSpeedEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kFireIntervalEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kFireCountEdit, false, &Editor::OnEditDone},
    {NotifyKind::kReturn, kMacroCycleEdit, false, &Editor::OnEditDone},
    {NotifyKind::kClick, kCaptureButton, false, &Editor::OnCapture},
    {NotifyKind::kClick, kApplyButton, false, &Editor::OnApply},
    {NotifyKind::kClick, kDefaultButton, false, &Editor::OnDefault},
    {NotifyKind::kClick, kCancelButton, false, &Editor::OnCancel},
    {NotifyKind::kClick, kSendButton, false, &Editor::OnSend},
};

std::span<const RouteRow<CKeySetControlUI>> CKeySetControlUI::Rows() { return kRouteRows; }

// Only an editor bound to its device and window answers.
bool CKeySetControlUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  return device_ && host_ && DispatchRoute(Rows(), *this, kind, msg);
}

void CKeySetControlUI::OnKeyZone(TNotifyUI&, int index) { OpenKey(index); }

void CKeySetControlUI::OnFunctionChosen(TNotifyUI&, int) {
  const int category = GetSelectedCategory();
  ShowCategoryPage(category);
  if (category == kCategoryKeyboardKey) {
    SetKeyText("");
    SelectModifier(-1);
  }
  Apply();
}

void CKeySetControlUI::OnChoice(TNotifyUI&, int) { Apply(); }

void CKeySetControlUI::OnMacroMode(TNotifyUI& msg, int) {
  auto* combo = msg.pSender ? static_cast<CComboUI*>(msg.pSender->GetInterface("Combo")) : nullptr;
  if (macroCycleLayout_) macroCycleLayout_->SetVisible(combo && combo->GetCurSel() == kRepeatedMacroItem);
  Apply();
}

void CKeySetControlUI::OnModifier(TNotifyUI& msg, int index) {
  if (!IsSelectedOption(msg)) return;
  SelectModifier(index);
  Apply();
}

void CKeySetControlUI::OnEditDone(TNotifyUI&, int) { Apply(); }

void CKeySetControlUI::OnApply(TNotifyUI&, int) {
  Apply();
  EnableEditButtons(true);
}

void CKeySetControlUI::OnDefault(TNotifyUI&, int) {
  ShowDefaultAssignment();
  EnableEditButtons(true);
}

void CKeySetControlUI::OnCancel(TNotifyUI&, int) {
  ShowCurrentAssignment();
  EnableEditButtons(false);
}

// The window holds the button while the transfer runs and gives it back as it finds it.
void CKeySetControlUI::OnSend(TNotifyUI&, int) {
  unsent_ = false;
  UpdateSendButton();
  host_->StartMacroTransfer();
}

void CKeySetControlUI::OnCapture(TNotifyUI&, int) {
  if (capturing_) {
    StopCapture();
  } else {
    StartCapture();
  }
}
