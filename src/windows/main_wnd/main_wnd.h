#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devices/lighting/sync_light_engine.h"
#include "editors/editor_host.h"
#include "platform/hid/hid_backend.h"
#include "transport/device_scanner.h"
#include "transport/device_slots.h"
#include "platform/input_capture/input_capture.h"
#include "ui/toolkit/tray_icon.h"
#include "ui/toolkit/window_impl_base.h"
#include "windows/main_wnd/main_wnd_options.h"
#include "windows/set_wnd/update_table.h"
#include "windows/skin_wnd/skin_change_broadcast.h"

class CContainerUI;
struct DeviceKindTraits;
class CDeviceOptionUI;
class CMpDevicePowerUI;
class CTabLayoutUI;
class CScanToWindowSink;
class CVelmarUSBDevice;
class CControlRouter;
class CSetWnd;

// Private messages of the main window (values fixed; the devices and the scan thread send some).
inline constexpr UINT WM_HOOK_CONTROL = 1054;
inline constexpr UINT WM_POWERBROADCAST = 0x0218;
inline constexpr WPARAM PBT_APMSUSPEND = 4;
inline constexpr WPARAM PBT_APMRESUMEAUTOMATIC = 18;
inline constexpr UINT WM_SETTING_PROGRESS = 3072;
inline constexpr UINT WM_LANGUAGE_CHANGED = 3089;
inline constexpr UINT WM_OPEN_SETTINGS = 3093;
inline constexpr UINT WM_CLEAR_UPDATE_BADGE = 3094;
// Ends the program as the tray menu's exit does (sent when the session asks it to end).
inline constexpr UINT WM_END_PROGRAM = 3095;

// The main window timers.
enum MainWindowTimer : UINT {
  kTimerFitToMonitor = 1011,
  kTimerShowTrayMenu = 1032,
  kTimerMacroTransfer = 1033,
  kTimerProfileSwitch = 1055,
  kTimerGameEffect = 1066,
  kTimerScreenshot = 1099,  // --screenshot: the reads have settled
  kTimerShowUpdateProgress = 1100,  // the firmware updater started: the settings window follows it
};

// The window's DPI on a monitor of this size: the 1000 × 640 layout is drawn at 1.5 × on a monitor
// larger than 1500 × 960, else at 1 ×.
int WindowDpiForMonitor(int width, int height);

// The languages with a face of their own (positions in "Language.config"), and the face of all
// others. The skin's font sizes and weights stay; only the face follows the language.
inline constexpr int kSimplifiedChineseLanguageIndex = 0;
inline constexpr int kTraditionalChineseLanguageIndex = 2;
inline constexpr int kThaiLanguageIndex = 15;
inline constexpr const char* kLatinFontFace = "DejaVu Sans";
// The face to switch to when the language at `index` replaces the one at `currentIndex` (-1 at
// start), or nothing when the faces stay as they are.
std::optional<std::string> FontFaceForLanguage(int index, int currentIndex);

// The program's only top-level window and its hub: it owns the device objects and their tiles,
// the scan thread, the tray icon, the language and the window's DPI; every device and program
// message arrives here, and control notifications go to the router.
class CMainWnd : public WindowImplBase, public IEditorHost, public SkinChangeReceiver {
 public:
  CMainWnd(std::shared_ptr<IHidBackend> backend, MainWindowOptions options);
  ~CMainWnd() override;

  LPCTSTR GetWindowClassName() const override { return "MainWnd"; }
  CDuiString GetSkinFile() override { return "XML_MAIN"; }
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  CControlUI* CreateControl(LPCTSTR pstrClass) override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

