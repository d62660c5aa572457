// Moving, deleting and inserting action rows.
#include <algorithm>

#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "ui/toolkit/controls/list_ui.h"

using namespace macro_editor;
using macro_actions::RowMove;

namespace {

struct MoveEdit {
  macro_actions::MoveDirection direction;
  const char* edit;
};

}  // namespace

void CMacroControlUI::MoveActionToTop() {
  if (const auto to = macro_actions::MovedRowIndex(RowMove::kToTop, SelectedActionIndex(), ActionCount())) {
    MoveRow(SelectedActionIndex(), *to);
  }
}

void CMacroControlUI::MoveActionUp() {
  if (const auto to = macro_actions::MovedRowIndex(RowMove::kUp, SelectedActionIndex(), ActionCount())) {
    MoveRow(SelectedActionIndex(), *to);
  }
}

void CMacroControlUI::MoveActionDown() {
  if (const auto to = macro_actions::MovedRowIndex(RowMove::kDown, SelectedActionIndex(), ActionCount())) {
    MoveRow(SelectedActionIndex(), *to);
  }
}

void CMacroControlUI::MoveActionToBottom() {
  if (const auto to = macro_actions::MovedRowIndex(RowMove::kToBottom, SelectedActionIndex(), ActionCount())) {
    MoveRow(SelectedActionIndex(), *to);
  }
}

void CMacroControlUI::DeleteAction() {
  const int selected = SelectedActionIndex();
  CListUI* list = ActionList();
  if (!list || selected < 0) return;
  list->RemoveAt(selected, false);
  // The row that took its place (or the new last one) stays selected, so rows can go one by one.
  if (list->GetCount() > 0) SelectAction(std::min(selected, list->GetCount() - 1));
  UpdateActionEditTab();
}

void CMacroControlUI::DeleteAllActions() {
  ClearActions();
  UpdateActionEditTab();
}

void CMacroControlUI::InsertMouseAction(const MacroEvent& shape) {
  if (ActionCount() >= static_cast<int>(kMaxMacroEvents)) {
    InsertRow(BuildEmptyRow(), ActionCount());
    return;
  }
  MacroEvent event = shape;
  event.Delay = constantDelay_;
  const int index = macro_actions::InsertedRowIndex(SelectedActionIndex(), ActionCount());
  if (!InsertRow(BuildRow(event, std::to_string(constantDelay_)), index)) return;
  // The new row is selected, so the release of a click follows its press.
  SelectAction(index);
  UpdateActionEditTab();
  ScrollToSelectionSoon();
}

void CMacroControlUI::InsertPointerMove(macro_actions::MoveDirection direction) {
  static constexpr MoveEdit kEdits[] = {
      {macro_actions::MoveDirection::kLeft, kMoveLeftEdit},
      {macro_actions::MoveDirection::kRight, kMoveRightEdit},
      {macro_actions::MoveDirection::kUp, kMoveUpEdit},
      {macro_actions::MoveDirection::kDown, kMoveDownEdit},
  };
  for (const MoveEdit& entry : kEdits) {
    if (entry.direction != direction) continue;
    CControlUI* edit = Find(entry.edit);
    const uint32_t distance = macro_actions::MoveDistanceOfText(edit ? edit->GetText().str() : std::string());
    InsertMouseAction(macro_actions::PointerMoveEvent(direction, distance));
  }
}
