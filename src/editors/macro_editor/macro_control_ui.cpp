// The macro editor's content, its lookups and the macro list.
#include "editors/macro_editor/macro_control_ui.h"

#include <new>

#include "devices/velmar_usb_device.h"
#include "editors/editor_host.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "platform/debug_output.h"
#include "profiles/storage/data_folders.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/list_container_element_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"

using namespace macro_editor;

CMacroControlUI::CMacroControlUI() = default;
CMacroControlUI::~CMacroControlUI() {
  if (recording_ && captureSource_) captureSource_->Stop();
}

LPCTSTR CMacroControlUI::GetClass() const { return "MacroSetControlUI"; }

void* CMacroControlUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("MacroSetControlUI") == 0) return static_cast<CMacroControlUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CMacroControlUI::DoInit() {
  CHorizontalLayoutUI::DoInit();
  EnsureContent();
}

void CMacroControlUI::DoEvent(TEventUI& event) {
  if (event.Type == UIEVENT_TIMER && event.wParam == kScrollTimerId) {
    if (m_pManager) m_pManager->KillTimer(this, kScrollTimerId);
    CListUI* list = ActionList();
    if (list && list->GetCurSel() >= 0) list->EnsureVisible(list->GetCurSel());
    return;
  }
  CHorizontalLayoutUI::DoEvent(event);
}

bool CMacroControlUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("macro editor: ") + kLayoutFile + " not built: " + builder.GetLastError().str());
    return false;
  }
  ShowNoMacro();
  UpdateRecordButtons();
  return true;
}

void CMacroControlUI::BindHost(IEditorHost& host) {
  host_ = &host;
  captureSource_ = host.InputCapture();
  UpdateRecordButtons();
}

void CMacroControlUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  BindHost(host);
  if (device.GetDeviceFolder().empty()) device.SetDeviceFolder(DeviceDataFolder(device.Kind().kindName));
  store_ = std::make_unique<CMacroStore>(device.GetDeviceFolder());
  LoadMacroNames();
}

void CMacroControlUI::SetMacroFolder(const std::string& folder) {
  store_ = std::make_unique<CMacroStore>(folder);
  LoadMacroNames();
}

// ---- controls, looked up by name in the editor's own content ----

CControlUI* CMacroControlUI::Find(const char* name) { return EnsureContent() ? FindNamedChild(this, name) : nullptr; }

CListUI* CMacroControlUI::NameList() {
  CControlUI* control = Find(kNameList);
  return control ? static_cast<CListUI*>(control->GetInterface("List")) : nullptr;
}

CListUI* CMacroControlUI::ActionList() {
  CControlUI* control = Find(kActionList);
  return control ? static_cast<CListUI*>(control->GetInterface("List")) : nullptr;
}

CEditUI* CMacroControlUI::EditNamed(const char* name) {
  CControlUI* control = Find(name);
  return control ? static_cast<CEditUI*>(control->GetInterface("Edit")) : nullptr;
}

COptionUI* CMacroControlUI::ConstantDelayOption() {
  CControlUI* control = Find(kConstantDelayOption);
  return control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
}

// ---- the macro list ----

void CMacroControlUI::AppendNameRow(const MacroListEntry& entry) {
  CListUI* list = NameList();
  auto* row = new (std::nothrow) CListLabelElementUI;
  if (!list || !row) {
    delete row;
    return;
  }
  row->SetFixedHeight(kRowHeight);
  row->SetText(entry.name.c_str());
  row->SetToolTip(entry.name.c_str());
  row->SetUserData(entry.id.c_str());
  list->Add(row);
}

std::vector<std::string> CMacroControlUI::ListedNames() {
  std::vector<std::string> names;
  CListUI* list = NameList();
  for (int i = 0; list && i < list->GetCount(); ++i) names.push_back(list->GetItemAt(i)->GetText().str());
  return names;
}

void CMacroControlUI::LoadMacroNames() {
  CListUI* list = NameList();
  if (!list || !store_) return;
  store_->Load();
  TraceDamagedFiles();
  list->RemoveAll();
  for (const MacroListEntry& entry : store_->Entries()) AppendNameRow(entry);
  if (list->GetCount() > 0) list->SelectItem(0, false);
  LoadSelectedMacro();
}

int CMacroControlUI::MacroCount() {
  CListUI* list = NameList();
  return list ? list->GetCount() : 0;
}

std::string CMacroControlUI::MacroNameAt(int index) {
  CListUI* list = NameList();
  CControlUI* row = list ? list->GetItemAt(index) : nullptr;
  return row ? row->GetText().str() : std::string();
}