  // ---- the device selector ----
  int CreateDeviceForKind(size_t slotIndex, uint16_t role);
  void AttachSlot(size_t slotIndex);
  void DetachSlot(size_t slotIndex);
  void SetTileState(int index, bool visible, bool select);
  void HideTile(int index);
  // The device's receiver is there but the device does not answer: its tile stays, saying so,
  // and is selected when no other tile in the strip is.
  void ShowTileNotConnected(int index);
  void SelectPrevious();
  void SelectNext();
  void OnTileSelectionChanged();
  // The device of the first reachable, selected tile; null when none.
  CVelmarUSBDevice* GetSelectedDevice();
  int CountReachable() const;
  // Tiles in the strip: reachable, or shown as not connected.
  int CountShown() const;
  bool IsNotConnectedLayoutShown() const;
  // A supported interface is there that this user may not open (the scan thread's notice).
  void OnInaccessibleDevices(bool present);
  std::vector<CDeviceOptionUI*> Tiles() const;
  CDeviceOptionUI* TileAt(int index) const;

  // ---- profiles ----
  // A profile was chosen in the panel: the switch runs 400 ms later, so the notification returns
  // at once.
  void StartProfileSwitch() override;
  // The selected device takes its chosen profile and writes it; a macro transfer that failed or
  // did not fit is told.
  void ApplySelectedProfile() override;
  // The selected device's macros, then its key assignments, are sent 100 ms later under the busy
  // overlay. Macros that were not sent keep the keys from being written; macros that do not fit
  // are told and the key being edited takes its default back.
  void StartMacroTransfer() override;
  bool IsTransferBusy() const { return transferBusy_; }
  // Keys pressed while the window has the keyboard.
  IInputCaptureSource* InputCapture() override;
  std::vector<CVelmarUSBDevice*> ConnectedDevices() override;
  // The shared lighting: the devices whose same-mode flag is set run `common` with `light`'s
  // brightness, speed, direction and colours.
  void StartSharedLighting(int common, const LightInfoRecord& light) override;
  CSyncLightEngine* SyncLightEngine() override { return &syncLight_; }

  // ---- what the editors ask of the window (IEditorHost) ----
  HWND HostWindow() const override { return const_cast<CMainWnd*>(this)->GetHWND(); }
  bool Ask(const char* key) override;
  void Tell(const char* key, bool owned = true) override;

  // ---- window-wide behaviour ----
  // Where the program has put its window. Showing and hiding go by this, never by what the window
  // system reports at that moment: a window shown a moment ago may not be mapped yet, and the
  // window manager's reports arrive when it gets to them.
  enum class Presence { kHidden, kShown, kMinimised };
  Presence GetPresence() const { return presence_; }
  void BringToFront();
  void FitToMonitor();
  void ApplyLanguage(int index);
  int GetLanguageIndex() const { return languageIndex_; }
  int GetWindowDpi() const { return dpi_; }
  void HideToTray();
  // The close button: the window goes to the tray, or to the task bar when there is no tray (a
  // hidden window could not be reached again there). The program keeps running.
  void HideOrMinimise();
  bool HasTrayIcon() const { return trayShown_; }
  void TellDevicesWindowHidden(bool hidden);
  bool IsSuspended() const { return !notSuspended_; }
  void SetSuspended(bool suspended);
  void SetAttended(bool attended);
  bool IsAttended() const { return attended_; }
  // The open colour window closes, as a cancel, and the about window, and the settings window
  // unless an update runs, with the main window's changes of state.
  void CloseAuxiliaryWindows();
  // The windows that edit the selected device close with it (the colour window, as a cancel);
  // the settings window stays, as a device leaves and comes back during its firmware update.
  void CloseDeviceWindows();
  // A stage colour of the mouse page was clicked: the colour window for stage `stage` of the
  // selected mouse, modally; a confirmed colour goes into the stage, the profile and the mouse.
  // Nothing happens while a colour window is open or when no mouse is selected.
  void OpenColourWindow(int stage);
  bool IsColourWindowOpen() const { return colourWindow_ != nullptr; }
  // The settings window, modally: beside the settings button, or centred on this window (the tray
  // menu, WM_OPEN_SETTINGS). Nothing happens while one is open.
  void OpenSettingsWindow(bool centred);
  bool IsSettingsWindowOpen() const { return settingsWindow_ != nullptr; }
  // The open settings window, or null.
  CSetWnd* SettingsWindow() const { return settingsWnd_; }
  // The update table as it stands: every entry, with Version 0 for what is not there.
  std::vector<UpdateEntry> FillUpdateVersions();
  // The badge on the settings button: an update the program can install is waiting.
  void ShowUpdateBadge(bool shown);
  bool IsUpdateBadgeShown() const { return updateBadge_; }

