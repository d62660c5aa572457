// The window as the user sees it: bringing it to the front, fitting it to its monitor, the
// no-device and device-error layouts, the language, and the screenshot option.
#include <cstdlib>
#include <optional>
#include <string>

#include "devices/device_kind_table.h"
#include "devices/device_messages.h"
#include "devices/mouse/driver/mouse_driver.h"
#include "devices/velmar_mouse_device.h"
#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "platform/clock.h"
#include "platform/log_file.h"
#include "platform/program_folder.h"
#include "profiles/settings/language_choice.h"
#include "profiles/settings/language_list.h"
#include "profiles/settings/user_settings.h"
#include "profiles/storage/data_folders.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "ui/controls/text_key.h"
#include "windows/main_wnd/firmware_updater.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/set_wnd/set_wnd.h"
#include "windows/msg_wnd.h"

namespace {

constexpr int kLayoutWidth = 1000;
constexpr int kLayoutHeight = 640;
// What the settings hold when no language was ever stored; identifiers are positive.
constexpr int64_t kNoStoredLanguage = -1;
constexpr uint32_t kScreenshotPollMs = 100;
constexpr uint32_t kScreenshotMaxWaitMs = 5000;
// A few polls after the reads so the light preview and the battery display have been pushed.
constexpr int kScreenshotQuietPolls = 3;
// The settings window that shows an update's progress opens once the read that asked for the
// update has returned.
constexpr uint32_t kUpdateProgressDelayMs = 10;

}  // namespace

int WindowDpiForMonitor(int width, int height) { return width > 1500 && height > 960 ? 144 : 96; }

std::optional<std::string> FontFaceForLanguage(int index, int currentIndex) {
  switch (index) {
    case kThaiLanguageIndex:
      return "Noto Sans Thai";
    case kSimplifiedChineseLanguageIndex:
      return "WenQuanYi Micro Hei";
    case kTraditionalChineseLanguageIndex:
      return "Noto Sans CJK TC";
    default:
      break;
  }
  const bool fromOwnFace = currentIndex < 0 || currentIndex == kThaiLanguageIndex ||
                           currentIndex == kSimplifiedChineseLanguageIndex ||
                           currentIndex == kTraditionalChineseLanguageIndex;
  if (fromOwnFace) return std::string(kLatinFontFace);
  return std::nullopt;
}

void CMainWnd::UpdateNoDeviceLayout(const char* logPrefix) {
  if (!noDeviceLayout_ || !noDeviceLayoutEnabled_) return;
  const bool show = CountShown() == 0;
  noDeviceLayout_->SetVisible(show);
  WriteLogLine(std::string(logPrefix) + ">pNoDeviceLinkLyout    " + (show ? "true" : "false"));
}

bool CMainWnd::IsNoDeviceLayoutShown() { return noDeviceLayout_ && noDeviceLayout_->IsVisible(); }

void CMainWnd::BringToFront() {
  UpdateNoDeviceLayout("Open");
  TellDevicesWindowHidden(false);
  presence_ = Presence::kShown;
  ShowWindow(true, true);
  ::SendMessage(GetHWND(), WM_SYSCOMMAND, SC_RESTORE, 0);
  SetForegroundWindow(GetHWND());
}

// Sizes and centres the window whether it is shown, hidden or minimised, and leaves it so: whether
// it is seen is decided where it is shown and hidden, never here.
void CMainWnd::FitToMonitor() {
  RECT monitor{};
  RECT work{};
  GetMonitorRect(GetHWND(), &monitor, &work);
  const int width = monitor.right - monitor.left;
  const int height = monitor.bottom - monitor.top;
  const int dpi = WindowDpiForMonitor(width, height);
  // The size is set at 1× and then scaled; done again at the same scale it would show the window
  // small for a moment, so a window already fitted at this scale is only centred.
  if (dpi != dpi_ || !fitted_) {
    dpi_ = dpi;
    CPaintManagerUI::SetAllDPI(96);
    SetWindowPos(GetHWND(), nullptr, 0, 0, kLayoutWidth, kLayoutHeight, SWP_NOMOVE | SWP_NOACTIVATE);
    CPaintManagerUI::SetAllDPI(dpi_);
    fitted_ = true;
  }
  CenterWindow();
}

void CMainWnd::ApplyLanguage(int index) {
  if (index == languageIndex_) return;
  // Every window's fonts keep their sizes and take the language's face; a face the machine lacks
  // falls back per character to one that has the glyphs.
  if (const std::optional<std::string> face = FontFaceForLanguage(index, languageIndex_)) {
    CPaintManagerUI::SetInterfaceFontFace(face->c_str());
  }
  languageIndex_ = index;
  const std::vector<LanguageEntry> languages = ReadLanguageList(DefaultDataFolder());
  if (index < 0 || static_cast<size_t>(index) >= languages.size()) return;
  const LanguageEntry& language = languages[static_cast<size_t>(index)];
  CResourceManager* resources = CResourceManager::GetInstance();
  resources->SetLanguage(language.name.c_str());
  resources->LoadLanguage((DefaultDataFolder() + language.file).c_str());
  resources->ReloadText();
  if (WriteUserSetting(options_.userDataFolder, kLanguageSettingName, language.id)) OutputDebugString("写成功！");
  m_pm.Invalidate();
  if (aboutWindow_) ::SendMessage(aboutWindow_, WM_LANGUAGE_CHANGED, 0, 0);
  if (settingsWindow_) ::SendMessage(settingsWindow_, WM_LANGUAGE_CHANGED, 0, 0);
  m_pm.NeedUpdate();
}

