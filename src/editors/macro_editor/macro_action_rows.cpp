// The action rows: each holds its event as JSON text (the row's content for saving), a name
// label, an action label and the delay edit whose text is what a save writes.
#include <new>

#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "profiles/storage/json_file.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/controls/list_container_element_ui.h"
#include "ui/toolkit/controls/list_ui.h"

using namespace macro_editor;

namespace {

constexpr int kActionLabelWidth = 72;
constexpr int kDelayEditWidth = 76;
constexpr int kDelayEditHeight = 25;
constexpr DWORD kDelayEditColour = 0xFF444444;

CLabelUI* NameLabelOf(CListContainerElementUI* row) {
  return row && row->GetCount() == 3 ? static_cast<CLabelUI*>(row->GetItemAt(0)) : nullptr;
}
CLabelUI* ActionLabelOf(CListContainerElementUI* row) {
  return row && row->GetCount() == 3 ? static_cast<CLabelUI*>(row->GetItemAt(1)) : nullptr;
}
CEditUI* DelayEditOf(CListContainerElementUI* row) {
  return row && row->GetCount() == 3 ? static_cast<CEditUI*>(row->GetItemAt(2)->GetInterface("Edit")) : nullptr;
}

}  // namespace

CListContainerElementUI* CMacroControlUI::RowAt(int index) {
  CListUI* list = ActionList();
  CControlUI* item = list ? list->GetItemAt(index) : nullptr;
  return item ? static_cast<CListContainerElementUI*>(item->GetInterface("ListContainerElement")) : nullptr;
}

CListContainerElementUI* CMacroControlUI::BuildEmptyRow() {
  auto* row = new (std::nothrow) CListContainerElementUI;
  if (!row) return nullptr;
  row->SetName(kActionRow);
  row->SetFixedHeight(kRowHeight);
  row->SetAttribute("inset", "12,0,6,0");
  return row;
}

CListContainerElementUI* CMacroControlUI::BuildRow(const MacroEvent& event, const std::string& delayText) {
  CListContainerElementUI* row = BuildEmptyRow();
  auto* name = new (std::nothrow) CLabelUI;
  auto* action = new (std::nothrow) CLabelUI;
  auto* delay = new (std::nothrow) CEditUI;
  if (!row || !name || !action || !delay) {
    delete row;
    delete name;
    delete action;
    delete delay;
    return nullptr;
  }
  row->SetChildVAlign(DT_VCENTER);
  row->SetAttribute("menu", "true");
  row->Add(name);
  row->Add(action);
  row->Add(delay);
  // The styles are the window's: the row takes the manager before they are applied.
  row->SetManager(m_pManager, nullptr, false);
  name->SetMouseEnabled(false);
  action->SetMouseEnabled(false);
  action->SetFixedWidth(kActionLabelWidth);
  delay->SetName(kDelayEdit);
  delay->SetAttribute("style", kTextLabelStyle);
  delay->SetFixedWidth(kDelayEditWidth);
  delay->SetFixedHeight(kDelayEditHeight);
  delay->SetBkColor(kDelayEditColour);
  delay->SetNativeEditBkColor(kDelayEditColour);
  delay->SetMaxChar(macro_actions::kDelayEditChars);
  delay->SetNumberOnly(true);
  delay->SetMinMaxNumber(static_cast<int>(macro_actions::kMinDelay), static_cast<int>(macro_actions::kMaxDelay));
  delay->SetToolTip("macro_tip_delay");
  delay->SetText(delayText.c_str());
  ShowEventInRow(row, event);
  StoreEventInRow(row, event);
  return row;
}