  // ---- skin and about ----
  // The skin panel's broadcast: "root" takes the colour, or the picture cut to the window's shape
  // (never stretched out of it). Nothing changes without "root".
  int OnBroadcast(SkinChangedParam param) override;
  // The skin panel, hanging under `anchor` (the skin button when null). Each call opens another.
  void OpenSkinPanel(CControlUI* anchor);
  // The about window, modally; nothing while one is open.
  void OpenAboutWindow();
  bool IsAboutWindowOpen() const { return aboutWindow_ != nullptr; }
  // "main.ini" in the user folder.
  std::string SkinFilePath() const;

  // For tests and the entry point.
  CDeviceSlotList& Slots() { return slots_; }
  const std::vector<CVelmarUSBDevice*>& Mice() const { return devicesByKindRow_[0]; }
  const std::vector<CVelmarUSBDevice*>& MousePads() const { return devicesByKindRow_[2]; }
  CDeviceOptionUI* TileOf(CVelmarUSBDevice* device) const;
  bool IsScanRunning() const;
  bool IsFirstScanDone() const { return firstScanDone_; }
  void StopWorkers();
  bool IsNoDeviceLayoutShown();
  // --screenshot: whether the picture was written.
  bool ScreenshotSaved() const { return screenshotSaved_; }
  UINT AppNameMessage() const { return appNameMessage_; }

 private:
  void OnFirstLayout();
  void OnGameEvent(LPARAM lightingMode);
  void RestoreGameEffect();
  void OnTimer(UINT id);
  void SwitchToChosenProfile();
  void MacroTransferTimer();
  // The selected device shows the page of function `type`, its tab selected.
  void OpenFunctionPage(int type);
  void TransferMacrosAndKeys(CVelmarUSBDevice& device);
  void ShowTransferBusy(bool busy);
  void OnDeviceLinkState(WPARAM kindRow, LPARAM linked);
  void OnDeviceInitResult(WPARAM valid);
  void OnFirmwareUpdate(WPARAM productId, LPARAM version);
  void OnUpdaterReport(WPARAM report, LPARAM value);
  bool StartMouseFirmwareUpdate(const UpdateEntry& entry);
  // With a screenshot path the window pictures itself once filled and closes; true when the
  // picture was written. `followKindRow`: the row of the device-kind table whose update runs.
  bool RunSettingsWindow(bool centred, int followKindRow, const std::string& screenshotPath);
  // --open settings-window: the settings window, once the devices have been read.
  void OpenRequestedSettingsWindow();
  void OnTrayIcon(LPARAM mouseMessage);
  void ShowTrayMenu();
  void OnMenuClick(WPARAM record);
  // Closes the auxiliary windows and then this one, which stops the workers and ends the loop.
  void EndProgram();
  void UpdateNoDeviceLayout(const char* logPrefix);
  void ShowPowerPage(CDeviceOptionUI* tile);
  void SelectTile(CDeviceOptionUI& tile);
  // After tiles came, went or changed selection: the layouts over the pages and the arrows.
  void AfterTilesChanged();
  void UpdateNotConnectedLayout();
  void UpdateSelectorArrows();
  void FindOwnControls();
  std::vector<CVelmarUSBDevice*>* DeviceListForKind(uint16_t kind);
  // Every device object, with the traits of its kind.
  void ForEachDevice(const std::function<void(CVelmarUSBDevice&, const DeviceKindTraits&)>& visit) const;
  CVelmarUSBDevice* FindDeviceByIdentity(uint16_t kind, const DeviceEntry& key);
  int TileIndexForKindRow(int kindRow) const;
  void AttachEventInterface(size_t slotIndex, const DeviceEntry& slot);
  DeviceEntry ReferenceSlotFor(size_t slotIndex) const;
  // With a screenshot path the window pictures itself once painted and closes; true when the
  // picture was written.
  bool RunColourWindow(int stage, const std::string& screenshotPath);
  // --open colour: the colour window of the current stage, once the devices have been read.
  void OpenRequestedColourWindow();
  void AfterScreenshotSettled();
  void SaveScreenshotAndExit();
  void OnScreenshotTimer();
  bool AllOpenDevicesRead() const;
  // The background recorded in "main.ini", when it names a picture of the skin.
  void ApplyStoredSkin();
  bool RunAboutWindow(const std::string& screenshotPath);
  void OpenRequestedSkinPanel();
  void OpenRequestedAboutWindow();
  int ReadSavedLanguageIndex() const;

