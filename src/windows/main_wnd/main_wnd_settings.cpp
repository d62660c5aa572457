// The settings window as the main window opens it, the update table it is given, the firmware
// updater's reports passed on to it, and the update badge on the settings button.
#include <ctime>
#include <memory>

#include "devices/device_tile.h"
#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "profiles/settings/small_files.h"
#include "profiles/settings/update_time_file.h"
#include "profiles/storage/data_folders.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/firmware_updater.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/set_wnd/set_wnd.h"

namespace {

constexpr int kSettingsWidth = 630;
constexpr int kSettingsHeight = 500;
// Where the window opens from the settings button: under the title bar, near the right edge.
constexpr int kSettingsRightGap = 30;
constexpr int kSettingsTopGap = 60;
constexpr const char* kSettingsButton = "setbtn";
constexpr const char* kUpdateBadge = "file='main/update_badge.svg' dest='21,3,31,13'";

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return UpdateDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

// "0.1.0" → 10: the digits of the version as one number, 0 when it has none.
int VersionNumberOf(const std::string& text) {
  int number = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') number = number * 10 + (c - '0');
    if (number > 99999999) break;
  }
  return number;
}

}  // namespace

std::vector<UpdateEntry> CMainWnd::FillUpdateVersions() {
  std::vector<UpdateEntry> table = FixedUpdateEntries();
  const bool updater = IsFirmwareUpdaterInstalled(FirmwareUpdaterPath());
  ForEachDevice([&](CVelmarUSBDevice& device, const DeviceKindTraits&) {
    const int row = device.GetKindRowIndex();
    // The device rows of the table are the first rows of the device-kind table.
    if (row < 0 || static_cast<size_t>(row) >= kProgramUpdateRow) return;
    UpdateEntry& entry = table[static_cast<size_t>(row)];
    CUsbCommandChannel& channel = device.Channel();
    if (!channel.IsOpen()) return;
    if (!channel.ReceiverMode()) {
      entry.Version = channel.DirectPort().GetAttributes().VersionNumber;
      // The updater brings the mouse's firmware, and writes it over the cable.
      if (row == 0) {
        entry.OfferedVersion = kShippedFirmwareVersion;
        entry.UpdaterInstalled = updater;
      }
    } else if (device.GetTile() && device.GetTile()->IsTileShown()) {
      entry.Version = channel.ReceiverPort().GetAttributes().VersionNumber;
    }
  });
  UpdateEntry& program = table[kProgramUpdateRow];
  program.Version = VersionNumberOf(options_.programVersion);
  program.VersionText = "V" + options_.programVersion;
  return table;
}

void CMainWnd::OpenSettingsWindow(bool centred) { RunSettingsWindow(centred, -1, {}); }

bool CMainWnd::RunSettingsWindow(bool centred, int followKindRow, const std::string& screenshotPath) {
  if (settingsWindow_) return false;
  std::vector<UpdateEntry> listed;
  int follow = -1;
  const std::vector<UpdateEntry> table = FillUpdateVersions();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].Version == 0) continue;
    if (static_cast<int>(i) == followKindRow) follow = static_cast<int>(listed.size());
    listed.push_back(table[i]);
  }
  const std::string userFolder = options_.userDataFolder.empty() ? UserDataFolder() : options_.userDataFolder;
  auto window = std::make_unique<CSetWnd>(SmallFilePathIn(SmallFile::kUpdateTime, DefaultDataFolder(), userFolder),
                                          TodayText(), forwardMessage_);
  window->SaveScreenshotAndClose(screenshotPath);
  window->SetMainWindow(GetHWND(), languageIndex_);
  window->SetUpdateEntries(std::move(listed));
  window->SetUpdateStarter([this](const UpdateEntry& entry) { return StartMouseFirmwareUpdate(entry); });
  if (follow >= 0) window->FollowRunningUpdate(static_cast<size_t>(follow));
  settingsWindow_ = window->Create(GetHWND(), "SetWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, kSettingsWidth,
                                   kSettingsHeight);
  if (!settingsWindow_) {
    OutputDebugString("the settings window could not be made");
    return false;
  }
  settingsWnd_ = window.get();
  window->SetWindowDpi(dpi_);
  if (centred) {
    window->CenterWindow();
  } else {
    RECT main{};
    RECT own{};
    GetWindowRect(GetHWND(), &main);
    GetWindowRect(settingsWindow_, &own);
    const int x = main.right - RectWidth(own) - kSettingsRightGap * dpi_ / 96;
    const int y = main.top + kSettingsTopGap * dpi_ / 96;
    SetWindowPos(settingsWindow_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  window->ShowModal();
  settingsWindow_ = nullptr;
  settingsWnd_ = nullptr;
  return window->ScreenshotSaved();
}

// The settings window's "update" for the mouse row: the same start as the offer's.
bool CMainWnd::StartMouseFirmwareUpdate(const UpdateEntry& entry) {
  if (entry.FirmwareRow == 0 || entry.Type != "MS") return false;
  const std::string path = FirmwareUpdaterPath();
  if (!IsFirmwareUpdaterInstalled(path)) return false;
  CVelmarUSBDevice* mouse = Mice().empty() ? nullptr : Mice().front();
  if (mouse) mouse->Channel().SetUpdateInProgress(1);
  if (StartFirmwareUpdater(path)) return true;
  if (mouse) mouse->Channel().SetUpdateInProgress(0);
  return false;
}

// The updater's reports go on to the settings window. Its end also ends its hold on the mouse:
// after a success the mouse comes back as a new arrival; after a failure it is the old mouse,
// usable again.
void CMainWnd::OnUpdaterReport(WPARAM report, LPARAM value) {
  if (settingsWindow_) ::PostMessage(settingsWindow_, forwardMessage_, report, value);
  if (report != CSetWnd::kReportSucceeded && report != CSetWnd::kReportFailed && report != CSetWnd::kReportFailedToo) {
    return;
  }
  for (CVelmarUSBDevice* mouse : Mice()) mouse->Channel().SetUpdateInProgress(0);
  if (report != CSetWnd::kReportSucceeded && noDeviceLayout_ && CountShown() > 0) noDeviceLayout_->SetVisible(false);
}

void CMainWnd::ShowUpdateBadge(bool shown) {
  updateBadge_ = shown;
  if (CControlUI* button = m_pm.FindControl(kSettingsButton)) button->SetForeImage(shown ? kUpdateBadge : "");
}

void CMainWnd::OpenRequestedSettingsWindow() {
  ::KillTimer(GetHWND(), kTimerScreenshot);
  const bool saved = RunSettingsWindow(true, -1, options_.screenshotPath);
  if (options_.screenshotPath.empty()) return;
  screenshotSaved_ = saved;
  Close(saved ? IDOK : IDCANCEL);
}
