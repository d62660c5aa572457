#include "windows/main_wnd/main_wnd.h"

#include <algorithm>
#include <utility>

#include "devices/device_creation.h"
#include "devices/device_kind_table.h"
#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/control_router.h"
#include "windows/main_wnd/firmware_updater.h"
#include "windows/main_wnd/input_capture_choice.h"
#include "windows/main_wnd/scan_sink.h"

namespace {

constexpr const char* kAppName = "Kestrune T640";
constexpr UINT kAppIconId = 107;
constexpr uint32_t kFitToMonitorDelayMs = 100;
constexpr uint32_t kTrayMenuDelayMs = 10;

}  // namespace

CMainWnd::CMainWnd(std::shared_ptr<IHidBackend> backend, MainWindowOptions options)
    : backend_(std::move(backend)),
      options_(std::move(options)),
      router_(std::make_unique<CControlRouter>(*this)),
      tray_(options_.standInTray ? CTrayIcon::Host::kStandIn : CTrayIcon::Host::kDesktop) {
  appNameMessage_ = RegisterWindowMessage(kAppName);
  forwardMessage_ = RegisterWindowMessage(kUpdaterReportMessage);
  for (const char* name : {"Game_Start", "Game_End", "Game_Kill", "Game_Death"}) {
    gameEventMessages_.push_back(RegisterWindowMessage(name));
  }
}

CMainWnd::~CMainWnd() { StopWorkers(); }

void CMainWnd::InitWindow() {
  CResourceManager::GetInstance()->SetTextQueryInterface(this);
  GetSkinChangeObserver()->AttachReceiver(this);
  if (tray_.IsAvailable()) trayShown_ = tray_.CreateTrayIcon(GetHWND(), kAppIconId, "T640", UIMSG_TRAYICON);
  SetIcon(kAppIconId);
}

CControlUI* CMainWnd::CreateControl(LPCTSTR pstrClass) {
  CDeviceControlCallback devices(*backend_);
  return devices.CreateControl(pstrClass);
}

void CMainWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == "windowinit") {
    OnFirstLayout();
  } else if (router_->Route(msg)) {
    return;
  }
  WindowImplBase::Notify(msg);
}

LRESULT CMainWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_POWERBROADCAST) {
    if (wParam == PBT_APMSUSPEND) SetSuspended(true);
    if (wParam == PBT_APMRESUMEAUTOMATIC) SetSuspended(false);
    return 1;
  }
  if (uMsg == WM_TIMER) OnTimer(static_cast<UINT>(wParam));
  // The user minimised the window, or brought it back, through the window manager (a task bar, a
  // key); a hidden window stays hidden whatever it reports.
  if (uMsg == WM_SIZE) {
    if (wParam == SIZE_MINIMIZED && presence_ == Presence::kShown) {
      presence_ = Presence::kMinimised;
      TellDevicesWindowHidden(true);
    }
    if (wParam != SIZE_MINIMIZED && presence_ == Presence::kMinimised) {
      presence_ = Presence::kShown;
      TellDevicesWindowHidden(false);
    }
  }
  if (uMsg == WM_ACTIVATE) {
    active_ = wParam != WA_INACTIVE;
    SetAttended(active_);
  }
  // The pointer entering an inactive window (its first move) or leaving it also decides whether
  // the user is looking at the devices' previews.
  if (!active_ && uMsg == WM_MOUSEMOVE && !attended_) {
    OutputDebugString("鼠标移入");
    SetAttended(true);
  }
  if (!active_ && uMsg == WM_MOUSELEAVE) {
    OutputDebugString("鼠标移出");
    SetAttended(false);
  }
  return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

