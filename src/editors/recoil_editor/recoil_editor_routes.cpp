// The recoil editor's controls. A field or direction change is written to the gun's file at once;
// the mouse gets the tables only from "save".
#include <optional>

#include "editors/editor_host.h"
#include "editors/recoil_editor/recoil_editor_controls.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "platform/debug_output.h"
#include "transport/result_codes.h"
#include "ui/toolkit/file_dialog.h"

using namespace recoil_editor;

namespace {

using Editor = CShootControlUI;
using ImportResult = CRecoilFiles::ImportResult;

constexpr const char* kAskReset = "recoil_ask_reset";
constexpr const char* kWriteFailedNotice = "recoil_write_failed";
constexpr const char* kImportUnreadableNotice = "recoil_import_unreadable";
constexpr const char* kImportRefusedNotice = "recoil_import_refused";
constexpr const char* kResetFailedNotice = "recoil_reset_failed";
constexpr const char* kSendFailedNotice = "recoil_send_failed";
constexpr const char* kNotLinkedNotice = "recoil_send_not_linked";
constexpr const char* kSentState = "recoil_state_sent";
constexpr const char* kEditedState = "recoil_state_edited";

FileDialogRequest ShootFileRequest(FileDialogRequest::Mode mode) {
  FileDialogRequest request;
  request.mode = mode;
  request.filterLabel = kFilter;
  request.extension = kExtension;
  return request;
}

}  // namespace

const RouteRow<CShootControlUI> CShootControlUI::kRouteRows[] = {
    {NotifyKind::kSelectChanged, kGunOption, true, &Editor::OnGun},
    {NotifyKind::kSelectChanged, kBulletOption, true, &Editor::OnBullet},
    {NotifyKind::kClick, kPreviousButton, false, &Editor::OnPrevious},
    {NotifyKind::kClick, kNextButton, false, &Editor::OnNext},
    // A typed number is kept when the field is left or Enter is pressed.
    {NotifyKind::kFocusLost, kXEdit, false, &Editor::OnField},
    {NotifyKind::kFocusLost, kYEdit, false, &Editor::OnField},
    {NotifyKind::kFocusLost, kDelayEdit, false, &Editor::OnField},
    {NotifyKind::kReturn, kXEdit, false, &Editor::OnField},
    {NotifyKind::kReturn, kYEdit, false, &Editor::OnField},
    {NotifyKind::kReturn, kDelayEdit, false, &Editor::OnField},
    {NotifyKind::kSelectChanged, kXCheck, false, &Editor::OnXDirection},
    {NotifyKind::kSelectChanged, kYCheck, false, &Editor::OnYDirection},
    {NotifyKind::kClick, kSaveButton, false, &Editor::OnSave},
    {NotifyKind::kClick, kResetButton, false, &Editor::OnReset},
    {NotifyKind::kClick, kImportButton, false, &Editor::OnImport},
    {NotifyKind::kClick, kExportButton, false, &Editor::OnExport},
};

std::span<const RouteRow<CShootControlUI>> CShootControlUI::Rows() { return kRouteRows; }

// Only an editor bound to its device and window answers.
bool CShootControlUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  return device_ && host_ && DispatchRoute(Rows(), *this, kind, msg);
}

// A gun or bullet option tells of both its choice and the others' release; the chosen one carries it.
void CShootControlUI::OnGun(TNotifyUI& msg, int index) {
  if (!IsSelectedOption(msg)) return;
  SelectGun(index);
  LoadBullet();
}

void CShootControlUI::OnBullet(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) SelectBullet(index);
}

void CShootControlUI::OnPrevious(TNotifyUI&, int) { PreviousBullet(); }
void CShootControlUI::OnNext(TNotifyUI&, int) { NextBullet(); }

void CShootControlUI::OnField(TNotifyUI&, int) {
  if (!SaveBullet()) {
    host_->Tell(kWriteFailedNotice);
    return;
  }
  SetState(kEditedState);
}

// A direction is kept at once, as a typed number is: a choice shown is a choice stored.
void CShootControlUI::OnXDirection(TNotifyUI& msg, int index) {
  ShowXDirection();
  OnField(msg, index);
}

void CShootControlUI::OnYDirection(TNotifyUI& msg, int index) {
  ShowYDirection();
  OnField(msg, index);
}

void CShootControlUI::OnSave(TNotifyUI&, int) {
  const int result = SendTables();
  if (result == kResultSuccess) {
    SetState(kSentState);
    return;
  }
  OutputDebugString("recoil tables not sent: " + std::to_string(result));
  host_->Tell(result == kResultNotLinked ? kNotLinkedNotice : kSendFailedNotice);
}

void CShootControlUI::OnReset(TNotifyUI&, int) {
  if (!host_->Ask(kAskReset)) return;
  if (!ResetGun(CurrentGun())) {
    host_->Tell(kResetFailedNotice);
    return;
  }
  SetState(kEditedState);
}

void CShootControlUI::OnImport(TNotifyUI&, int) {
  const std::optional<std::string> path =
      ShowFileDialog(host_->HostWindow(), ShootFileRequest(FileDialogRequest::Mode::kOpen));
  if (!path || path->empty()) return;
  switch (ImportGun(*path)) {
    case ImportResult::kImported:
      SetState(kEditedState);
      return;
    case ImportResult::kUnreadable:
      host_->Tell(kImportUnreadableNotice);
      return;
    case ImportResult::kRefused:
      host_->Tell(kImportRefusedNotice);
      return;
    case ImportResult::kWriteFailed:
      host_->Tell(kWriteFailedNotice);
      return;
  }
}

void CShootControlUI::OnExport(TNotifyUI&, int) {
  FileDialogRequest request = ShootFileRequest(FileDialogRequest::Mode::kSave);
  request.suggestedName = "ShootData_" + std::to_string(CurrentGun()) + "." + kExtension;
  const std::optional<std::string> path = ShowFileDialog(host_->HostWindow(), request);
  if (path && !path->empty() && !ExportGun(*path)) host_->Tell(kWriteFailedNotice);
}