int CMacroControlUI::SelectedMacroIndex() {
  CListUI* list = NameList();
  if (!list || list->GetCount() == 0) return -1;
  return list->GetCurSel();
}

void CMacroControlUI::SelectMacro(int index) {
  CListUI* list = NameList();
  if (!list || index < 0 || index >= list->GetCount()) return;
  list->SelectItem(index, false);
  LoadSelectedMacro();
}

std::string CMacroControlUI::AddMacro() {
  CListUI* list = NameList();
  if (!list || !store_) return {};
  const MacroChange change = store_->AddMacro();
  TraceDamagedFiles();
  if (!change.done) {
    OutputDebugString("macro editor: add refused: " + change.detail);
    return {};
  }
  AppendNameRow(store_->Entries()[static_cast<size_t>(change.index)]);
  list->SelectItem(change.index, false);
  LoadSelectedMacro();
  return change.name;
}

MacroNameCheck CMacroControlUI::RenameMacro(const std::string& name) {
  const int selected = SelectedMacroIndex();
  if (selected < 0 || !store_) return MacroNameCheck::kAccepted;
  // The rows are what the user sees: a clash is judged on them.
  if (const MacroNameCheck check = CheckMacroName(name, ListedNames()); check != MacroNameCheck::kAccepted) {
    return check;
  }
  const MacroChange change = store_->RenameMacro(selected, name);
  TraceDamagedFiles();
  if (!change.done) return change.nameCheck;
  CControlUI* row = NameList()->GetItemAt(selected);
  row->SetText(name.c_str());
  row->SetToolTip(name.c_str());
  NameList()->Invalidate();
  SetNameEditText(name);
  return MacroNameCheck::kAccepted;
}

int CMacroControlUI::DeleteSelectedMacro() {
  CListUI* list = NameList();
  const int selected = SelectedMacroIndex();
  if (!list || !store_ || selected < 0) return -1;
  const MacroChange change = store_->DeleteMacro(selected);
  TraceDamagedFiles();
  if (!change.done) {
    OutputDebugString("macro editor: delete refused: " + change.detail);
    return -1;
  }
  list->RemoveAt(selected, false);
  ClearActions();
  if (list->GetCount() > 0) list->SelectItem(0, false);
  LoadSelectedMacro();
  return selected;
}

void CMacroControlUI::LoadSelectedMacro() {
  const int selected = SelectedMacroIndex();
  CListUI* list = NameList();
  if (selected < 0 || !store_ || list->GetItemAt(selected)->GetUserData().IsEmpty()) {
    ShowNoMacro();
    return;
  }
  EnableMacroAreas(true);
  ClearActions();
  for (const MacroEvent& event : store_->ReadMacroEvents(selected)) {
    InsertRow(BuildRow(event, std::to_string(macro_actions::ShownDelay(event.Delay))), ActionCount());
  }
  if (ActionCount() > 0) SelectAction(0);
  UpdateActionEditTab();
  SetNameEditText(store_->Entries()[static_cast<size_t>(selected)].name);
  UpdateRecordButtons();
}

void CMacroControlUI::ShowNoMacro() {
  ClearActions();
  EnableMacroAreas(false);
  SetNameEditText("");
  UpdateActionEditTab();
}

namespace {

constexpr const char* kNoMacroReason = "macro_tip_no_macro";
constexpr const char* kNoActionsReason = "macro_tip_no_actions";
constexpr const char* kRecordingReason = "macro_tip_recording";
// How much of an inoperable button's icon shows (of 255).
constexpr int kInoperableIconFade = 80;

CControlUI* CollectControl(CControlUI* control, void* found) {
  static_cast<std::vector<CControlUI*>*>(found)->push_back(control);
  return nullptr;
}

bool TakesInput(CControlUI* control) {
  return control->GetInterface("Button") || control->GetInterface("Option") || control->GetInterface("Edit");
}

}  // namespace

void CMacroControlUI::SetAreaEnabled(const char* name, bool enabled, const char* reason) {
  CControlUI* area = Find(name);
  if (!area) return;
  std::vector<CControlUI*> controls;
  area->FindControl(CollectControl, &controls, UIFIND_ALL);
  for (CControlUI* control : controls) {
    // The action rows come and go with the macro; the list itself is what is disabled.
    if (control != area && !TakesInput(control)) continue;
    if (control->GetParent() && SameControlName(control->GetName().str(), kDelayEdit)) continue;
    if (!ownTooltips_.count(control)) {
      ownTooltips_[control] = control->GetToolTip();
      ownIcons_[control] = control->GetForeImage();
    }
    control->SetEnabled(enabled);
    if (!TakesInput(control)) continue;
    control->SetToolTip(enabled ? ownTooltips_[control].GetData() : reason);
    const CDuiString& icon = ownIcons_[control];
    if (!icon.IsEmpty()) {
      const std::string faded = icon.str() + " fade='" + std::to_string(kInoperableIconFade) + "'";
      control->SetForeImage(enabled ? icon.GetData() : faded.c_str());
    }
  }
}