LRESULT CMainWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  // While the system suspends, device and program messages are left alone; after the resume
  // the scan loop reports what changed.
  bHandled = notSuspended_;
  if (!notSuspended_) return 0;
  if (std::find(gameEventMessages_.begin(), gameEventMessages_.end(), uMsg) != gameEventMessages_.end()) {
    OnGameEvent(lParam);
    return 0;
  }
  if (uMsg == forwardMessage_) {
    OnUpdaterReport(wParam, lParam);
    return 0;
  }
  if (uMsg == appNameMessage_) {
    if (lParam == 0 && !firstScanDone_) {
      firstScanDone_ = true;
      if (options_.openFunction != 0) OpenFunctionPage(options_.openFunction);
      if (!options_.screenshotPath.empty() || options_.openColourWindow || options_.openSkinPanel ||
          options_.openAboutWindow || options_.openSettingsWindow) {
        AfterScreenshotSettled();
      }
      if (options_.startInTray && trayShown_) {
        HideToTray();
        return 0;
      }
    }
    BringToFront();
    return 0;
  }
  switch (uMsg) {
    case WM_USB_MAINMESS_DEVICE_ARRIVAL:
      AttachSlot(wParam);
      return 0;
    case WM_USB_MAINMESS_DEVICE_REMOVE:
      DetachSlot(wParam);
      return 0;
    case WM_END_PROGRAM:
      EndProgram();
      return 0;
    case WM_USB_MAINMESS_DEVICE_INACCESSIBLE:
      OnInaccessibleDevices(wParam != 0);
      return 0;
    case WM_DEVICE_LINK_STATE:
      OnDeviceLinkState(wParam, lParam);
      return 0;
    case WM_FIRMWARE_UPDATE:
      OnFirmwareUpdate(wParam, lParam);
      return 0;
    case WM_USB_MAINMESS_DEVICE_IS_INITUI:
      OnDeviceInitResult(wParam);
      return 0;
    case UIMSG_TRAYICON:
      OnTrayIcon(lParam);
      return 0;
    case WM_MENUCLICK:
      OnMenuClick(wParam);
      return 0;
    case WM_LANGUAGE_CHANGED:
      ApplyLanguage(static_cast<int>(wParam));
      return 0;
    case WM_OPEN_SETTINGS:
      OpenSettingsWindow(true);
      return 0;
    case WM_CLEAR_UPDATE_BADGE:
      ShowUpdateBadge(false);
      return 0;
    default:
      bHandled = false;
      return 0;
  }
}

void CMainWnd::OnFirstLayout() {
  syncLight_.Start();
  FindOwnControls();
  ApplyStoredSkin();
  ApplyLanguage(ReadSavedLanguageIndex());
  for (int row : {0, 1}) {
    const DeviceKindRow& kind = kDeviceKindRows[static_cast<size_t>(row)];
    const int slot = FindSupportedDevice(kind.VendorId, kind.ProductId, kind.DeviceKind, kInterfaceRoleCommand);
    if (slot >= 0) CreateDeviceForKind(static_cast<size_t>(slot), kInterfaceRoleCommand);
  }
  UpdateNoDeviceLayout("Open");
  ShowWindow(false, false);
  presence_ = Presence::kHidden;
  // Sized and centred before the first scan can show it, so the window is first seen where it
  // stays; a window that jumps after it appears takes a click meant for its title bar elsewhere.
  FitToMonitor();
  sink_ = std::make_unique<CScanToWindowSink>(GetHWND(), appNameMessage_);
  scanner_ = std::make_unique<CDeviceScanner>(*backend_, slots_, *sink_);
  scanner_->Start();
  ::SetTimer(GetHWND(), kTimerFitToMonitor, kFitToMonitorDelayMs);
}

void CMainWnd::OnTimer(UINT id) {
  switch (id) {
    case kTimerFitToMonitor:
      ::KillTimer(GetHWND(), id);
      FitToMonitor();
      break;
    case kTimerShowTrayMenu:
      ::KillTimer(GetHWND(), id);
      ShowTrayMenu();
      break;
    case kTimerScreenshot:
      OnScreenshotTimer();
      break;
    case kTimerGameEffect:
      ::KillTimer(GetHWND(), id);
      RestoreGameEffect();
      break;
    case kTimerProfileSwitch:
      ::KillTimer(GetHWND(), id);
      SwitchToChosenProfile();
      break;
    case kTimerMacroTransfer:
      MacroTransferTimer();
      break;
    case kTimerShowUpdateProgress:
      ::KillTimer(GetHWND(), id);
      RunSettingsWindow(true, 0, {});
      break;
    default:
      break;
  }
}

bool CMainWnd::IsScanRunning() const { return scanner_ && scanner_->IsRunning(); }

void CMainWnd::StopWorkers() {
  if (workersStopped_) return;
  workersStopped_ = true;
  if (scanner_) scanner_->Stop();
  syncLight_.Stop();
  // The devices' own threads (listeners, light thread) stop with the devices, which go with the
  // window's control tree.
}

LRESULT CMainWnd::OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  OutputDebugString("退出测试");
  if (trayShown_) tray_.DeleteTrayIcon();
  ShowWindow(false, false);
  StopWorkers();
  const LRESULT result = WindowImplBase::OnDestroy(uMsg, wParam, lParam, bHandled);
  PostQuitMessage(0);
  bHandled = true;
  return result;
}

void CMainWnd::SetAttended(bool attended) {
  attended_ = attended;
  ForEachDevice([attended](CVelmarUSBDevice& device, const DeviceKindTraits& traits) {
    if (traits.followsAttention) device.SetAttended(attended ? 1 : 0);
  });
}

void CMainWnd::SetSuspended(bool suspended) {
  notSuspended_ = !suspended;
  ForEachDevice([suspended](CVelmarUSBDevice& device, const DeviceKindTraits& traits) {
    if (traits.followsAttention) device.SetHostControlsLighting(suspended ? 0 : 1);
  });
}

