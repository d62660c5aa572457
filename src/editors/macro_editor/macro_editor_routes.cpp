// The macro editor's buttons, rows and menu: ask where the user must confirm, run the editor's
// operation, save and send where the change needs it, tell what came of it.
#include <fstream>
#include <sstream>

#include "devices/velmar_usb_device.h"
#include "editors/editor_host.h"
#include "editors/macro_editor/macro_control_ui.h"
#include "editors/macro_editor/macro_editor_controls.h"
#include "editors/macro_editor/macro_profile_renumbering.h"
#include "editors/macro_list_listener.h"
#include "platform/debug_output.h"
#include "profiles/macros/macro_bindings.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_api.h"

using namespace macro_editor;
using macro_recording::DelayMode;
using macro_recording::Placement;

namespace {

using Editor = CMacroControlUI;

constexpr const char* kMacroFilter = "Macro Files(*.mac)";
constexpr const char* kMacroExtension = "mac";

constexpr const char* kAskAdd = "message_text_29";
constexpr const char* kAskDelete = "message_text_4";
constexpr const char* kAskDeleteUsed = "message_text_2";
constexpr const char* kListFullNotice = "message_text_33";
constexpr const char* kFileNameTooLongNotice = "message_text_37";
constexpr const char* kImportTrimmedNotice = "message_text_39";
constexpr const char* kWriteFailedNotice = "macro_write_failed";

const char* NameCheckMessageKey(MacroNameCheck check) {
  switch (check) {
    case MacroNameCheck::kStartsWithSpace:
      return "message_text_25";
    case MacroNameCheck::kEmpty:
      return "message_text_5_1";
    case MacroNameCheck::kInUse:
      return "message_text_5";
    case MacroNameCheck::kNotText:
    case MacroNameCheck::kTooLong:
      return "macro_name_invalid";
    case MacroNameCheck::kAccepted:
      break;
  }
  return nullptr;
}

const char* ImportRefusalMessageKey(MacroImportRefusal refusal) {
  switch (refusal) {
    case MacroImportRefusal::kFileNameTooLong:
      return kFileNameTooLongNotice;
    case MacroImportRefusal::kListFull:
      return kListFullNotice;
    case MacroImportRefusal::kBadFileName:
      return "macro_import_bad_name";
    case MacroImportRefusal::kUnreadable:
      return "macro_import_unreadable";
    case MacroImportRefusal::kTooLarge:
    case MacroImportRefusal::kNotJson:
    case MacroImportRefusal::kNotMacro:
    case MacroImportRefusal::kBadEvent:
      return "macro_import_not_macro";
    case MacroImportRefusal::kWriteFailed:
      return kWriteFailedNotice;
    case MacroImportRefusal::kNone:
      break;
  }
  return nullptr;
}

// The menu's commands: mouse buttons to insert, and recordings into the list.
struct ButtonCommand {
  const char* name;
  uint32_t button;
  bool press;
  bool release;
};
constexpr ButtonCommand kButtonCommands[] = {
    {"left_down", macro_actions::kLeftButton, true, false},
    {"left_up", macro_actions::kLeftButton, false, true},
    {"left_click", macro_actions::kLeftButton, true, true},
    {"right_down", macro_actions::kRightButton, true, false},
    {"right_up", macro_actions::kRightButton, false, true},
    {"right_click", macro_actions::kRightButton, true, true},
    {"middle_down", macro_actions::kMiddleButton, true, false},
    {"middle_up", macro_actions::kMiddleButton, false, true},
    {"middle_click", macro_actions::kMiddleButton, true, true},
    {"forward_down", macro_actions::kForwardButton, true, false},
    {"forward_up", macro_actions::kForwardButton, false, true},
    {"forward_click", macro_actions::kForwardButton, true, true},
    {"back_down", macro_actions::kBackButton, true, false},
    {"back_up", macro_actions::kBackButton, false, true},
    {"back_click", macro_actions::kBackButton, true, true},
};

struct RecordCommand {
  const char* name;
  std::optional<DelayMode> mode;  // none: measured, or constant when the option is selected
  Placement placement;
};
const RecordCommand kRecordCommands[] = {
    {"redio_previous_record_time", std::nullopt, Placement::kBefore},
    {"redio_previous_constant_time", DelayMode::kConstant, Placement::kBefore},
    {"redio_previous_ignore_time", DelayMode::kNone, Placement::kBefore},
    {"redio_later_record_time", std::nullopt, Placement::kAfter},
    {"redio_later_constant_time", DelayMode::kConstant, Placement::kAfter},
    {"redio_later_ignore_time", DelayMode::kNone, Placement::kAfter},
    {"macro_action_edit", DelayMode::kNone, Placement::kReplace},
};

constexpr const char* kActionMenuPath = "XML/Menus/macro_action_menu.xml";

// The menu's recording rows carry this user data; they are inoperable while nothing can capture.
constexpr const char* kRecordRowMark = "userdata=\"record\"";

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

const RouteRow<CMacroControlUI> CMacroControlUI::kRouteRows[] = {
    {NotifyKind::kItemSelect, kNameList, false, &Editor::OnNameSelected},
    {NotifyKind::kClick, kAddButton, false, &Editor::OnAdd},
    {NotifyKind::kClick, kDeleteButton, false, &Editor::OnDelete},
    {NotifyKind::kClick, kRenameButton, false, &Editor::OnRename},
    {NotifyKind::kReturn, kNameEdit, false, &Editor::OnRename},
    {NotifyKind::kClick, kImportButton, false, &Editor::OnImport},
    {NotifyKind::kClick, kExportButton, false, &Editor::OnExport},
    {NotifyKind::kClick, kSaveButton, false, &Editor::OnSave},
    {NotifyKind::kClick, kCancelButton, false, &Editor::OnCancel},
    {NotifyKind::kClick, kTopButton, false, &Editor::OnMoveTop},
    {NotifyKind::kClick, kUpButton, false, &Editor::OnMoveUp},
    {NotifyKind::kClick, kDownButton, false, &Editor::OnMoveDown},
    {NotifyKind::kClick, kBottomButton, false, &Editor::OnMoveBottom},
    {NotifyKind::kClick, kDeleteActionButton, false, &Editor::OnDeleteAction},
    {NotifyKind::kClick, kDeleteAllButton, false, &Editor::OnDeleteAll},
    {NotifyKind::kTextChanged, kDelayEdit, false, &Editor::OnDelayTyped},
    {NotifyKind::kClick, kStartRecordButton, false, &Editor::OnStartRecording},
    {NotifyKind::kClick, kStopRecordButton, false, &Editor::OnStopRecording},
    {NotifyKind::kClick, kMoveLeftButton, false, &Editor::OnInsertMove},
    {NotifyKind::kClick, kMoveRightButton, false, &Editor::OnInsertMove},
    {NotifyKind::kClick, kMoveUpButton, false, &Editor::OnInsertMove},
    {NotifyKind::kClick, kMoveDownButton, false, &Editor::OnInsertMove},
    {NotifyKind::kItemActivate, kActionRow, false, &Editor::OnActionMenu},
    {NotifyKind::kContextMenu, kActionRow, false, &Editor::OnActionMenu},
};

std::span<const RouteRow<CMacroControlUI>> CMacroControlUI::Rows() { return kRouteRows; }

// Only an editor bound to its device and window answers. Several pages may show an editor with
// these control names: the notification must come from this editor's own controls.
bool CMacroControlUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  if (!host_ || !msg.pSender) return false;
  for (CControlUI* control = msg.pSender; control; control = control->GetParent()) {
    if (control == this) return DispatchRoute(Rows(), *this, kind, msg);
  }
  return false;
}

