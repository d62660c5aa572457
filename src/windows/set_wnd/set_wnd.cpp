#include "windows/set_wnd/set_wnd.h"

#include <algorithm>
#include <utility>

#include "platform/debug_output.h"
#include "profiles/settings/language_list.h"
#include "profiles/settings/update_time_file.h"
#include "profiles/storage/data_folders.h"
#include "ui/controls/text_key.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/set_wnd/set_wnd_controls.h"

using namespace set_wnd;

namespace {

using Wnd = CSetWnd;

constexpr int kWindowWidth = 630;
constexpr int kWindowHeight = 500;
constexpr int kRowHeight = 50;
constexpr int kLanguageItemHeight = 28;
constexpr uintptr_t kScreenshotTimer = 1;
constexpr UINT kScreenshotDelayMs = 300;
constexpr size_t kListFillerSlot = 0;

struct StatusLook {
  const char* textKey;
  bool ring;          // something is under way
  const char* image;  // otherwise
};
constexpr const char* kDoneImage = "common/done.svg";
constexpr const char* kNoticeImage = "main/status_dot.svg";
// Indexed by status. An update that runs shows the busy ring, as the look for updates does.
constexpr StatusLook kStatusLooks[] = {
    {TextKey("GetUpdateInfoText"), true, kNoticeImage}, {TextKey("HaveUpdateInfoText"), false, kNoticeImage},
    {TextKey("NoUpdateInfoText"), false, kNoticeImage}, {TextKey("ISUpdateINGText"), true, kNoticeImage},
    {TextKey("UpdateIsLastText"), false, kDoneImage},
};

bool IsOffered(int state) {
  return state == kUpdateAvailable || state == kUpdateAvailableToo || state == kUpdateFailed;
}

// A row in one of these states is on its way: the window stays until it ends.
bool IsBusy(int state) { return state >= kUpdateWaitingForDownload && state <= kUpdateInstalling; }

template <typename T>
T* Find(CPaintManagerUI& manager, const char* name, const char* kind) {
  CControlUI* control = manager.FindControl(name);
  return control ? static_cast<T*>(control->GetInterface(kind)) : nullptr;
}

}  // namespace

const RouteRow<CSetWnd> CSetWnd::kRouteRows[] = {
    {NotifyKind::kClick, kCloseButton, false, &Wnd::OnCloseButton},
    {NotifyKind::kClick, kLaterButton, false, &Wnd::OnCloseButton},
    {NotifyKind::kClick, kUpdateButton, false, &Wnd::OnUpdateButton},
    {NotifyKind::kClick, kStartUpdateButton, false, &Wnd::OnStartUpdates},
    {NotifyKind::kClick, kBackButton, false, &Wnd::OnBack},
    {NotifyKind::kSelectChanged, kRowCheck, false, &Wnd::OnRowChosen},
    {NotifyKind::kItemSelect, kLanguageCombo, false, &Wnd::OnLanguageChosen},
};

std::span<const RouteRow<CSetWnd>> CSetWnd::Routes() { return kRouteRows; }

CSetWnd::CSetWnd(std::string updateTimePath, std::string today, UINT updaterReport)
    : m_sUpdateTimePath(std::move(updateTimePath)), m_sToday(std::move(today)), m_updaterReport(updaterReport) {}

CSetWnd::~CSetWnd() { StopWorkers(); }

CDuiString CSetWnd::GetSkinFile() { return kLayoutFile; }

