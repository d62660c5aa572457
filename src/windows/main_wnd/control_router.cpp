// The main window's own controls, and the hand-over of every other control to the selected
// device's page and editors.
#include "windows/main_wnd/control_router.h"

#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/main_wnd/main_wnd_controls.h"

using namespace main_window;

namespace {

using Router = CControlRouter;

}  // namespace

const RouteRow<CControlRouter> CControlRouter::kRouteRows[] = {
    {NotifyKind::kClick, kCloseButton, false, &Router::OnClose},
    {NotifyKind::kClick, kNoDeviceOkButton, false, &Router::OnHideWindow},
    {NotifyKind::kClick, kDeviceErrorOkButton, false, &Router::OnHideWindow},
    {NotifyKind::kClick, kDeviceErrorReconnectButton, false, &Router::OnReconnect},
    {NotifyKind::kClick, kMinimiseButton, false, &Router::OnMinimise},
    {NotifyKind::kClick, kMaximiseButton, false, &Router::OnMaximise},
    {NotifyKind::kClick, kRestoreButton, false, &Router::OnRestore},
    {NotifyKind::kClick, kSelectPreviousButton, false, &Router::OnSelectPrevious},
    {NotifyKind::kClick, kSelectNextButton, false, &Router::OnSelectNext},
    {NotifyKind::kSelectChanged, kTileOption, false, &Router::OnTileSelected},
};

std::span<const RouteRow<CControlRouter>> CControlRouter::Rows() { return kRouteRows; }

bool CControlRouter::Route(TNotifyUI& msg) {
  const std::string type = msg.sType.str();
  if (type != "timer") OutputDebugString(type + " " + (msg.pSender ? msg.pSender->GetName().str() : std::string()));
  if (const std::optional<NotifyKind> kind = NotifyKindOf(type)) {
    if (!DispatchRoute(Rows(), *this, *kind, msg)) {
      if (CVelmarUSBDevice* device = window_.GetSelectedDevice()) device->RouteNotify(*kind, msg);
    }
  }
  return type == "click_wpremove" || type == "click_wpedit";
}

void CControlRouter::RouteMenuCommand(const std::string& name) { OutputDebugString("menu " + name); }

// The close button hides the window in the tray; the program keeps running. Where the desktop has
// no tray (some Wayland desktops) a hidden window could not be reached again, so it is minimised.
void CControlRouter::OnClose(TNotifyUI&, int) {
  if (window_.HasTrayIcon()) {
    window_.HideToTray();
  } else {
    ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  }
}

void CControlRouter::OnHideWindow(TNotifyUI&, int) { ShowWindow(window_.GetHWND(), SW_HIDE); }

void CControlRouter::OnReconnect(TNotifyUI&, int) {
  if (CVelmarUSBDevice* device = window_.GetSelectedDevice()) device->MarkInitialised();
}

void CControlRouter::OnMinimise(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void CControlRouter::OnMaximise(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_MAXIMIZE, 0); }
void CControlRouter::OnRestore(TNotifyUI&, int) { ::SendMessage(window_.GetHWND(), WM_SYSCOMMAND, SC_RESTORE, 0); }
void CControlRouter::OnSelectPrevious(TNotifyUI&, int) { window_.SelectPrevious(); }
void CControlRouter::OnSelectNext(TNotifyUI&, int) { window_.SelectNext(); }
void CControlRouter::OnTileSelected(TNotifyUI&, int) { window_.OnTileSelectionChanged(); }