bool CMacroControlUI::RouteMenuCommand(std::string_view name) {
  if (!host_ || SelectedMacroIndex() < 0 || recording_) return false;
  for (const ButtonCommand& command : kButtonCommands) {
    if (name != command.name) continue;
    if (command.press) InsertMouseAction(macro_actions::MouseButtonEvent(command.button, true));
    if (command.release) InsertMouseAction(macro_actions::MouseButtonEvent(command.button, false));
    SaveMacro();
    return true;
  }
  for (const RecordCommand& command : kRecordCommands) {
    if (name != command.name) continue;
    StartRecordingFromMenu(command.mode.value_or(IsConstantDelaySelected() ? DelayMode::kConstant : DelayMode::kMeasured),
                           command.placement);
    return true;
  }
  return false;
}

void CMacroControlUI::StartRecordingFromMenu(DelayMode mode, Placement placement) {
  if (!CanRecord()) {
    host_->Tell(captureSource_ ? captureSource_->UnavailableReason() : "macro_tip_record_no_source");
    return;
  }
  BeginRecording(mode, placement);
}

// ---- the macro list ----

void CMacroControlUI::OnNameSelected(TNotifyUI&, int) { LoadSelectedMacro(); }

void CMacroControlUI::FinishNewMacro(const std::string& name) {
  if (listener_) listener_->OnMacroAdded(name);
  if (device_) device_->LoadLightAndMacroNames();
}