void CSetWnd::InitWindow() {
  m_pLanguageCombo = Find<CComboUI>(m_pm, kLanguageCombo, "Combo");
  m_pUpdateList = Find<CListUI>(m_pm, kUpdateList, "List");
  m_pUpdatePages = Find<CTabLayoutUI>(m_pm, kUpdatePages, "TabLayout");
  m_pUpdateButton = m_pm.FindControl(kUpdateButton);
  m_pStatusRing = m_pm.FindControl(kStatusRing);
  m_pStatusImage = m_pm.FindControl(kStatusImage);
  m_pStatusText = m_pm.FindControl(kStatusText);
  m_pCloseButton = m_pm.FindControl(kCloseButton);
  m_pLaterButton = m_pm.FindControl(kLaterButton);
  SetWindowPos(m_hWnd, nullptr, 0, 0, kWindowWidth, kWindowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSetWnd::SetWindowDpi(int dpi) {
  if (dpi == m_nDpi) return;
  if (CDPI::IsValidDPI(dpi)) {
    m_nDpi = dpi;
  } else {
    OutputDebugString("SET_WND DPI SET ERROR");
    m_nDpi = 96;
  }
  CPaintManagerUI::SetAllDPI(m_nDpi);
}

void CSetWnd::SetMainWindow(HWND mainWindow, int languageIndex) {
  m_hMainWnd = mainWindow;
  m_nLanguageIndex = languageIndex;
}

void CSetWnd::SetUpdateEntries(std::vector<UpdateEntry> entries) { m_entries = std::move(entries); }

CUpdateInfoListItemUI* CSetWnd::RowControl(size_t index) const {
  return index < m_rowControls.size() ? m_rowControls[index] : nullptr;
}

// ---- start ----

void CSetWnd::OnWindowInit() {
  FillLanguages();
  m_sLastUpdateDate = ReadOrStartUpdateTime(m_sUpdateTimePath, m_sToday);
  StartListFiller();
}

void CSetWnd::FillLanguages() {
  if (!m_pLanguageCombo) return;
  for (const LanguageEntry& language : ReadLanguageList(DefaultDataFolder())) {
    auto* item = new (std::nothrow) CListLabelElementUI;
    if (!item) continue;
    item->SetFixedHeight(kLanguageItemHeight);
    item->SetText(language.text.c_str());
    m_pLanguageCombo->Add(item);
  }
  if (m_nLanguageIndex >= 0 && m_nLanguageIndex < m_pLanguageCombo->GetCount()) {
    m_pLanguageCombo->SelectItem(m_nLanguageIndex, false);
  }
}

// The rows are worked out on the filler's thread and built from their layout on the
// user-interface thread, which owns the list.
void CSetWnd::StartListFiller() {
  SetUpdateStatus(kLooking);
  std::weak_ptr<int> alive = m_alive;
  m_workers.Start(kListFillerSlot, [this, alive, entries = m_entries](CEvent& stop) {
    std::vector<UpdateRowInfo> rows;
    for (const UpdateEntry& entry : entries) {
      if (stop.IsSet()) return;
      rows.push_back(MakeUpdateRowInfo(entry));
    }
    PostUiTask([this, alive, rows = std::move(rows)]() mutable {
      if (alive.lock()) AddRows(std::move(rows));
    });
  });
}

void CSetWnd::AddRows(std::vector<UpdateRowInfo> rows) {
  for (UpdateRowInfo& info : rows) {
    CDialogBuilder builder;
    CControlUI* built = m_pUpdateList ? builder.Create(kRowLayoutFile, nullptr, nullptr, &m_pm) : nullptr;
    auto* row = built ? static_cast<CUpdateInfoListItemUI*>(built->GetInterface("UpdateInfoListItemUI")) : nullptr;
    if (!row) {
      OutputDebugString("settings window: an update row could not be built");
      delete built;
      continue;
    }
    row->SetFixedHeight(kRowHeight);
    row->SetItemName(info.Name.c_str());
    row->SetNewVersion(info.NewVersion.c_str());
    row->SetOldVersion(info.OldVersion.c_str());
    m_pUpdateList->Add(row);
    m_rows.push_back(std::move(info));
    m_rowControls.push_back(row);
    SetRowState(m_rows.size() - 1, m_rows.back().State);
  }
  m_bFilled = true;
  if (m_followIndex >= 0 && static_cast<size_t>(m_followIndex) < m_rows.size()) {
    m_nCurrentRow = m_followIndex;
    SetRowState(static_cast<size_t>(m_nCurrentRow), kUpdateInstalling);
    SetUpdateStatus(kUpdating);
  } else {
    ShowStatusAfterUpdates();
  }
  if (!m_sScreenshotPath.empty()) SaveScreenshotSoon();
}

// ---- rows ----

void CSetWnd::SetRowState(size_t index, int state) {
  CUpdateInfoListItemUI* row = RowControl(index);
  if (!row) return;
  m_rows[index].State = state;
  row->SetUpdateState(state);
  // An update nothing here can install is shown, but cannot be chosen; the check says why.
  const char* tip = "";
  if (IsOffered(state) && !m_rows[index].UpdaterInstalled) {
    row->EnableCheck(false);
    tip = TextKey("setwnd_tip_no_updater");
  } else if (IsOffered(state)) {
    tip = TextKey("setwnd_tip_choose_update");
  }
  row->SetToolTip(tip);
  if (CControlUI* check = m_pm.FindSubControlByName(row, kRowCheck)) check->SetToolTip(tip);
  FollowCloseAllowed();
}

void CSetWnd::OnRowChosen(TNotifyUI&, int) {
  const bool anyChosen = std::any_of(m_rowControls.begin(), m_rowControls.end(),
                                     [](CUpdateInfoListItemUI* row) { return row->IsCheckSelected(); });
  if (!m_pUpdateButton) return;
  m_pUpdateButton->SetEnabled(anyChosen);
  m_pUpdateButton->SetVisible(anyChosen);
}

void CSetWnd::ShowUpdatePage(int page) {
  if (m_pUpdatePages) m_pUpdatePages->SelectItem(page);
}

void CSetWnd::OnUpdateButton(TNotifyUI&, int) { ShowUpdatePage(1); }

void CSetWnd::OnBack(TNotifyUI&, int) { ShowUpdatePage(0); }

// A row whose update failed can be chosen again, and is then started like the others.
void CSetWnd::OnStartUpdates(TNotifyUI&, int) {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (!IsOffered(m_rows[i].State)) continue;
    if (m_rowControls[i]->IsCheckSelected()) {
      SetRowState(i, kUpdateWaitingForDownload);
    } else {
      m_rowControls[i]->EnableCheck(false);
    }
  }
  if (m_pUpdateButton) m_pUpdateButton->SetEnabled(false);
  ShowUpdatePage(0);
  StartNextUpdate();
}

void CSetWnd::StartNextUpdate() {
  if (m_nCurrentRow >= 0) return;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].State != kUpdateWaitingForDownload) continue;
    if (m_starter && m_starter(m_entries[i])) {
      m_nCurrentRow = static_cast<int>(i);
      SetRowState(i, kUpdateInstalling);
      SetUpdateStatus(kUpdating);
      return;
    }
    SetRowState(i, kUpdateFailed);
    m_rowControls[i]->SelectCheck(false, false);
  }
  ShowStatusAfterUpdates();
}