void CMainWnd::TellDevicesWindowHidden(bool hidden) {
  ForEachDevice([hidden](CVelmarUSBDevice& device, const DeviceKindTraits& traits) {
    if (traits.toldWindowHidden) device.SetWindowHidden(hidden);
  });
}

void CMainWnd::HideToTray() {
  CloseAuxiliaryWindows();
  presence_ = Presence::kHidden;
  ShowWindow(false, false);
  TellDevicesWindowHidden(true);
}

void CMainWnd::HideOrMinimise() {
  if (trayShown_) {
    HideToTray();
  } else {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  }
}

// The window manager's close (a key, the task bar) does what the close button does while there is
// a tray to come back from; without a tray it is the one way left to end the program, and ends it.
// Maximising is not offered: the layout has one size, drawn larger only on large monitors.
LRESULT CMainWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  const WPARAM command = wParam & 0xFFF0;
  if ((command == SC_CLOSE && trayShown_) || command == SC_MAXIMIZE) {
    bHandled = true;
    if (command == SC_CLOSE) HideToTray();
    return 0;
  }
  // Nobody sees a minimised window's previews either.
  if (command == SC_MINIMIZE) {
    presence_ = Presence::kMinimised;
    TellDevicesWindowHidden(true);
  }
  if (command == SC_RESTORE) {
    presence_ = Presence::kShown;
    TellDevicesWindowHidden(false);
  }
  return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

void CMainWnd::OnTrayIcon(LPARAM mouseMessage) {
  if (mouseMessage == WM_RBUTTONUP) {
    ::SetTimer(GetHWND(), kTimerShowTrayMenu, kTrayMenuDelayMs);
    return;
  }
  if (mouseMessage != WM_LBUTTONUP) return;
  UpdateNoDeviceLayout("UIMSG_TRAYICON");
  const bool visible = presence_ == Presence::kShown;
  CloseAuxiliaryWindows();
  if (visible) {
    HideToTray();
    return;
  }
  FitToMonitor();
  ShowWindow(true, true);
  BringToFront();
}

void CMainWnd::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  (new CMenuWnd)->Init("menu.xml", cursor, &m_pm, eMenuAlignment_Left | eMenuAlignment_Top);
}

void CMainWnd::EndProgram() {
  CloseAuxiliaryWindows();
  Close(IDOK);
}

void CMainWnd::OnMenuClick(WPARAM record) {
  auto* command = reinterpret_cast<MenuCmd*>(record);
  if (!command) return;
  const std::string name = command->szName.str();
  CPaintManagerUI::DeletePtr(command);
  if (name == "exit") {
    EndProgram();
    return;
  }
  router_->RouteMenuCommand(name);
}

// A game reports an event (start, end, a kill, a death): the selected device shows the event's
// lighting mode for five seconds, then its own effect again. Another event meanwhile only
// restarts the five seconds.
void CMainWnd::OnGameEvent(LPARAM lightingMode) {
  constexpr uint32_t kGameEffectMs = 5000;
  CVelmarUSBDevice* device = GetSelectedDevice();
  if (!device || CableKindOf(device->GetDeviceKind()) != kDeviceKindMouse) return;
  const LightEffectParams effect = device->GetLightEffect();
  if (gameEffectDevice_ != device) {
    gameEffectDevice_ = device;
    gameSavedMode_ = effect.mode;
  }
  device->SetHostControlsLighting(0);
  const uint32_t colour = effect.colour.r | (effect.colour.g << 8) | (effect.colour.b << 16);
  device->SetLightEffect(static_cast<int>(lightingMode), effect.speed, effect.brightness, colour);
  device->ApplySettings();
  ::SetTimer(GetHWND(), kTimerGameEffect, kGameEffectMs);
}

void CMainWnd::RestoreGameEffect() {
  CVelmarUSBDevice* device = gameEffectDevice_;
  gameEffectDevice_ = nullptr;
  if (!device || std::find(Mice().begin(), Mice().end(), device) == Mice().end()) return;
  const LightEffectParams effect = device->GetLightEffect();
  const uint32_t colour = effect.colour.r | (effect.colour.g << 8) | (effect.colour.b << 16);
  device->SetLightEffect(gameSavedMode_, effect.speed, effect.brightness, colour);
  device->SaveProfile();
  device->LoadLighting();
  device->ApplySettings();
  device->SetHostControlsLighting(1);
}

IInputCaptureSource* CMainWnd::InputCapture() {
  if (!capture_) {
    capture_ = MakeInputCaptureSource(GetHWND(), [](std::function<void()> task) { PostUiTask(std::move(task)); });
  }
  return capture_.get();
}
