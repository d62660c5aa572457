// The main window's own controls, and the hand-over of every other control to the selected
// device's page and editors.
#include "windows/main_wnd/control_router.h"

#include "devices/mouse/page/mouse_page_controls.h"
#include "devices/velmar_usb_device.h"
#include "platform/debug_output.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/main_wnd/main_wnd_controls.h"

using namespace main_window;

namespace {

using Router = CControlRouter;

}  // namespace

const RouteRow<CControlRouter> CControlRouter::kRouteRows[] = {
    {NotifyKind::kClick, kCloseButton, false, &Router::OnClose},
    {NotifyKind::kClick, kNoDeviceOkButton, false, &Router::OnPutWindowAway},
    {NotifyKind::kClick, kDeviceErrorOkButton, false, &Router::OnPutWindowAway},
    {NotifyKind::kClick, kDeviceErrorReconnectButton, false, &Router::OnReconnect},
    {NotifyKind::kClick, kSettingsButton, false, &Router::OnSettings},
    {NotifyKind::kClick, kSelectPreviousButton, false, &Router::OnSelectPrevious},
    {NotifyKind::kClick, kSelectNextButton, false, &Router::OnSelectNext},
    {NotifyKind::kSelectChanged, kTileOption, false, &Router::OnTileSelected},
    {NotifyKind::kClick, kSkinButton, false, &Router::OnSkinButton},
    // The stage colours of the mouse page open the main window's colour window.
    {NotifyKind::kClick, mouse_page::kStageColour, true, &Router::OnStageColour},
};

std::span<const RouteRow<CControlRouter>> CControlRouter::Rows() { return kRouteRows; }

bool CControlRouter::Route(TNotifyUI& msg) {
  const std::string type = msg.sType.str();
  if (type != "timer") OutputDebugString(type + " " + (msg.pSender ? msg.pSender->GetName().str() : std::string()));
  if (const std::optional<NotifyKind> kind = NotifyKindOf(type)) {
    // A row of this table owns its control: the base window's own handling of the caption
    // buttons must not act on it as well.
    if (DispatchRoute(Rows(), *this, *kind, msg)) {
      msg.bHandled = true;
    } else if (CVelmarUSBDevice* device = window_.GetSelectedDevice()) {
      device->RouteNotify(*kind, msg);
    }
  }
  return type == "click_wpremove" || type == "click_wpedit";
}

// A menu a device's editor opened hands its choice back to the selected device's editors.
void CControlRouter::RouteMenuCommand(const std::string& name) {
  OutputDebugString("menu " + name);
  if (name == kAboutMenuItem) {
    window_.OpenAboutWindow();
    return;
  }
  if (name == kSettingsMenuItem) {
    window_.OpenSettingsWindow(true);
    return;
  }
  if (CVelmarUSBDevice* device = window_.GetSelectedDevice()) device->RouteMenuCommand(name);
}

bool CControlRouter::IsOwnMenuCommand(const std::string& name) {
  return name == kSettingsMenuItem || name == kAboutMenuItem;
}

void CControlRouter::OnClose(TNotifyUI&, int) { window_.HideOrMinimise(); }

void CControlRouter::OnPutWindowAway(TNotifyUI&, int) { window_.HideOrMinimise(); }

void CControlRouter::OnReconnect(TNotifyUI&, int) {
  if (CVelmarUSBDevice* device = window_.GetSelectedDevice()) device->MarkInitialised();
}

void CControlRouter::OnSettings(TNotifyUI&, int) { window_.OpenSettingsWindow(false); }
void CControlRouter::OnSelectPrevious(TNotifyUI&, int) { window_.SelectPrevious(); }
void CControlRouter::OnSelectNext(TNotifyUI&, int) { window_.SelectNext(); }
void CControlRouter::OnTileSelected(TNotifyUI&, int) { window_.OnTileSelectionChanged(); }
void CControlRouter::OnStageColour(TNotifyUI&, int index) { window_.OpenColourWindow(index); }
void CControlRouter::OnSkinButton(TNotifyUI& msg, int) { window_.OpenSkinPanel(msg.pSender); }
