#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/window_impl_base.h"
#include "windows/set_wnd/update_table.h"
#include "windows/set_wnd/worker_slots.h"

class CComboUI;
class CListUI;
class CTabLayoutUI;
class CUpdateInfoListItemUI;

// The settings window: the interface language, and the update list with one row per listed entry
// of the update table. The main window opens it modally and hands it its own window (the
// language goes there as WM_LANGUAGE_CHANGED), the language index, the listed entries and what
// starts an update. Reports of the firmware updater arrive as `updaterReport` messages, which the
// main window passes on while the window is open; they change the current update row.
//
// The list is filled by worker 0 of the window's workers (slots 1 and 2 stay free: the updater
// program downloads and installs by itself). Closing stops the workers and waits for them.
class CSetWnd : public WindowImplBase {
 public:
  // Status line: 0 looking, 1 updates available, 2 no update information, 3 updating, 4 up to
  // date since the date of the first look.
  enum Status : int { kLooking = 0, kUpdatesAvailable = 1, kNoInformation = 2, kUpdating = 3, kUpToDate = 4 };
  // The updater's reports (wParam; lParam is the value).
  static constexpr WPARAM kReportSucceeded = 1;
  static constexpr WPARAM kReportFailed = 2;
  static constexpr WPARAM kReportFailedToo = 3;
  static constexpr WPARAM kReportProgress = 4;

  // Starts the update of an entry (on the user-interface thread); false when it could not start.
  using UpdateStarter = std::function<bool(const UpdateEntry& entry)>;

  // `updateTimePath`: "updatetime.config"; `today`: today's date text for it.
  CSetWnd(std::string updateTimePath, std::string today, UINT updaterReport);
  ~CSetWnd() override;

  LPCTSTR GetWindowClassName() const override { return "SetWnd"; }

  void SetWindowDpi(int dpi);
  int GetWindowDpi() const { return m_nDpi; }
  void SetMainWindow(HWND mainWindow, int languageIndex);
  // The entries to list, in order (the main window gives only those whose Version is not 0).
  void SetUpdateEntries(std::vector<UpdateEntry> entries);
  void SetUpdateStarter(UpdateStarter starter) { m_starter = std::move(starter); }
  // An update of the entry at `index` of the listed entries runs already (started elsewhere):
  // once listed, its row is the current one, installing.
  void FollowRunningUpdate(size_t index) { m_followIndex = static_cast<int>(index); }

  // --screenshot: once the list is filled and painted, the window saves itself and closes.
  void SaveScreenshotAndClose(std::string path) { m_sScreenshotPath = std::move(path); }
  bool ScreenshotSaved() const { return m_bScreenshotSaved; }

  // For tests and the main window.
  int GetStatus() const { return m_nStatus; }
  int GetCurrentRow() const { return m_nCurrentRow; }
  const std::vector<UpdateRowInfo>& RowInfos() const { return m_rows; }
  CUpdateInfoListItemUI* RowControl(size_t index) const;
  bool IsListFilled() const { return m_bFilled; }
  void StopWorkers();

  static std::span<const RouteRow<CSetWnd>> Routes();

 protected:
  CDuiString GetSkinFile() override;
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  void OnClick(TNotifyUI& msg) override;
  LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;

 private:
  static const RouteRow<CSetWnd> kRouteRows[];

  void OnCloseButton(TNotifyUI& msg, int index);
  void OnUpdateButton(TNotifyUI& msg, int index);
  void OnStartUpdates(TNotifyUI& msg, int index);
  void OnBack(TNotifyUI& msg, int index);
  void OnRowChosen(TNotifyUI& msg, int index);
  void OnLanguageChosen(TNotifyUI& msg, int index);

  void OnWindowInit();
  void FillLanguages();
  void StartListFiller();
  void AddRows(std::vector<UpdateRowInfo> rows);
  void OnUpdaterReport(WPARAM report, LPARAM value);
  // The first row waiting for its update starts; the status follows when none is left.
  void StartNextUpdate();
  void ShowStatusAfterUpdates();
  void SetUpdateStatus(int status);
  void SetRowState(size_t index, int state);
  void FollowCloseAllowed();
  bool IsCloseRefused() const;
  void ShowUpdatePage(int page);
  void SaveScreenshotSoon();
  void FollowDpiChange(WPARAM wParam, LPARAM lParam);

  const std::string m_sUpdateTimePath;
  const std::string m_sToday;
  const UINT m_updaterReport;
  std::string m_sLastUpdateDate;

  HWND m_hMainWnd = nullptr;
  int m_nLanguageIndex = -1;
  int m_nDpi = 96;
  std::vector<UpdateEntry> m_entries;
  std::vector<UpdateRowInfo> m_rows;
  std::vector<CUpdateInfoListItemUI*> m_rowControls;
  UpdateStarter m_starter;
  int m_nCurrentRow = -1;
  int m_followIndex = -1;
  int m_nStatus = kLooking;
  bool m_bFilled = false;
  bool m_bForceClose = false;

  CComboUI* m_pLanguageCombo = nullptr;
  CListUI* m_pUpdateList = nullptr;
  CTabLayoutUI* m_pUpdatePages = nullptr;
  CControlUI* m_pUpdateButton = nullptr;
  CControlUI* m_pStatusRing = nullptr;
  CControlUI* m_pStatusImage = nullptr;
  CControlUI* m_pStatusText = nullptr;
  CControlUI* m_pCloseButton = nullptr;
  CControlUI* m_pLaterButton = nullptr;

  std::string m_sScreenshotPath;
  bool m_bScreenshotSaved = false;

  // Tasks the list filler hands to the user-interface thread hold a weak reference; it expires
  // with the window object.
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
  CWorkerSlots<3> m_workers;
};