void CMacroControlUI::ShowEventInRow(CListContainerElementUI* row, const MacroEvent& event) {
  CLabelUI* name = NameLabelOf(row);
  CLabelUI* action = ActionLabelOf(row);
  if (!name || !action) return;
  const macro_actions::EventName shown = macro_actions::NameOfEvent(event);
  name->SetAttribute("style", shown.keyboard ? kKeyboardLabelStyle : kMouseLabelStyle);
  name->SetResourceText(true);
  name->SetText(shown.key ? shown.key : "");
  if (macro_actions::ShowsActionAsText(event)) {
    action->SetAttribute("style", kTextLabelStyle);
    action->SetAttribute("textpadding", "0,0,0,0");  // in line with the press and release labels
    action->SetResourceText(false);
    action->SetText(macro_actions::IsPointerMove(event) ? std::to_string(event.Button).c_str() : "");
  } else {
    action->SetAttribute("style", event.Down ? kDownLabelStyle : kUpLabelStyle);
    action->SetResourceText(true);
    action->SetText(event.Down ? "macro_action_down" : "macro_action_up");
  }
  row->Invalidate();
}

void CMacroControlUI::StoreEventInRow(CListContainerElementUI* row, const MacroEvent& event) {
  if (row) row->SetUserData(StyledJsonText(MacroEventToJson(event)).c_str());
}

bool CMacroControlUI::InsertRow(CListContainerElementUI* row, int index) {
  CListUI* list = ActionList();
  if (!row || !list) {
    delete row;
    return false;
  }
  return list->AddAt(row, index);
}

int CMacroControlUI::ActionCount() {
  CListUI* list = ActionList();
  return list ? list->GetCount() : 0;
}

int CMacroControlUI::SelectedActionIndex() {
  CListUI* list = ActionList();
  return list && list->GetCount() > 0 ? list->GetCurSel() : -1;
}

void CMacroControlUI::SelectAction(int index) {
  CListUI* list = ActionList();
  if (list && index >= 0 && index < list->GetCount()) list->SelectItem(index, false);
}

std::optional<MacroEvent> CMacroControlUI::ActionAt(int index) {
  CListContainerElementUI* row = RowAt(index);
  if (!row || row->GetUserData().IsEmpty()) return std::nullopt;
  Json::Value value;
  if (!ParseJsonText(row->GetUserData().str(), value)) return std::nullopt;
  MacroEvent event = MacroEventFromJson(value);
  event.Delay = macro_actions::DelayOfText(DelayTextAt(index));
  return event;
}

std::string CMacroControlUI::DelayTextAt(int index) {
  CEditUI* edit = DelayEditOf(RowAt(index));
  return edit ? edit->GetText().str() : std::string();
}

void CMacroControlUI::SetDelayTextAt(int index, const std::string& text) {
  if (CEditUI* edit = DelayEditOf(RowAt(index))) edit->SetText(text.c_str());
}

void CMacroControlUI::MoveRow(int from, int to) {
  const std::optional<MacroEvent> event = ActionAt(from);
  CListUI* list = ActionList();
  if (!event || !list) return;
  const std::string delay = DelayTextAt(from);
  list->RemoveAt(from, false);
  InsertRow(BuildRow(*event, delay), to);
  SelectAction(to);
}

void CMacroControlUI::ClearActions() {
  CListUI* list = ActionList();
  if (!list) return;
  list->RemoveAll();
}

std::vector<MacroEvent> CMacroControlUI::CollectEvents(bool* cut) {
  CListUI* list = ActionList();
  std::vector<MacroEvent> events;
  if (!list) return events;
  *cut = false;
  while (list->GetCount() > static_cast<int>(kMaxMacroEvents)) {
    list->RemoveAt(list->GetCount() - 1, false);
    *cut = true;
  }
  for (int i = 0; i < list->GetCount(); ++i) {
    CListContainerElementUI* row = RowAt(i);
    if (!row || row->GetUserData().IsEmpty()) break;
    if (DelayTextAt(i).empty()) SetDelayTextAt(i, "0");
    const std::optional<MacroEvent> event = ActionAt(i);
    if (!event) break;
    StoreEventInRow(row, *event);
    events.push_back(*event);
  }
  return events;
}