int CMainWnd::ReadSavedLanguageIndex() const {
  const int64_t id = ReadUserSetting(options_.userDataFolder, kLanguageSettingName, kNoStoredLanguage);
  const std::optional<int64_t> stored = id == kNoStoredLanguage ? std::nullopt : std::optional<int64_t>(id);
  return static_cast<int>(StartLanguageIndex(ReadLanguageList(DefaultDataFolder()), stored, options_.messagesLocale));
}

void CMainWnd::OnDeviceInitResult(WPARAM valid) {
  noDeviceLayoutEnabled_ = valid != 0;
  if (deviceErrorLayout_) deviceErrorLayout_->SetVisible(valid == 0);
}

// After the first scan, waits until every device with an open channel has been read (or a few
// seconds have passed), then paints the window into the file and ends the program.
void CMainWnd::AfterScreenshotSettled() {
  screenshotDeadline_ = GetTickCountMs() + kScreenshotMaxWaitMs;
  ::SetTimer(GetHWND(), kTimerScreenshot, kScreenshotPollMs);
}

bool CMainWnd::AllOpenDevicesRead() const {
  bool allRead = true;
  ForEachDevice([&allRead](CVelmarUSBDevice& device, const DeviceKindTraits&) {
    if (device.Channel().IsOpen() && device.CompletedReads() == 0) allRead = false;
  });
  return allRead;
}

void CMainWnd::OnScreenshotTimer() {
  const bool settled = AllOpenDevicesRead() && ++screenshotQuietPolls_ >= kScreenshotQuietPolls;
  if (!settled && static_cast<int32_t>(GetTickCountMs() - screenshotDeadline_) < 0) return;
  // The page asked for is opened again on what the reads brought (the first button of the buttons
  // page exists only then), and given its quiet polls to lay out.
  if (options_.openFunction != 0 && !screenshotPageReopened_) {
    screenshotPageReopened_ = true;
    OpenFunctionPage(options_.openFunction);
    screenshotQuietPolls_ = 0;
    return;
  }
  if (options_.openColourWindow) {
    OpenRequestedColourWindow();
    return;
  }
  if (options_.openSkinPanel) {
    OpenRequestedSkinPanel();
    return;
  }
  if (options_.openAboutWindow) {
    OpenRequestedAboutWindow();
    return;
  }
  if (options_.openSettingsWindow) {
    OpenRequestedSettingsWindow();
    return;
  }
  SaveScreenshotAndExit();
}

void CMainWnd::OpenRequestedColourWindow() {
  // The timer would fire again inside the window's modal loop.
  ::KillTimer(GetHWND(), kTimerScreenshot);
  CVelmarUSBDevice* selected = GetSelectedDevice();
  auto* mouse = selected ? static_cast<CVelmarMouseDevice*>(selected->GetInterface("VelmarMouseDevice")) : nullptr;
  if (!mouse) OutputDebugString("--open colour: no mouse is selected");
  const bool saved = RunColourWindow(mouse ? mouse->GetCurrentStage() : 0, options_.screenshotPath);
  if (options_.screenshotPath.empty()) return;
  screenshotSaved_ = saved;
  Close(saved ? IDOK : IDCANCEL);
}

void CMainWnd::SaveScreenshotAndExit() {
  ::KillTimer(GetHWND(), kTimerScreenshot);
  const bool saved = m_pm.SaveWindowImage(options_.screenshotPath);
  screenshotSaved_ = saved;
  Close(saved ? IDOK : IDCANCEL);
}

// The mouse's firmware is too old to keep what is written to it: the settings button shows the
// badge, and the updater is offered. Without an updater the notice says so and the program goes
// on. With one, declining ends the program at once, as the mouse could not keep its settings
// anyway; confirming starts it and opens the settings window, which follows its progress.
void CMainWnd::OnFirmwareUpdate(WPARAM /*productId*/, LPARAM version) {
  CVelmarUSBDevice* mouse = Mice().empty() ? nullptr : Mice().front();
  if (version >= kMouseMinimumFirmwareVersion) {
    if (mouse) mouse->Channel().SetUpdateInProgress(0);
    if (noDeviceLayout_) noDeviceLayout_->SetVisible(false);
    ShowUpdateBadge(false);
    return;
  }
  ShowUpdateBadge(true);
  // A picture taken without anyone at the screen cannot wait for an answer.
  if (!options_.screenshotPath.empty()) {
    OutputDebugString("--screenshot: the firmware update is not offered");
    return;
  }
  const std::string updater = FirmwareUpdaterPath();
  if (!IsFirmwareUpdaterInstalled(updater)) {
    ShowMessageBox(GetHWND(), "UpdateTiShi", TextKey("UpdateTiShiNoUpdater"), dpi_, true, CMsgWnd::kNotice);
    return;
  }
  noDeviceLayoutEnabled_ = true;
  if (deviceErrorLayout_) deviceErrorLayout_->SetVisible(false);
  if (noDeviceLayout_) noDeviceLayout_->SetVisible(true);
  WriteLogLine("UpdateMacroKbDevice>pNoDeviceLinkLyout    true");
  if (ShowMessageBox(GetHWND(), "UpdateTiShi", "UpdateTiShiText", dpi_, true, CMsgWnd::kQuestion) != 1) {
    StopWorkers();
    std::_Exit(0);
  }
  if (mouse) mouse->Channel().SetUpdateInProgress(1);
  if (!StartFirmwareUpdater(updater)) {
    if (mouse) mouse->Channel().SetUpdateInProgress(0);
    if (noDeviceLayout_) noDeviceLayout_->SetVisible(CountShown() == 0);
    ShowMessageBox(GetHWND(), "UpdateTiShi", TextKey("UpdateTiShiNotStarted"), dpi_, true, CMsgWnd::kNotice);
    return;
  }
  ::SetTimer(GetHWND(), kTimerShowUpdateProgress, kUpdateProgressDelayMs);
}