void CMacroControlUI::EnableMacroAreas(bool enabled) {
  for (const char* name : {kActionArea, kMoveArea, kExportButton, kDeleteButton, kRenameButton, kNameEdit}) {
    SetAreaEnabled(name, enabled, kNoMacroReason);
  }
  if (enabled) UpdateActionEditTab();
}

void CMacroControlUI::UpdateActionEditTab() {
  if (SelectedMacroIndex() < 0) return;
  const bool editable = !recording_ && ActionCount() > 0;
  SetAreaEnabled(kActionEditTab, editable, recording_ ? kRecordingReason : kNoActionsReason);
}

void CMacroControlUI::UpdateRecordButtons() {
  CControlUI* start = Find(kStartRecordButton);
  CControlUI* stop = Find(kStopRecordButton);
  if (!start || !stop) return;
  start->SetVisible(!recording_);
  stop->SetVisible(recording_);
  const bool available = CanRecord();
  const bool selected = SelectedMacroIndex() >= 0;
  start->SetEnabled(available && selected);
  if (!selected) {
    start->SetToolTip(kNoMacroReason);
  } else if (available) {
    start->SetToolTip("macro_tip_record");
  } else {
    start->SetToolTip(captureSource_ ? captureSource_->UnavailableReason() : "macro_tip_record_no_source");
  }
  // Where the keys and clicks come from; a source that cannot record says why on the button.
  if (CControlUI* line = Find(kCaptureSourceLabel)) {
    line->SetVisible(available);
    line->SetText(available ? captureSource_->DescriptionKey() : "");
  }
}

bool CMacroControlUI::CanRecord() { return captureSource_ && captureSource_->IsAvailable(); }


MacroChange CMacroControlUI::ImportMacro(const std::string& path) {
  MacroChange change;
  CListUI* list = NameList();
  if (path.empty() || !list || !store_) return change;
  change = store_->ImportMacro(path);
  TraceDamagedFiles();
  if (!change.done) return change;
  AppendNameRow(store_->Entries()[static_cast<size_t>(change.index)]);
  list->SelectItem(change.index, false);
  LoadSelectedMacro();
  return change;
}

bool CMacroControlUI::ExportMacro(const std::string& path) {
  const int selected = SelectedMacroIndex();
  if (path.empty() || selected < 0 || !store_) return false;
  return store_->ExportMacro(selected, path);
}

void CMacroControlUI::RestoreNameEdit() {
  const int selected = SelectedMacroIndex();
  SetNameEditText(selected >= 0 ? MacroNameAt(selected) : std::string());
}

std::string CMacroControlUI::GetNameEditText() {
  CControlUI* edit = Find(kNameEdit);
  return edit ? edit->GetText().str() : std::string();
}

void CMacroControlUI::SetNameEditText(const std::string& text) {
  if (CControlUI* edit = Find(kNameEdit)) edit->SetText(text.c_str());
}

int CMacroControlUI::SaveMacro() {
  const int selected = SelectedMacroIndex();
  if (selected < 0 || NameList()->GetItemAt(selected)->GetUserData().IsEmpty()) return -1;
  return WriteMacroFile();
}

int CMacroControlUI::WriteMacroFile() {
  const int selected = SelectedMacroIndex();
  if (selected < 0 || !store_) return -1;
  bool cut = false;
  const std::vector<MacroEvent> events = CollectEvents(&cut);
  if (cut && host_) host_->Tell("message_text_26_1");
  const MacroChange change = store_->SaveMacroEvents(selected, events);
  TraceDamagedFiles();
  if (!change.done) {
    OutputDebugString("macro editor: save failed: " + change.detail);
    if (host_) host_->Tell("macro_write_failed");
    return -1;
  }
  return 0;
}

void CMacroControlUI::ScrollToSelectionSoon() {
  if (m_pManager) m_pManager->SetTimer(this, kScrollTimerId, kScrollDelayMs);
}

void CMacroControlUI::TraceDamagedFiles() {
  if (!store_) return;
  for (const DamagedFileNotice& notice : store_->TakeDamagedFileNotices()) {
    OutputDebugString("macro editor: " + notice.path + " could not be read; its content is kept in " + notice.keptAs);
  }
}
