// The profile panel's buttons: ask where the user must confirm, run the panel's operation, tell
// what came of it.
#include "editors/profile_panel/device_profile_ui.h"
#include "platform/debug_output.h"
#include "profiles/profile_import.h"
#include "profiles/profile_list/profile_names.h"
#include "profiles/storage/text_conversions.h"
#include "ui/toolkit/file_dialog.h"
#include "windows/main_wnd/control_router.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/msg_wnd.h"

namespace {

constexpr const char* kProfileFilter = "Profile Files(*.json)";
constexpr const char* kProfileExtension = "json";

constexpr const char* kAskAdd = "message_text_28";
constexpr const char* kAskDelete = "message_text_30";
constexpr const char* kAskCopy = "message_text_27";
constexpr const char* kAskReset = "message_text_22";
constexpr const char* kLimitReached = "message_text_32";
constexpr const char* kNameTooLong = "message_text_34";
constexpr const char* kNameInUse = "message_text_5";
constexpr const char* kNameBlank = "message_text_25";
constexpr const char* kImportRefused = "message_profile_import_refused";
constexpr const char* kWriteFailedNotice = "message_profile_write_failed";

bool Ask(CMainWnd& window, const char* key) {
  return ShowMessageBox(window.GetHWND(), nullptr, key, window.GetWindowDpi(), true, CMsgWnd::kQuestion) ==
         int(CMsgWnd::kConfirmed);
}

// Notices about a typed name have no owner window, like every notice of the name edit.
void Tell(CMainWnd& window, const char* key, bool owned = true) {
  ShowMessageBox(owned ? window.GetHWND() : nullptr, nullptr, key, window.GetWindowDpi(), true, CMsgWnd::kNotice);
}

// Add, copy and import answer the same way.
void TellAddResult(CMainWnd& window, int result) {
  if (result == CDeviceProfileUI::kLimitReached) Tell(window, kLimitReached);
  if (result == CDeviceProfileUI::kWriteFailed) Tell(window, kWriteFailedNotice);
}

}  // namespace

void CControlRouter::OnProfileAdd(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || !Ask(window_, kAskAdd)) return;
  TellAddResult(window_, panel->AddProfile());
}

void CControlRouter::OnProfileDelete(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || !Ask(window_, kAskDelete)) return;
  // The device leaves the deleted profile at once: a save in between would write its file again.
  if (panel->DeleteProfile()) window_.ApplySelectedProfile();
}

void CControlRouter::OnProfileCopy(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || !Ask(window_, kAskCopy)) return;
  TellAddResult(window_, panel->CopyProfile());
}

void CControlRouter::OnProfileImport(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || panel->GetSelectedIndex() == -1) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kOpen;
  request.filterLabel = kProfileFilter;
  request.extension = kProfileExtension;
  const std::optional<std::string> path = ShowFileDialog(window_.GetHWND(), request);
  if (!path) return;
  const ProfileImportCheck check = ReadProfileForImport(*path);
  if (check.refusal != ProfileImportRefusal::kNone) {
    OutputDebugString("profile import refused: " + *path + ": " + check.detail);
    Tell(window_, kImportRefused);
    return;
  }
  for (const std::string& adjustment : check.adjustments) OutputDebugString("profile import: " + adjustment);
  std::string name = FileTitleOf(*path);
  // A file named only by its extension (".json") is known by the name it carries.
  if (name.empty()) name = check.document["profilename"].asString();
  if (CheckProfileName(name) == ProfileNameCheck::kTooLong) {
    Tell(window_, kNameTooLong);
    return;
  }
  TellAddResult(window_, panel->ImportProfile(check.document, name));
}

void CControlRouter::OnProfileExport(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || panel->GetSelectedIndex() == -1) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filterLabel = kProfileFilter;
  request.extension = kProfileExtension;
  request.suggestedName = panel->GetSelectedProfileName() + "." + kProfileExtension;
  const std::optional<std::string> path = ShowFileDialog(window_.GetHWND(), request);
  if (path && !panel->ExportProfile(*path)) Tell(window_, kWriteFailedNotice);
}

void CControlRouter::OnProfileReset(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel || !Ask(window_, kAskReset)) return;
  if (!panel->ResetProfile()) {
    Tell(window_, kWriteFailedNotice);
    return;
  }
  window_.ApplySelectedProfile();
}

void CControlRouter::OnProfileRename(TNotifyUI&, int) {
  CDeviceProfileUI* panel = SelectedProfilePanel();
  if (!panel) return;
  const std::string name = panel->GetNameEditText();
  if (const ProfileNameCheck check = CheckProfileName(name); check != ProfileNameCheck::kAccepted) {
    Tell(window_, ProfileNameMessageKey(check), false);
    return;
  }
  switch (panel->RenameProfile(name)) {
    case CDeviceProfileUI::kRenameNameInUse:
      Tell(window_, kNameInUse, false);
      break;
    case CDeviceProfileUI::kRenameBlank:
      Tell(window_, kNameBlank, false);
      break;
    case CDeviceProfileUI::kWriteFailed:
      Tell(window_, kWriteFailedNotice, false);
      break;
    default:
      break;
  }
}

void CControlRouter::OnProfileMenu(TNotifyUI&, int) {
  if (CDeviceProfileUI* panel = SelectedProfilePanel()) panel->ShowProfileMenu(!panel->IsProfileMenuVisible());
}

void CControlRouter::OnProfileChosen(TNotifyUI&, int) { window_.StartProfileSwitch(); }