  std::shared_ptr<IHidBackend> backend_;
  MainWindowOptions options_;
  CDeviceSlotList slots_;
  std::unique_ptr<CScanToWindowSink> sink_;
  std::unique_ptr<CDeviceScanner> scanner_;
  std::unique_ptr<CControlRouter> router_;
  // Chosen at the first use: the whole desktop where the session allows it, else this window.
  std::unique_ptr<IInputCaptureSource> capture_;
  CTrayIcon tray_;
  bool trayShown_ = false;
  bool transferBusy_ = false;
  // The send button waits while its transfer runs, then gets its state back.
  CControlUI* busySendButton_ = nullptr;
  bool busySendButtonWasEnabled_ = false;

  // By the kind's row of the device-kind table (mouse, keyboard, mouse pad, headset).
  std::array<std::vector<CVelmarUSBDevice*>, kDeviceKindRows.size()> devicesByKindRow_;
  std::vector<CMpDevicePowerUI*> powerDisplays_;
  // The window's own containers, looked up once after its layout is built.
  CContainerUI* tileStrip_ = nullptr;
  CTabLayoutUI* devicePages_ = nullptr;
  CTabLayoutUI* powerSwitch_ = nullptr;
  CControlUI* noDeviceLayout_ = nullptr;
  CControlUI* deviceErrorLayout_ = nullptr;
  CControlUI* notConnectedLayout_ = nullptr;
  CControlUI* noDeviceText_ = nullptr;
  CControlUI* previousButton_ = nullptr;
  CControlUI* nextButton_ = nullptr;

  Presence presence_ = Presence::kHidden;
  int languageIndex_ = -1;
  int dpi_ = 96;
  bool fitted_ = false;  // sized for its monitor at least once
  bool noDeviceLayoutEnabled_ = true;
  bool notSuspended_ = true;
  bool active_ = false;
  bool attended_ = false;
  bool firstScanDone_ = false;
  bool displayChanged_ = false;
  bool workersStopped_ = false;
  bool screenshotSaved_ = false;
  uint32_t screenshotDeadline_ = 0;
  int screenshotQuietPolls_ = 0;
  bool screenshotPageReopened_ = false;
  HWND colourWindow_ = nullptr;
  HWND aboutWindow_ = nullptr;
  bool skinPanelShot_ = false;
  HWND settingsWindow_ = nullptr;
  CSetWnd* settingsWnd_ = nullptr;
  // The firmware updater's reports (the registered forward message).
  UINT forwardMessage_ = 0;
  bool updateBadge_ = false;
  int selectedTileIndex_ = -1;
  UINT appNameMessage_ = 0;
  std::vector<UINT> gameEventMessages_;
  // Runs from the first layout until the workers stop; it holds its own list of the devices.
  CSyncLightEngine syncLight_;
  // The effect a game event replaced, restored when its timer ends; the device it belongs to.
  CVelmarUSBDevice* gameEffectDevice_ = nullptr;
  int gameSavedMode_ = 0;
};