void CMacroControlUI::OnAdd(TNotifyUI&, int) {
  if (!host_->Ask(kAskAdd)) return;
  const bool full = MacroCount() >= static_cast<int>(kMaxMacros);
  const std::string name = AddMacro();
  if (!name.empty()) {
    FinishNewMacro(name);
    return;
  }
  host_->Tell(full ? kListFullNotice : kWriteFailedNotice);
}

void CMacroControlUI::OnRename(TNotifyUI&, int) {
  if (SelectedMacroIndex() < 0) return;
  const std::string name = GetNameEditText();
  const MacroNameCheck check = RenameMacro(name);
  if (check != MacroNameCheck::kAccepted) {
    host_->Tell(NameCheckMessageKey(check), false);
    RestoreNameEdit();
    return;
  }
  if (MacroNameAt(SelectedMacroIndex()) != name) {
    // The check passed but the list file could not be written.
    host_->Tell(kWriteFailedNotice, false);
    RestoreNameEdit();
    return;
  }
  if (listener_) listener_->OnMacroRenamed(SelectedMacroIndex(), name);
  if (device_) device_->LoadLightAndMacroNames();
}

void CMacroControlUI::OnDelete(TNotifyUI&, int) {
  if (SelectedMacroIndex() < 0 || !host_->Ask(kAskDelete)) return;
  DeleteMacroWithAssignments();
}

void CMacroControlUI::DeleteMacroWithAssignments() {
  const int macro = SelectedMacroIndex();
  if (macro < 0) return;
  std::vector<KeyAssignmentPair> currentKeys = device_ ? device_->GetKeyAssignments() : std::vector<KeyAssignmentPair>{};
  if (KeyListUsesMacro(currentKeys, macro) && !host_->Ask(kAskDeleteUsed)) return;
  // The macro goes first: while it cannot, no key list is touched.
  if (DeleteSelectedMacro() < 0) {
    host_->Tell(kWriteFailedNotice);
    return;
  }
  bool failed = false;
  if (device_ && device_->ProfileSession()) failed = RenumberOtherProfiles(*device_->ProfileSession(), macro) > 0;
  const bool currentChanged = ForgetMacroInAssignments(currentKeys, macro);
  if (currentChanged) device_->SetKeyAssignments(currentKeys);
  if (listener_) listener_->OnMacroRemoved(macro);
  if (device_) device_->LoadLightAndMacroNames();
  if (failed) host_->Tell(kWriteFailedNotice);
  if (currentChanged) host_->StartMacroTransfer();
}

void CMacroControlUI::TellImportRefusal(const MacroChange& change) {
  OutputDebugString("macro import refused: " + change.detail);
  if (const char* key = ImportRefusalMessageKey(change.importRefusal)) {
    host_->Tell(key);
  } else if (change.listFull) {
    host_->Tell(kListFullNotice);
  } else {
    host_->Tell("macro_import_not_macro");
  }
}

void CMacroControlUI::OnImport(TNotifyUI&, int) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kOpen;
  request.filterLabel = kMacroFilter;
  request.extension = kMacroExtension;
  const std::optional<std::string> path = ShowFileDialog(host_->HostWindow(), request);
  if (!path || path->empty()) return;
  const MacroChange change = ImportMacro(*path);
  if (!change.done) {
    TellImportRefusal(change);
    return;
  }
  if (change.trimmed) host_->Tell(kImportTrimmedNotice);
  FinishNewMacro(change.name);
}

