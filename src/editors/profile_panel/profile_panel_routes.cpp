// The profile panel's buttons, drop-down and function tabs: ask where the user must confirm, run
// the panel's operation, tell what came of it.
#include "devices/velmar_usb_device.h"
#include "editors/editor_host.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "editors/profile_panel/profile_panel_controls.h"
#include "platform/debug_output.h"
#include "profiles/profile_import.h"
#include "profiles/profile_list/profile_names.h"
#include "profiles/storage/text_conversions.h"
#include "ui/toolkit/file_dialog.h"

using namespace profile_panel;

namespace {

using Panel = CDeviceProfileUI;

constexpr const char* kProfileFilter = "Profile Files(*.json)";
constexpr const char* kProfileExtension = "json";

constexpr const char* kAskAdd = "message_text_28";
constexpr const char* kAskDelete = "message_text_30";
constexpr const char* kAskCopy = "message_text_27";
constexpr const char* kAskReset = "message_text_22";
constexpr const char* kLimitReachedNotice = "message_text_32";
constexpr const char* kNameInUse = "message_text_5";
constexpr const char* kNameBlank = "message_text_25";
constexpr const char* kImportRefused = "message_profile_import_refused";
constexpr const char* kWriteFailedNotice = "message_profile_write_failed";

}  // namespace

const RouteRow<CDeviceProfileUI> CDeviceProfileUI::kRouteRows[] = {
    {NotifyKind::kClick, kAddButton, false, &Panel::OnAdd},
    {NotifyKind::kClick, kDeleteButton, false, &Panel::OnDelete},
    {NotifyKind::kClick, kCopyButton, false, &Panel::OnCopy},
    {NotifyKind::kClick, kImportButton, false, &Panel::OnImport},
    {NotifyKind::kClick, kExportButton, false, &Panel::OnExport},
    {NotifyKind::kClick, kResetButton, false, &Panel::OnReset},
    {NotifyKind::kClick, kRenameButton, false, &Panel::OnRename},
    {NotifyKind::kClick, kMenuButton, false, &Panel::OnMenu},
    {NotifyKind::kItemSelect, kCombo, false, &Panel::OnChosen},
    {NotifyKind::kSelectChanged, kTabs[0], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[1], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[2], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[3], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[4], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[5], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[6], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[7], false, &Panel::OnFunctionTab},
    {NotifyKind::kSelectChanged, kTabs[8], false, &Panel::OnFunctionTab},
};

std::span<const RouteRow<CDeviceProfileUI>> CDeviceProfileUI::Rows() { return kRouteRows; }

// Only a panel bound to its device and window answers; a panel on its own has nobody to ask.
bool CDeviceProfileUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  return host_ && DispatchRoute(Rows(), *this, kind, msg);
}

// Add, copy and import end the same way: the device takes the new profile, as a choice in the
// drop-down makes it do, or the user is told why there is none.
void CDeviceProfileUI::FinishNewProfile(int result) {
  if (result == kDone) host_->ApplySelectedProfile();
  if (result == kLimitReached) host_->Tell(kLimitReachedNotice);
  if (result == kWriteFailed) host_->Tell(kWriteFailedNotice);
}

void CDeviceProfileUI::OnAdd(TNotifyUI&, int) {
  if (host_->Ask(kAskAdd)) FinishNewProfile(AddProfile());
}

void CDeviceProfileUI::OnDelete(TNotifyUI&, int) {
  // The button is inoperable then; nothing would be deleted, so nothing is asked.
  if (!CanDeleteProfile() || !host_->Ask(kAskDelete)) return;
  // The device leaves the deleted profile at once: a save in between would write its file again.
  if (DeleteProfile()) host_->ApplySelectedProfile();
}

void CDeviceProfileUI::OnCopy(TNotifyUI&, int) {
  if (host_->Ask(kAskCopy)) FinishNewProfile(CopyProfile());
}

void CDeviceProfileUI::OnImport(TNotifyUI&, int) {
  if (GetSelectedIndex() == -1) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kOpen;
  request.filterLabel = kProfileFilter;
  request.extension = kProfileExtension;
  const std::optional<std::string> path = ShowFileDialog(host_->HostWindow(), request);
  if (!path) return;
  const ProfileImportCheck check = ReadProfileForImport(*path);
  if (check.refusal != ProfileImportRefusal::kNone) {
    OutputDebugString("profile import refused: " + *path + ": " + check.detail);
    host_->Tell(kImportRefused);
    return;
  }
  for (const std::string& adjustment : check.adjustments) OutputDebugString("profile import: " + adjustment);
  std::string name = FileTitleOf(*path);
  // A file named only by its extension (".json") is known by the name it carries.
  if (name.empty()) name = check.document["profilename"].asString();
  if (name.empty()) name = NextFreeProfileName(ItemNames());
  // A file name longer than the rule is no reason to refuse the profile: the profile is listed
  // under the first characters that fit.
  FinishNewProfile(ImportProfile(check.document, name));
}

void CDeviceProfileUI::OnExport(TNotifyUI&, int) {
  if (GetSelectedIndex() == -1) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filterLabel = kProfileFilter;
  request.extension = kProfileExtension;
  request.suggestedName = GetSelectedProfileName() + "." + kProfileExtension;
  const std::optional<std::string> path = ShowFileDialog(host_->HostWindow(), request);
  if (path && !ExportProfile(*path)) host_->Tell(kWriteFailedNotice);
}

void CDeviceProfileUI::OnReset(TNotifyUI&, int) {
  if (!host_->Ask(kAskReset)) return;
  if (!ResetProfile()) {
    host_->Tell(kWriteFailedNotice);
    return;
  }
  host_->ApplySelectedProfile();
}

void CDeviceProfileUI::OnRename(TNotifyUI&, int) {
  const std::string name = GetNameEditText();
  if (const ProfileNameCheck check = CheckProfileName(name); check != ProfileNameCheck::kAccepted) {
    host_->Tell(ProfileNameMessageKey(check), false);
    return;
  }
  switch (RenameProfile(name)) {
    case kRenameNameInUse:
      host_->Tell(kNameInUse, false);
      break;
    case kRenameBlank:
      host_->Tell(kNameBlank, false);
      break;
    case kWriteFailed:
      host_->Tell(kWriteFailedNotice, false);
      break;
    default:
      break;
  }
}

void CDeviceProfileUI::OnMenu(TNotifyUI&, int) { ShowProfileMenu(!IsProfileMenuVisible()); }

void CDeviceProfileUI::OnChosen(TNotifyUI&, int) { host_->StartProfileSwitch(); }

void CDeviceProfileUI::OnFunctionTab(TNotifyUI& msg, int) {
  if (!IsSelectedOption(msg) || !device_) return;
  const int type = TabNumberOf(msg.pSender->GetName().str());
  if (type == 0) return;
  device_->SetFunctionType(type);
  SelectTab(type);
}
