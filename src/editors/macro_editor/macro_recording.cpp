// Recording: the page freezes, the capture source reports keys and buttons, and each becomes a
// row where the recording's placement puts it, with the delays of its mode.
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "editors/editor_host.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_api.h"

using namespace macro_editor;
using macro_recording::DelayMode;
using macro_recording::Placement;

bool CMacroControlUI::IsConstantDelaySelected() {
  COptionUI* option = ConstantDelayOption();
  return option && option->IsSelected();
}

void CMacroControlUI::ReadConstantDelay() {
  CEditUI* edit = EditNamed(kConstantDelayEdit);
  if (!edit) return;
  const macro_actions::ConstantDelayReading reading =
      macro_actions::ReadConstantDelay(edit->GetText().str(), constantDelay_);
  if (!reading.changed) return;
  if (reading.notice && host_) host_->Tell(reading.notice);
  edit->SetText(std::to_string(reading.value).c_str());
  edit->SetCaretToEnd();
  constantDelay_ = reading.value;
}

bool CMacroControlUI::BeginRecording(DelayMode mode, Placement placement) {
  if (recording_ || !CanRecord() || SelectedMacroIndex() < 0) return false;
  if (mode == DelayMode::kConstant) ReadConstantDelay();
  delayMode_ = mode;
  placement_ = placement;
  clock_.Restart();
  repeatFilter_.Forget();
  // Recording withholds the keystrokes from other programs where the source can (a keyboard grab).
  if (!captureSource_->StartRecording(*this)) return false;
  recording_ = true;
  FreezePage(true);
  return true;
}

void CMacroControlUI::EndRecording() {
  if (!recording_) return;
  if (captureSource_) captureSource_->Stop();
  recording_ = false;
  FreezePage(false);
}

void CMacroControlUI::FreezePage(bool frozen) {
  for (const char* name : {kNameTab, kActionList}) {
    CControlUI* control = Find(name);
    if (!control) continue;
    control->SetMouseEnabled(!frozen);
    if (auto* container = static_cast<CContainerUI*>(control->GetInterface("Container"))) {
      container->SetMouseChildEnabled(!frozen);
    }
  }
  SetAreaEnabled(kDelayEditTab, !frozen, "macro_tip_recording");
  SetAreaEnabled(kMoveArea, !frozen, "macro_tip_recording");
  UpdateActionEditTab();
  UpdateRecordButtons();
}

void CMacroControlUI::OnCapturedKey(const CapturedKey& key) {
  if (!recording_ || !repeatFilter_.TakeKey(key)) return;
  if (const std::optional<MacroEvent> event = macro_recording::EventOfKey(key)) RecordEvent(*event);
}

// The click that stops the recording is no part of it: a left press or release at a point of
// the screen inside the stop button is dropped.
bool CMacroControlUI::IsOnStopButton(int screenX, int screenY) {
  CControlUI* stop = Find(kStopRecordButton);
  if (!stop || !stop->IsVisible() || !m_pManager) return false;
  const RECT pos = stop->GetPos();
  POINT topLeft{pos.left, pos.top};
  POINT bottomRight{pos.right, pos.bottom};
  if (!ClientToScreen(m_pManager->GetPaintWindow(), &topLeft) || !ClientToScreen(m_pManager->GetPaintWindow(), &bottomRight)) {
    return false;
  }
  return screenX >= topLeft.x && screenX < bottomRight.x && screenY >= topLeft.y && screenY < bottomRight.y;
}

void CMacroControlUI::OnCapturedMouseButton(const CapturedMouseButton& button) {
  if (!recording_) return;
  if (button.button == macro_actions::kLeftButton && IsOnStopButton(button.x, button.y)) return;
  if (!repeatFilter_.TakeButton(button)) return;
  if (const std::optional<MacroEvent> event = macro_recording::EventOfButton(button)) RecordEvent(*event);
}

void CMacroControlUI::RecordEvent(const MacroEvent& recorded) {
  CListUI* list = ActionList();
  if (!list) return;
  const int selected = SelectedActionIndex();
  // Replacing adds no row, so a full list still takes it; anything else on a full list only
  // appends an empty row, which the save at the end drops with a notice.
  if (placement_ != Placement::kReplace && ActionCount() >= static_cast<int>(kMaxMacroEvents)) {
    InsertRow(BuildEmptyRow(), ActionCount());
    return;
  }
  if (placement_ == Placement::kReplace) {
    std::optional<MacroEvent> current = selected >= 0 ? ActionAt(selected) : std::nullopt;
    if (!current) return;
    MacroEvent replaced = recorded;
    replaced.Delay = current->Delay;
    ShowEventInRow(RowAt(selected), replaced);
    StoreEventInRow(RowAt(selected), replaced);
    return;
  }
  if (placement_ != Placement::kAppend && selected < 0) return;
  const uint32_t delay = clock_.Take(delayMode_, constantDelay_);
  int index = ActionCount();
  if (placement_ == Placement::kBefore) index = selected;
  if (placement_ == Placement::kAfter) index = selected + 1;

  // A row's delay is the pause after its event: the new row's own waits for the next event, and
  // the row before it gets the pause that just ended.
  MacroEvent event = recorded;
  std::string shown = std::to_string(macro_actions::kMinDelay);
  event.Delay = 0;
  if (index > 0 && delayMode_ == DelayMode::kConstant) {
    event.Delay = constantDelay_;
    shown = std::to_string(constantDelay_);
  }
  if (!InsertRow(BuildRow(event, shown), index)) return;
  if (eventRecorded_ && index > 0) {
    if (std::optional<MacroEvent> previous = ActionAt(index - 1)) {
      previous->Delay = delay;
      SetDelayTextAt(index - 1, std::to_string(delay));
      StoreEventInRow(RowAt(index - 1), *previous);
    }
  }
  eventRecorded_ = true;
  if (placement_ == Placement::kBefore) {
    SelectAction(index + 1);
  } else {
    SelectAction(index);
  }
  ScrollToSelectionSoon();
}