void CMacroControlUI::OnExport(TNotifyUI&, int) {
  const int selected = SelectedMacroIndex();
  if (selected < 0) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filterLabel = kMacroFilter;
  request.extension = kMacroExtension;
  request.suggestedName = MacroNameAt(selected) + "." + kMacroExtension;
  const std::optional<std::string> path = ShowFileDialog(host_->HostWindow(), request);
  if (path && !path->empty() && !ExportMacro(*path)) host_->Tell(kWriteFailedNotice);
}

// ---- the actions ----

void CMacroControlUI::OnSave(TNotifyUI&, int) { SaveMacro(); }
void CMacroControlUI::OnCancel(TNotifyUI&, int) { LoadSelectedMacro(); }

void CMacroControlUI::OnMoveTop(TNotifyUI&, int) {
  MoveActionToTop();
  SaveMacro();
}

void CMacroControlUI::OnMoveUp(TNotifyUI&, int) {
  MoveActionUp();
  SaveMacro();
}

void CMacroControlUI::OnMoveDown(TNotifyUI&, int) {
  MoveActionDown();
  SaveMacro();
}

void CMacroControlUI::OnMoveBottom(TNotifyUI&, int) {
  MoveActionToBottom();
  SaveMacro();
}

void CMacroControlUI::OnDeleteAction(TNotifyUI&, int) {
  DeleteAction();
  if (SaveMacro() == 0) host_->StartMacroTransfer();
}

void CMacroControlUI::OnDeleteAll(TNotifyUI&, int) {
  DeleteAllActions();
  if (SaveMacro() == 0) host_->StartMacroTransfer();
}

void CMacroControlUI::OnDelayTyped(TNotifyUI&, int) { SaveMacro(); }

void CMacroControlUI::OnStartRecording(TNotifyUI&, int) {
  StartRecordingFromMenu(IsConstantDelaySelected() ? DelayMode::kConstant : DelayMode::kMeasured, Placement::kAppend);
}

void CMacroControlUI::OnStopRecording(TNotifyUI&, int) { FinishRecording(); }

void CMacroControlUI::OnCaptureLost() { FinishRecording(); }

void CMacroControlUI::FinishRecording() {
  if (!recording_) return;
  EndRecording();
  if (SaveMacro() == 0) host_->StartMacroTransfer();
}

void CMacroControlUI::OnInsertMove(TNotifyUI& msg, int) {
  const std::string name = msg.pSender->GetName().str();
  macro_actions::MoveDirection direction = macro_actions::MoveDirection::kLeft;
  if (SameControlName(name, kMoveRightButton)) direction = macro_actions::MoveDirection::kRight;
  if (SameControlName(name, kMoveUpButton)) direction = macro_actions::MoveDirection::kUp;
  if (SameControlName(name, kMoveDownButton)) direction = macro_actions::MoveDirection::kDown;
  InsertPointerMove(direction);
  SaveMacro();
}

void CMacroControlUI::OnActionMenu(TNotifyUI& msg, int) {
  if (recording_) return;
  // The activated row becomes the selected one, so the menu's inserts go after it.
  CListUI* list = ActionList();
  if (list) {
    for (int i = 0; i < list->GetCount(); ++i) {
      if (list->GetItemAt(i) == msg.pSender) SelectAction(i);
    }
  }
  ShowActionMenu();
}

void CMacroControlUI::ShowActionMenu() {
  if (!m_pManager) return;
  std::string folder = CPaintManagerUI::GetResourcePath().str();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  std::string layout = ReadWhole(folder + kActionMenuPath);
  if (layout.empty()) {
    OutputDebugString(std::string("macro editor: ") + kActionMenuFile + " cannot be read");
    return;
  }
  if (!CanRecord()) {
    const std::string reason = captureSource_ ? captureSource_->UnavailableReason() : "macro_tip_record_no_source";
    const std::string inoperable = std::string(kRecordRowMark) + " enabled=\"false\" tooltip=\"" + reason + "\"";
    for (size_t at = layout.find(kRecordRowMark); at != std::string::npos;
         at = layout.find(kRecordRowMark, at + inoperable.size())) {
      layout.replace(at, std::string(kRecordRowMark).size(), inoperable);
    }
  }
  POINT point{};
  GetCursorPos(&point);
  (new CMenuWnd)->Init(layout.c_str(), point, m_pManager);
}