// After the list is filled and after each update: the chosen rows that wait go on; otherwise
// every row that still offers an update can be chosen again, and the status says whether any does.
void CSetWnd::ShowStatusAfterUpdates() {
  const bool waiting = std::any_of(m_rows.begin(), m_rows.end(),
                                   [](const UpdateRowInfo& row) { return row.State == kUpdateWaitingForDownload; });
  if (waiting) return;
  bool offered = false;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (!IsOffered(m_rows[i].State)) continue;
    offered = true;
    if (m_rows[i].UpdaterInstalled) m_rowControls[i]->EnableCheck(true);
  }
  SetUpdateStatus(offered ? kUpdatesAvailable : kUpToDate);
}

void CSetWnd::OnUpdaterReport(WPARAM report, LPARAM value) {
  if (m_nCurrentRow < 0 || static_cast<size_t>(m_nCurrentRow) >= m_rows.size()) return;
  const size_t index = static_cast<size_t>(m_nCurrentRow);
  CUpdateInfoListItemUI* row = m_rowControls[index];
  switch (report) {
    case kReportSucceeded:
      m_rows[index].OldVersion = m_rows[index].NewVersion;
      m_rows[index].NewVersion.clear();
      row->SetOldVersion(m_rows[index].OldVersion.c_str());
      row->SetNewVersion("");
      SetRowState(index, kUpdateDone);
      row->SelectCheck(false, false);
      break;
    case kReportFailed:
    case kReportFailedToo:
      SetRowState(index, kUpdateFailed);
      row->SelectCheck(false, false);
      break;
    case kReportProgress:
      row->SetProgress(static_cast<int>(std::clamp<LPARAM>(value, 0, 100)));
      return;
    default:
      return;
  }
  m_nCurrentRow = -1;
  StartNextUpdate();
}

// ---- status ----

void CSetWnd::SetUpdateStatus(int status) {
  if (status < kLooking || status > kUpToDate) return;
  m_nStatus = status;
  const StatusLook& look = kStatusLooks[status];
  if (m_pStatusRing) m_pStatusRing->SetVisible(look.ring);
  if (m_pStatusImage) {
    m_pStatusImage->SetBkImage(look.image);
    m_pStatusImage->SetVisible(!look.ring);
  }
  if (m_pStatusText) {
    if (status == kUpToDate) {
      // A language text with the date after it: shown as plain text, rebuilt when the language
      // changes.
      const std::string text = CResourceManager::GetInstance()->GetText(look.textKey).str() + m_sLastUpdateDate;
      m_pStatusText->SetResourceText(false);
      m_pStatusText->SetText(text.c_str());
    } else {
      m_pStatusText->SetResourceText(true);
      m_pStatusText->SetText(look.textKey);
    }
  }
  if (status == kUpToDate && m_hMainWnd) ::SendMessage(m_hMainWnd, WM_CLEAR_UPDATE_BADGE, 0, 0);
}

// ---- closing ----

bool CSetWnd::IsCloseRefused() const {
  return std::any_of(m_rows.begin(), m_rows.end(), [](const UpdateRowInfo& row) { return IsBusy(row.State); });
}

// While an update runs the window stays, so its end is seen; the close buttons say so.
void CSetWnd::FollowCloseAllowed() {
  const bool refused = IsCloseRefused();
  for (CControlUI* button : {m_pCloseButton, m_pLaterButton}) {
    if (!button) continue;
    button->SetEnabled(!refused);
    button->SetToolTip(refused ? TextKey("setwnd_tip_close_updating") : TextKey("setwnd_tip_close"));
  }
}

void CSetWnd::StopWorkers() {
  m_workers.StopAll([](size_t slot) {
    OutputDebugString("settings window: worker " + std::to_string(slot) + " took long to end");
  });
}

void CSetWnd::OnCloseButton(TNotifyUI&, int) {
  StopWorkers();
  Close(IDOK);
}

LRESULT CSetWnd::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
  if (!m_bForceClose && IsCloseRefused()) {
    bHandled = true;
    return 0;
  }
  StopWorkers();
  bHandled = false;
  return 0;
}

// The window manager's close (a key, the task bar) closes this window, even while an update
// runs; the program goes on.
LRESULT CSetWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) != SC_CLOSE) return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
  bHandled = true;
  StopWorkers();
  m_bForceClose = true;
  Close(IDOK);
  return 0;
}

LRESULT CSetWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
  if (wParam != VK_ESCAPE) return 0;
  if (!IsCloseRefused()) Close(IDOK);
  return 1;
}

// ---- notifications and messages ----

void CSetWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_WINDOWINIT) OnWindowInit();
  if (const std::optional<NotifyKind> kind = NotifyKindOf(msg.sType.str())) {
    if (DispatchRoute(Routes(), *this, *kind, msg)) {
      msg.bHandled = true;
      return;
    }
  }
  WindowImplBase::Notify(msg);
}

// The base window would close on "closebtn" without stopping the workers.
void CSetWnd::OnClick(TNotifyUI&) {}

void CSetWnd::OnLanguageChosen(TNotifyUI&, int) {
  if (!m_hMainWnd || !m_pLanguageCombo) return;
  m_nLanguageIndex = m_pLanguageCombo->GetCurSel();
  ::SendMessage(m_hMainWnd, WM_LANGUAGE_CHANGED, static_cast<WPARAM>(m_nLanguageIndex), 0);
}

void CSetWnd::FollowDpiChange(WPARAM wParam, LPARAM lParam) {
  m_nDpi = LOWORD(wParam);
  m_pm.SetDPI(m_nDpi);
  m_pm.ResetDPIAssets();
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, RectWidth(*suggested), RectHeight(*suggested),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_pm.NeedUpdate();
}

void CSetWnd::SaveScreenshotSoon() { ::SetTimer(m_hWnd, kScreenshotTimer, kScreenshotDelayMs); }

LRESULT CSetWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  bHandled = false;
  if (uMsg == m_updaterReport && m_updaterReport != 0) {
    bHandled = true;
    OnUpdaterReport(wParam, lParam);
  } else if (uMsg == WM_LANGUAGE_CHANGED) {
    bHandled = true;
    if (m_nStatus == kUpToDate) SetUpdateStatus(kUpToDate);
    m_pm.Invalidate();
    m_pm.NeedUpdate();
  } else if (uMsg == WM_DPICHANGED) {
    bHandled = true;
    FollowDpiChange(wParam, lParam);
  } else if (uMsg == WM_TIMER && wParam == kScreenshotTimer) {
    bHandled = true;
    ::KillTimer(m_hWnd, kScreenshotTimer);
    m_pm.UpdateLayout();
    m_bScreenshotSaved = m_pm.SaveWindowImage(m_sScreenshotPath);
    m_bForceClose = true;
    Close(IDOK);
  }
  return 0;
}
